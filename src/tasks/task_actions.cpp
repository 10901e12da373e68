#include "tasks/task_actions.h"

#include "core/activity_log.h"
#include "core/message_policy.h"
#include "platform/dialogs.h"
#include "platform/processes.h"
#include "platform/window_system.h"
#include "tasks/task_list_controller.h"
#include "tasks/task_snapshot.h"
#include "widgets/task_list_view.h"

#include <algorithm>
#include <cmath>

using namespace platform;

std::int64_t roundedMegabytes(std::uint64_t bytes) {
    return static_cast<std::int64_t>(std::nearbyint(static_cast<double>(bytes) / 1024.0 / 1024.0));
}

namespace kill_reason {
QString killListEntry(const QString& entry) {
    return QStringLiteral("kill list entry \"%1\"").arg(entry);
}
QString protection() {
    return QStringLiteral("protection");
}
QString taskActionWindow() {
    return QStringLiteral("Task Action window");
}
QString killSelectedTask() {
    return QStringLiteral("Kill Selected Task");
}
QString killAllOutsideSafeList() {
    return QStringLiteral("Kill All Outside Safe List");
}
QString investigator() {
    return QStringLiteral("temperature investigator");
}
QString overheatReaction() {
    return QStringLiteral("overheat reaction");
}
QString memoryWarning() {
    return QStringLiteral("memory warning");
}
QString killTask() {
    return QStringLiteral("Kill Task");
}
} // namespace kill_reason

TaskActions::TaskActions(const TaskActionControls& controls, WindowSystem& windows, Processes& processes,
                         MessagePolicy& policy, TaskListController& taskList, ActivityLog* log)
    : m_controls(controls), m_windows(windows), m_processes(processes), m_policy(policy), m_taskList(taskList),
      m_log(log) {}

void TaskActions::record(const TaskEntry& task, const WindowOwner& owner, const QString& executable,
                         const QString& reason, ActivityResult result) {
    if (!m_log)
        return;
    if (task.handle != 0) {
        const LoggedAct act{task.handle, owner.pid};
        if (std::find(m_logged.begin(), m_logged.end(), act) != m_logged.end())
            return;
        m_logged.push_back(act);
    }
    m_log->record(
        {.title = task.title, .pid = owner.pid, .executable = executable, .reason = reason, .result = result});
}

WindowOwner TaskActions::ownerNow(WindowHandle window) {
    return windowOwner(window, m_windows, m_processes);
}

bool TaskActions::isOwnProcess(ProcessId pid) const {
    return pid != 0 && pid == m_processes.currentProcessId();
}

void TaskActions::capture(TaskEntry& task) {
    task.owner = ownerNow(task.handle);
}

void TaskActions::capture(TaskList& tasks) {
    noteOwners(tasks, m_windows, m_processes);
}

bool TaskActions::kill(const TaskEntry& task, const WindowOwner& owner, const QString& reason) {
    if (isOwnProcess(owner.pid)) {
        record(task, owner, {}, reason, ActivityResult::RefusedOwnTask);
        return false;
    }
    // Read while the process still runs; the log is written after the kill, never before it.
    const QString executable = owner.process ? m_processes.executablePath(owner.pid) : QString();
    // The owner was looked up before the close request, so a window that closes at once still
    // takes its process with it.
    m_windows.postCloseMessage(task.handle);
    const bool ended = owner.process && m_processes.terminateProcess(*owner.process);
    record(task, owner, executable, reason, ended ? ActivityResult::Ended : ActivityResult::CloseRequestOnly);
    return true;
}

// The window still exists and is still owned by the process noted when it was taken.
bool TaskActions::stillTheSame(const TaskEntry& task) {
    if (task.handle == 0 || !task.owner || ownerNow(task.handle) != *task.owner)
        return false;
    if (task.owner->pid != 0)
        return true; // an owner is only found for a window that exists
    const std::vector<WindowInfo> windows = m_windows.topLevelWindows();
    return std::any_of(windows.begin(), windows.end(),
                       [&task](const WindowInfo& w) { return w.handle == task.handle; });
}

TaskActions::KillOutcome TaskActions::killCaptured(const TaskEntry& task, const QString& reason) {
    TaskEntry target = task;
    if (!target.owner)
        capture(target);
    if (isOwnProcess(target.owner->pid)) {
        record(target, *target.owner, {}, reason, ActivityResult::RefusedOwnTask);
        return KillOutcome::OwnTask;
    }
    if (!stillTheSame(target)) {
        record(target, *target.owner, {}, reason, ActivityResult::AlreadyGone);
        return KillOutcome::AlreadyEnded;
    }
    kill(target, *target.owner, reason);
    if (!killAlreadyTried(target))
        m_triedKills.push_back(target);
    return KillOutcome::Killed;
}

bool TaskActions::killAlreadyTried(const TaskEntry& task) const {
    return std::any_of(m_triedKills.begin(), m_triedKills.end(), [&task](const TaskEntry& tried) {
        return tried == task && task.owner && tried.owner == task.owner;
    });
}

void TaskActions::recordRemembered(const TaskEntry& task, const QString& decision) {
    if (m_log)
        m_log->record({.title = task.title,
                       .pid = task.owner ? task.owner->pid : 0,
                       .reason = kill_reason::taskActionWindow(),
                       .result = ActivityResult::Remembered,
                       .decision = decision});
}

void TaskActions::forgetTriedKillsExcept(const TaskList& present) {
    std::erase_if(m_logged, [&present](const LoggedAct& act) {
        return std::none_of(present.begin(), present.end(),
                            [&act](const TaskEntry& task) { return task.handle == act.window; });
    });
    std::erase_if(m_triedKills, [&present](const TaskEntry& tried) {
        return std::none_of(present.begin(), present.end(),
                            [&tried](const TaskEntry& task) { return task.handle == tried.handle; });
    });
}

bool TaskActions::killWithoutRefresh(const TaskEntry& task, const QString& reason) {
    return kill(task, ownerNow(task.handle), reason);
}

void TaskActions::refreshAfterKills() {
    m_taskList.onRefreshTasksTriggered();
}

bool TaskActions::KillTaskWindow(WindowHandle window) {
    TaskEntry task;
    task.handle = window;
    if (!killWithoutRefresh(task, kill_reason::killTask()))
        return false;
    m_taskList.onRefreshTasksTriggered();
    return true;
}

bool TaskActions::ownedByThisProgram(WindowHandle window) {
    return isOwnProcess(m_windows.windowProcessId(window));
}

void TaskActions::tellOwnTaskSpared(QWidget* owner) {
    m_policy.showOwned(BoxKind::Always, owner ? owner : m_policy.mainWindow(),
                       QStringLiteral("This task is a window of Torvane itself. Torvane never kills itself."),
                       QStringLiteral("Task Not Killed"), MbOk | MbIconWarning);
}

void TaskActions::tellAlreadyEnded(const QString& title, QWidget* owner) {
    m_policy.showOwned(BoxKind::Always, owner ? owner : m_policy.mainWindow(),
                       QStringLiteral("The %1 task had already ended, so nothing was killed.").arg(title),
                       QStringLiteral("Task Already Ended"), MbOk | MbIconInformation);
}

void TaskActions::tellAlreadyEnded(const QStringList& titles) {
    if (titles.isEmpty())
        return;
    m_policy.show(BoxKind::SilentGated,
                  QStringLiteral("These tasks had already ended, so nothing was killed for them:\n\r") +
                      titles.join(QStringLiteral("\n\r")),
                  QStringLiteral("Tasks Already Ended"), MbOk | MbIconInformation);
}

bool TaskActions::GetTaskMemory(WindowHandle window, std::uint64_t& bytes) {
    if (window == 0)
        return false;
    const ProcessId pid = m_windows.windowProcessId(window);
    bytes = pid == 0 ? 0 : m_processes.workingSetBytes(pid);
    return true;
}

void TaskActions::KillSelectedTask() {
    const TaskListView& all = *m_controls.allTasksView;
    const int selected = all.itemIndex();
    // The chosen task keeps the owner noted when the list was filled: the list refreshes while a
    // box is open, and the row may then hold another task or none.
    TaskEntry target = selected == -1 ? TaskEntry{} : all.taskModel().at(selected);
    if (selected != -1 && !target.owner)
        capture(target);
    if (selected != -1 && isOwnProcess(target.owner->pid)) {
        record(target, *target.owner, {}, kill_reason::killSelectedTask(), ActivityResult::RefusedOwnTask);
        tellOwnTaskSpared();
        return;
    }
    const TaskList& safe = m_controls.safeListView->taskModel().tasks();
    if (!safe.empty() && selected != -1) {
        const WindowHandle handle = target.handle;
        const bool inSafeList =
            std::any_of(safe.begin(), safe.end(), [handle](const TaskEntry& e) { return e.handle == handle; });
        if (inSafeList &&
            m_policy.show(BoxKind::SilentGatedAnswersNo,
                          QStringLiteral("You are trying to kill a task from your safe list. Do you wish to kill the "
                                         "selected task ?"),
                          QStringLiteral("Trying to Kill Task from Safe List"), MbYesNo | MbIconWarning) != IdYes)
            return;
    }
    if (selected == -1) {
        m_policy.show(BoxKind::SilentGated, QStringLiteral("No detected tasks selected to be killed."),
                      QStringLiteral("No Selected Task"), MbIconError);
        return;
    }
    if (m_policy.show(BoxKind::SilentGated,
                      QStringLiteral("Killing a task will force it to stop running. Do you wish to kill the selected "
                                     "task ?"),
                      QStringLiteral("Kill Selected Task"), MbYesNo | MbIconWarning) != IdYes)
        return;
    // A window that closed meanwhile, or changed hands, is not the one the user chose.
    const KillOutcome outcome = killCaptured(target, kill_reason::killSelectedTask());
    m_taskList.onRefreshTasksTriggered();
    if (outcome != KillOutcome::Killed) {
        m_policy.show(BoxKind::SilentGated,
                      QStringLiteral("The selected task had already ended, so nothing was killed. The task list has "
                                     "been refreshed."),
                      QStringLiteral("Task Already Ended"), MbIconInformation);
        return;
    }
    m_policy.show(BoxKind::SilentGated,
                  QStringLiteral("The selected task was tried to be killed. The task list has been refreshed."),
                  QStringLiteral("Killed Selected Task"), MbIconInformation);
}

void TaskActions::ShowSelectedMemory() {
    const TaskListView& all = *m_controls.allTasksView;
    const int selected = all.itemIndex();
    if (selected == -1)
        return;
    const TaskEntry entry = all.taskModel().at(selected);
    std::uint64_t bytes = 0;
    if (!GetTaskMemory(entry.handle, bytes))
        return;
    // Working sets above 4 GiB are shown in full.
    m_policy.show(BoxKind::Always,
                  QStringLiteral("The program using this task consumes \n\r%1 Mega bytes of memory.")
                      .arg(roundedMegabytes(bytes)),
                  entry.title, MbIconInformation);
}
