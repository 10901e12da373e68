// The commands that walk the whole All Task List.
#include "core/message_policy.h"
#include "lists/list_commands.h"
#include "lists/list_commands_logic.h"
#include "platform/dialogs.h"
#include "platform/window_system.h"
#include "tasks/task_actions.h"
#include "tasks/task_list_controller.h"
#include "widgets/task_list_view.h"

#include <QScopeGuard>

using namespace platform;

bool ListCommands::offerHiddenTasks(const QString& text) {
    if (m_taskListOptions.showHiddenTasks)
        return true;
    const int answer = m_policy.show(BoxKind::SilentGatedAnswersNo, text,
                                     QStringLiteral("What to do with Hidden Tasks"), MbYesNo | MbIconWarning);
    if (answer != IdYes)
        return answer == IdNo; // a question left unanswered (the program is ending) ends the command
    m_taskList.onShowHiddenTasksTriggered();
    m_taskList.onRefreshTasksTriggered();
    return true;
}

void ListCommands::onAddAllToSafeListClicked() {
    if (!offerHiddenTasks(
            QStringLiteral("If hidden tasks are not displayed, they will not be added to the safe list.\n\r\n\r"
                           "Do you wish to show hidden tasks before adding all showing tasks to the safe "
                           "list ?")))
        return;
    // The lists are read after the question: timers may have changed them while it was open.
    const TaskList all = m_controls.allTasksView->taskModel().tasks();
    TaskListModel& safe = m_controls.safeListView->taskModel();
    const TaskList& kill = m_controls.killListView->taskModel().tasks();
    for (const TaskEntry& task : all)
        if (!containsSameTask(safe.tasks(), task) && !containsSameTask(kill, task))
            safe.append(task);
}

void ListCommands::onKillAllOutsideSafeListClicked() {
    killAllOutsideSafeList(kill_reason::killAllOutsideSafeList());
}

void ListCommands::killAllOutsideSafeList(const QString& reason) {
    if (m_killingAll)
        return;
    m_killingAll = true;
    const QScopeGuard done([this] { m_killingAll = false; });
    if (!offerHiddenTasks(
            QStringLiteral("All hidden tasks are not displayed, they will not be killed, even if they do not "
                           "reside in the kill list.\n\r\n\rDo you wish to show hidden tasks before killing "
                           "all showing tasks not in the safe list ?")))
        return;
    // Each row keeps the owner its window had when the list was filled: a window that has gone or
    // passed to another program since is not struck.
    const TaskList all = m_controls.allTasksView->taskModel().tasks();
    const TaskList safe = m_controls.safeListView->taskModel().tasks();
    QStringList ended;
    for (const TaskEntry& task : all)
        if (!containsSameTask(safe, task) && m_taskActions.killCaptured(task, reason) ==
                                                 TaskActions::KillOutcome::AlreadyEnded) // spares our own windows
            ended << task.title;
    m_taskList.onRefreshTasksTriggered();
    m_taskActions.tellAlreadyEnded(ended);
}
