#include "tasks/task_list_controller.h"

#include "core/message_policy.h"
#include "platform/dialogs.h"
#include "tasks/task_snapshot.h"
#include "widgets/task_list_view.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>

using namespace platform;

TaskListController::TaskListController(const TaskListControls& controls, const TaskListOptions& options,
                                       WindowSystem& windows, Processes& processes, MessagePolicy& policy)
    : m_controls(controls), m_options(options), m_windows(windows), m_processes(processes), m_policy(policy) {}

void TaskListController::snapshotInto(TaskList& target, bool hidden) {
    target.clear();
    if (hidden)
        ListHiddenTasks(m_windows, target);
    else
        ListVisibleTasks(m_windows, target);
    // A row may be acted on seconds later ("Kill Selected Task", "Kill All Outside Safe List"):
    // it keeps the owner its window had when it was listed.
    noteOwners(target, m_windows, m_processes);
}

void TaskListController::fillAllTaskList() {
    TaskList tasks;
    snapshotInto(tasks, m_options.showHiddenTasks);
    m_controls.allTasksView->taskModel().setTasks(tasks);
}

void TaskListController::onRefreshTasksTriggered() {
    TaskListView& list = *m_controls.allTasksView;
    const int top = list.topIndex();
    const int selected = list.itemIndex();
    const QString selectedTitle = selected != -1 ? list.taskModel().at(selected).title : QString();

    snapshotInto(m_refreshSnapshot, m_options.showHiddenTasks);
    list.taskModel().setTasks(m_refreshSnapshot);

    const int count = list.count();
    if (count > 0 && selected != -1) {
        int select = -1;
        if (selected < count && list.taskModel().at(selected).title == selectedTitle) {
            select = selected;
        } else {
            for (int i = 0; i < count; ++i) {
                if (list.taskModel().at(i).title == selectedTitle) {
                    select = i;
                    break;
                }
            }
        }
        list.setItemIndex(select);
    }
    if (count > top)
        list.setTopIndex(top);
}

void TaskListController::onShowHiddenTasksTriggered() {
    TaskListView& list = *m_controls.allTasksView;
    if (!m_options.showHiddenTasks) {
        const int answer = m_policy.show(
            BoxKind::SilentGated,
            QStringLiteral(
                "Viewing hidden tasks will allow you to have total control of all things running on your "
                "computer. However, would you not know exactly what you are doing, tampering and killing "
                "hidden tasks may result to some crash of your computer. Do you wish to view hidden tasks ?"),
            QStringLiteral("View Hidden Tasks"), MbYesNo | MbIconQuestion);
        if (answer != IdYes)
            return;
        m_controls.showHiddenTasksAction->setChecked(true);
        TaskList tasks;
        ListHiddenTasks(m_windows, tasks);
        list.taskModel().setTasks(tasks);
        m_controls.showHiddenButton->setText(QStringLiteral("Hide Hidden"));
        m_policy.show(BoxKind::SilentGated,
                      QStringLiteral("Now you can view hidden tasks. Be careful not to accidentally kill some of your "
                                     "system tasks."),
                      QStringLiteral("Viewing Hidden Tasks"), MbIconInformation);
    } else {
        const int answer =
            m_policy.show(BoxKind::SilentGated, QStringLiteral("Do you wish to stop viewing hidden tasks ?"),
                          QStringLiteral("Stop View Hidden Tasks"), MbYesNo | MbIconQuestion);
        if (answer != IdYes)
            return;
        m_controls.showHiddenTasksAction->setChecked(false);
        TaskList tasks;
        ListVisibleTasks(m_windows, tasks);
        list.taskModel().setTasks(tasks);
        m_controls.showHiddenButton->setText(QStringLiteral("Show Hidden"));
        m_policy.show(BoxKind::SilentGated,
                      QStringLiteral("Now you do not view hidden tasks. For more control over the computer resources, "
                                     "it is recommended to view hidden tasks."),
                      QStringLiteral("Stopped Viewing Hidden Tasks"), MbIconInformation);
    }
}

void TaskListController::onTreatAsHiddenTriggered() {
    m_controls.treatAsHiddenAction->setChecked(!m_controls.treatAsHiddenAction->isChecked());
    m_controls.treatShownAsHiddenCheck->setChecked(m_controls.treatAsHiddenAction->isChecked());
}

void TaskListController::onTreatShownAsHiddenToggled() {
    m_controls.treatAsHiddenAction->setChecked(m_controls.treatShownAsHiddenCheck->isChecked());
}
