#pragma once

#include "platform/scripting_target.h"
#include "tasks/task_snapshot.h"

#include <functional>

class ActivityLog;
class TaskListModel;

namespace platform {
class WindowSystem;
}

// Scripts' changes to the Safe List and the Kill List go into the same lists the menus change, so
// the auto-save writes them to the list file as it does a change by hand.
class ScriptingService : public platform::ScriptingTarget {
public:
    // A longer entry could never match a task's title.
    static constexpr int kTitleLimit = kMaxTitleLength;

    struct Protection {
        std::function<bool()> isOn;
        std::function<void(bool)> set;
    };

    // Each change a script makes to a list is recorded in `log` (none when null).
    ScriptingService(TaskListModel& safeList, TaskListModel& killList, platform::WindowSystem& windows,
                     Protection protection, ActivityLog* log = nullptr);

    std::vector<platform::ScriptedTask> tasks() override;
    std::optional<platform::ScriptingError> list(const QString& list, QStringList& entries) override;
    std::optional<platform::ScriptingError> add(const QString& list, const QString& title) override;
    std::optional<platform::ScriptingError> remove(const QString& list, const QString& title) override;
    void setProtection(bool on) override;
    bool protectionOn() override;

private:
    TaskListModel* model(const QString& list);
    void recordChange(const QString& title, const QString& change);

    TaskListModel& m_safeList;
    TaskListModel& m_killList;
    platform::WindowSystem& m_windows;
    Protection m_protection;
    ActivityLog* m_log;
};
