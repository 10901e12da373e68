#pragma once

#include "core/task_list.h"
#include "platform/types.h"
#include "tasks/protection_options.h"
#include "tasks/protection_peers.h"
#include "tasks/recognition_options.h"
#include "tasks/safe_list_lookups.h"
#include "tasks/task_controls.h"

#include <exception>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class MessagePolicy;
class RecognitionHandlers;
class TaskActions;
struct SharedValues;

namespace platform {
class WindowSystem;
struct WindowInfo;
} // namespace platform

// The protection cycle: every half second the caption, the decisions of the Task Action window,
// the snapshots, the kill list (enforced even while protection is off), and with protection on
// the new tasks and the memory warning.
class Protection {
public:
    // Reads `options` and the recognition's settings at the moment it needs a value.
    Protection(const ProtectionControls& controls, const ProtectionOptions& options,
               const RecognitionHandlers& recognition, SharedValues& values, platform::WindowSystem& windows,
               MessagePolicy& policy, TaskActions& actions, ActionWindow& actionWindow,
               InvestigatorRequests& investigator);

    // The lists nothing shows: the tasks known as running before (RunningBefore), the last
    // snapshot of visible and of all tasks (visibleSnapshot, allSnapshot) and the tasks allowed over the
    // memory limit (AllowedOfSize).
    struct Lists {
        TaskList RunningBefore;
        TaskList visibleSnapshot;
        TaskList allSnapshot;
        TaskList AllowedOfSize;
    };
    Lists& lists() { return m_lists; }

    void onProtectionTick();
    void toggleProtection();
    // Switches protection without the questions the menu asks (for a script that already decided).
    void setProtection(bool on);
    void onTreatAllAsNewClicked();
    void onMemoryWarningTriggered();
    void onMemoryWarningToggled();
    void AskAboutTask();
    // The kill list over a fresh snapshot, for a tick that fires while an earlier one waits in a
    // box: it opens no box itself, so nothing the user has open delays the kill list.
    void enforceKillListMeanwhile();
    // Windows that just appeared, were mapped or changed their title meet the kill list at once,
    // between ticks; everything else about them waits for the tick.
    void WindowsChanged(const std::vector<platform::WindowInfo>& windows);

    bool protectionOn() const;

private:
    void ProtectionTick();
    void startProtection();
    void stopProtection();
    void statusCaption();
    void applyDecision(const RecognitionOptions& options);
    void takeSnapshots();
    void followRenamedTasks(const RecognitionOptions& options);
    void enforceKillList(const TaskList& tasks, const RecognitionOptions& options, std::exception_ptr& failure);
    void killNewTasksSilently(const RecognitionOptions& options);
    void askAboutNewTasks(const RecognitionOptions& options);
    void warnAboutMemory(const RecognitionOptions& options);
    bool isNewTask(const TaskEntry& task, const RecognitionOptions& options);
    bool overMemoryLimit(const TaskEntry& task, const RecognitionOptions& options);
    void askAbout(const TaskList& tasks, const std::function<bool(const TaskEntry&)>& qualifies);
    bool usesOver(platform::WindowHandle window, std::int32_t limitMB);
    bool actionWindowVisible() const;
    bool kill(const TaskEntry& task, const QString& reason);
    bool killedThisTick(platform::WindowHandle window) const;
    int findInSafeList(const QString& name, LookupHandle handle, const RecognitionOptions& options);
    void confirm(const QString& title, const QString& text);
    void confirmAfterKillList(const QString& title, const QString& text);
    void updateProtectionControls();

    ProtectionControls m_controls;
    const ProtectionOptions& m_options;
    const RecognitionHandlers& m_recognition;
    Lists m_lists;
    SharedValues& m_values;
    platform::WindowSystem& m_windows;
    MessagePolicy& m_policy;
    TaskActions& m_actions;
    ActionWindow& m_actionWindow;
    InvestigatorRequests& m_investigator;
    bool m_inTick = false;
    SafeListLookups m_safeLookups;
    // Windows killed earlier in the running tick: they are gone, so nothing may ask about them.
    std::vector<platform::WindowHandle> m_killedThisTick;
    std::optional<std::pair<QString, QString>> m_pendingConfirmation; // title and text
};
