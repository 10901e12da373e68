#pragma once

#include "core/task_list.h"
#include "platform/activity.h"
#include "platform/types.h"
#include "tasks/task_controls.h"

#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

class ActivityLog;
class MessagePolicy;
class QWidget;
class TaskListController;

namespace platform {
class Processes;
class WindowSystem;
} // namespace platform

// Why a task was acted on, as the activity log names it.
namespace kill_reason {
QString killListEntry(const QString& entry);
QString protection();
QString taskActionWindow();
QString killSelectedTask();
QString killAllOutsideSafeList();
QString investigator();
QString overheatReaction();
QString memoryWarning(); // the Task Action window, asking about a task over the memory limit
QString killTask();      // a kill by a caller that names no reason of its own
} // namespace kill_reason

// What the program does to one task through its window: kill it (close the window, end the
// process that owns it) and read the memory that process uses.
class TaskActions {
public:
    // Every kill, close request and refusal is recorded in `log` (none when null).
    TaskActions(const TaskActionControls& controls, platform::WindowSystem& windows, platform::Processes& processes,
                MessagePolicy& policy, TaskListController& taskList, ActivityLog* log = nullptr);

    // Closes the window, ends its process, then refreshes the All Task List. A window of this
    // program is left alone (nothing is refreshed either): false then.
    bool KillTaskWindow(platform::WindowHandle window);
    // The same without the refresh, for callers that refresh once after several kills.
    bool killWithoutRefresh(const TaskEntry& task, const QString& reason);
    void refreshAfterKills();
    // Whether the window belongs to this program's own process.
    bool ownedByThisProgram(platform::WindowHandle window);
    // Tells a user who asked to kill one of this program's windows why nothing happened.
    void tellOwnTaskSpared(QWidget* owner = nullptr);
    // False for handle 0 (no query made); otherwise true, with 0 bytes when the process can not be read.
    bool GetTaskMemory(platform::WindowHandle window, std::uint64_t& bytes);

    // What a kill of a task taken from the desktop earlier came to.
    enum class KillOutcome {
        Killed,       // the window still had the owner noted, and both were asked to end
        AlreadyEnded, // the window is gone or has another owner now: nothing was touched
        OwnTask,      // a window of this program: nothing was touched
    };
    // Notes the window's owner now; every later action on the entry goes by it.
    void capture(TaskEntry& task);
    void capture(TaskList& tasks);
    // Kills the task only while its window exists with the owner noted when it was taken; an entry
    // whose owner was never noted is looked up now. No refresh of the All Task List.
    KillOutcome killCaptured(const TaskEntry& task, const QString& reason);
    // Whether "Kill Task" or a kill by the user was already tried on this very task (same window,
    // title and owner) and it outlived it; such a task is not asked about again.
    bool killAlreadyTried(const TaskEntry& task) const;
    // Forgets the tried tasks whose window is not among `present`.
    void forgetTriedKillsExcept(const TaskList& present);
    // Tells the user that the task had already ended, so nothing was killed.
    void tellAlreadyEnded(const QString& title, QWidget* owner = nullptr);
    // The same for several tasks of one command, in one box.
    void tellAlreadyEnded(const QStringList& titles);

    // Logs a decision the Task Action window remembered for the task.
    void recordRemembered(const TaskEntry& task, const QString& decision);

    void KillSelectedTask();
    void ShowSelectedMemory();

private:
    platform::WindowOwner ownerNow(platform::WindowHandle window);
    bool isOwnProcess(platform::ProcessId pid) const;
    bool kill(const TaskEntry& task, const platform::WindowOwner& owner, const QString& reason);
    void record(const TaskEntry& task, const platform::WindowOwner& owner, const QString& executable,
                const QString& reason, platform::ActivityResult result);
    bool stillTheSame(const TaskEntry& task);

    TaskActionControls m_controls;
    platform::WindowSystem& m_windows;
    platform::Processes& m_processes;
    MessagePolicy& m_policy;
    TaskListController& m_taskList;
    ActivityLog* m_log;
    // Tasks a kill was tried on: the window, its title and its owner at that moment.
    std::vector<TaskEntry> m_triedKills;
    // What was logged per window and owner: a kill-listed window that outlives a tick, or this
    // program's own window in the kill list (its caption, and so the entry that matches it, changes
    // with every status), is struck on every tick but logged once.
    struct LoggedAct {
        platform::WindowHandle window = 0;
        platform::ProcessId pid = 0;
        friend bool operator==(const LoggedAct&, const LoggedAct&) = default;
    };
    std::vector<LoggedAct> m_logged;
};

// A byte count in whole megabytes, halves to the even neighbour.
std::int64_t roundedMegabytes(std::uint64_t bytes);
