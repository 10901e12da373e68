#include "tasks/task_actions.h"

#include "core/message_policy.h"
#include "platform/dialogs.h"
#include "platform/processes.h"
#include "platform/window_system.h"
#include "tasks/task_list_controller.h"
#include "widgets/task_list_view.h"

#include <algorithm>
#include <cmath>

using namespace platform;

std::int64_t roundedMegabytes(std::uint64_t bytes) {
    return static_cast<std::int64_t>(std::nearbyint(static_cast<double>(bytes) / 1024.0 / 1024.0));
}

TaskActions::TaskActions(const TaskActionControls& controls, WindowSystem& windows, Processes& processes,
                         MessagePolicy& policy, TaskListController& taskList)
    : m_controls(controls), m_windows(windows), m_processes(processes), m_policy(policy), m_taskList(taskList) {}

TaskActions::KillTarget TaskActions::resolve(WindowHandle window) {
    const ProcessId pid = m_windows.windowProcessId(window);
    // The start time is taken together with the owner, so a later holder of the id is never hit.
    return KillTarget{window, pid, m_processes.identify(pid)};
}

bool TaskActions::isOwn(const KillTarget& target) const {
    return isOwnProcess(target.pid);
}

bool TaskActions::isOwnProcess(ProcessId pid) const {
    return pid != 0 && pid == m_processes.currentProcessId();
}

bool TaskActions::kill(const KillTarget& target) {
    if (isOwn(target))
        return false;
    // The owner was looked up before the close request, so a window that closes at once still
    // takes its process with it.
    m_windows.postCloseMessage(target.window);
    if (target.owner)
        m_processes.terminateProcess(*target.owner);
    return true;
}

// The window still exists and is still owned by the process noted when it was chosen.
bool TaskActions::stillTheSame(const KillTarget& target) {
    const std::vector<WindowInfo> windows = m_windows.topLevelWindows();
    const bool exists = std::any_of(windows.begin(), windows.end(),
                                    [&target](const WindowInfo& w) { return w.handle == target.window; });
    const KillTarget now = resolve(target.window);
    return exists && now.pid == target.pid && now.owner == target.owner;
}

bool TaskActions::killWithoutRefresh(WindowHandle window) {
    return kill(resolve(window));
}

bool TaskActions::KillTaskWindow(WindowHandle window) {
    if (!killWithoutRefresh(window))
        return false;
    m_taskList.RefreshTasks1Click();
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

bool TaskActions::GetTaskMemory(WindowHandle window, std::uint64_t& bytes) {
    if (window == 0)
        return false;
    const ProcessId pid = m_windows.windowProcessId(window);
    bytes = pid == 0 ? 0 : m_processes.workingSetBytes(pid);
    return true;
}

void TaskActions::KillSelectedTask() {
    const TaskListView& all = *m_controls.ListBox1;
    const int selected = all.itemIndex();
    // The chosen window and its owner are taken before any question: the list refreshes while a
    // box is open, and the row may then hold another task or none.
    const KillTarget target = selected == -1 ? KillTarget{} : resolve(all.taskModel().at(selected).handle);
    if (selected != -1 && isOwn(target)) {
        tellOwnTaskSpared();
        return;
    }
    const TaskList& safe = m_controls.ListBox2->taskModel().tasks();
    if (!safe.empty() && selected != -1) {
        const WindowHandle handle = target.window;
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
    if (stillTheSame(target))
        kill(target);
    m_taskList.RefreshTasks1Click();
    m_policy.show(BoxKind::SilentGated,
                  QStringLiteral("The selected task was tried to be killed. The task list has been refreshed."),
                  QStringLiteral("Killed Selected Task"), MbIconInformation);
}

void TaskActions::ShowSelectedMemory() {
    const TaskListView& all = *m_controls.ListBox1;
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
