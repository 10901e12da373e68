#include "tasks/task_actions.h"

#include "core/message_policy.h"
#include "core/task_list_view.h"
#include "platform/dialogs.h"
#include "platform/processes.h"
#include "platform/window_system.h"
#include "tasks/task_list_controller.h"

#include <algorithm>
#include <cmath>

using namespace platform;

std::int64_t roundedMegabytes(std::uint64_t bytes) {
    return static_cast<std::int64_t>(std::nearbyint(static_cast<double>(bytes) / 1024.0 / 1024.0));
}

TaskActions::TaskActions(MainForm& form, WindowSystem& windows, Processes& processes, MessagePolicy& policy,
                         TaskListController& taskList)
    : m_form(form), m_windows(windows), m_processes(processes), m_policy(policy), m_taskList(taskList) {}

void TaskActions::killWithoutRefresh(WindowHandle window) {
    // The owner is looked up before the close request, so a window that closes at once still
    // takes its process with it.
    const ProcessId pid = m_windows.windowProcessId(window);
    m_windows.postCloseMessage(window);
    if (pid != 0)
        m_processes.terminateProcess(pid);
}

void TaskActions::KillTaskWindow(WindowHandle window) {
    killWithoutRefresh(window);
    m_taskList.RefreshTasks1Click();
}

bool TaskActions::GetTaskMemory(WindowHandle window, std::uint64_t& bytes) {
    if (window == 0)
        return false;
    const ProcessId pid = m_windows.windowProcessId(window);
    bytes = pid == 0 ? 0 : m_processes.workingSetBytes(pid);
    return true;
}

void TaskActions::KillSelectedTask() {
    const TaskListView& all = *m_form.ListBox1;
    const int selected = all.itemIndex();
    const TaskList& safe = m_form.ListBox2->taskModel().tasks();
    if (!safe.empty() && selected != -1) {
        const WindowHandle handle = all.taskModel().at(selected).handle;
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
    KillTaskWindow(all.taskModel().at(selected).handle);
    m_policy.show(BoxKind::SilentGated,
                  QStringLiteral("The selected task was tried to be killed. The task list has been refreshed."),
                  QStringLiteral("Killed Selected Task"), MbIconInformation);
}

void TaskActions::ShowSelectedMemory() {
    const TaskListView& all = *m_form.ListBox1;
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
