#include "lists/list_commands.h"

#include "core/message_policy.h"
#include "lists/list_commands_logic.h"
#include "platform/dialogs.h"
#include "tasks/recognition.h"
#include "tasks/recognition_handlers.h"
#include "widgets/task_list_view.h"

using namespace platform;

ListCommands::ListCommands(const ListCommandControls& controls, const ListSearchOptions& search,
                           const TaskListOptions& taskListOptions, const RecognitionHandlers& recognition,
                           MessagePolicy& policy, TaskActions& taskActions, TaskListController& taskList,
                           ActionWindow& actionWindow)
    : m_controls(controls), m_search(search), m_taskListOptions(taskListOptions), m_recognition(recognition),
      m_policy(policy), m_taskActions(taskActions), m_taskList(taskList), m_actionWindow(actionWindow) {}

// The tests run in this order, so a name on both lists gets the safe-list message.
void ListCommands::addRunningToSafeList(bool dynamicCh) {
    const TaskListView& all = *m_controls.allTasksView;
    const int selected = all.itemIndex();
    if (selected == -1) {
        m_policy.show(BoxKind::SilentGated, QStringLiteral("No detected task selected to be added to the safe list."),
                      QStringLiteral("No Selected Task"), MbIconError);
        return;
    }
    const TaskEntry task = all.taskModel().at(selected);
    TaskListModel& safe = m_controls.safeListView->taskModel();
    // Handle 0: only an equal name refuses the task here, never its window or a resembling name.
    if (FindTask(safe.tasks(), task.title, 0, m_recognition.options()) != -1) {
        m_policy.show(BoxKind::SilentGated,
                      QStringLiteral("The selected task is already in the safe list.You can not put it there again."),
                      QStringLiteral("Task Already in Safe List"), MbIconError);
        return;
    }
    if (containsSameTask(m_controls.killListView->taskModel().tasks(), task)) {
        m_policy.show(BoxKind::SilentGated,
                      QStringLiteral("The selected task is already in the kill list.You can not put the same task in "
                                     "two different lists."),
                      QStringLiteral("Task Already in Kill List"), MbIconError);
        return;
    }
    if (dynamicCh)
        m_recognition.AddTaskIfAbsent(safe, task.title, task.handle);
    else
        safe.append(task);
}

void ListCommands::onAddToKillListClicked() {
    const TaskListView& all = *m_controls.allTasksView;
    const int selected = all.itemIndex();
    if (selected == -1) {
        m_policy.show(BoxKind::SilentGated, QStringLiteral("No detected task selected to be added to the kill list."),
                      QStringLiteral("No Selected Task"), MbIconError);
        return;
    }
    m_controls.killListView->taskModel().append(all.taskModel().at(selected));
}

void ListCommands::removeSelected(TaskListView& list, const QString& nothingSelectedText) {
    // A list has a current item whenever it has entries, so only an empty list is reported.
    if (list.count() == 0) {
        m_policy.show(BoxKind::SilentGated, nothingSelectedText, QStringLiteral("No Selected Task"), MbIconError);
        return;
    }
    for (int i = list.count() - 1; i >= 0; --i)
        if (list.isSelected(i))
            list.taskModel().removeAt(i);
}

void ListCommands::onRemoveFromSafeListClicked() {
    removeSelected(*m_controls.safeListView,
                   QStringLiteral("No task in the safe list selected, so as to be removed from it."));
}

void ListCommands::onRemoveFromKillListClicked() {
    removeSelected(*m_controls.killListView,
                   QStringLiteral("No task in the kill list selected, so as to be removed from it."));
}

void ListCommands::onClearSafeListClicked() {
    m_controls.safeListView->taskModel().clear();
}

void ListCommands::onClearKillListClicked() {
    m_controls.killListView->taskModel().clear();
}

void ListCommands::onSafeListUnselectClicked() {
    m_controls.safeListView->clearSelection();
}

void ListCommands::onKillListUnselectClicked() {
    m_controls.killListView->clearSelection();
}

void ListCommands::findNext(TaskListView& list, const QString& text) {
    const int current = list.itemIndex();
    const int found = findNextMatch(list.taskModel().tasks(), text, current);
    if (found == -1)
        return;
    if (current != -1)
        list.setSelected(current, false);
    list.setSelected(found, true);
    // The found entry becomes the current one, so the next search goes on from it. In the All
    // Task List this also makes it the only selected entry.
    list.setItemIndex(found);
    // Last, so that making it current cannot scroll it away from the top again.
    list.setTopIndex(found);
}

void ListCommands::onAllTasksFindNextClicked() {
    findNext(*m_controls.allTasksView, m_search.allTasks);
}

void ListCommands::onSafeListFindNextClicked() {
    findNext(*m_controls.safeListView, m_search.safeList);
}

void ListCommands::onKillListFindNextClicked() {
    findNext(*m_controls.killListView, m_search.killList);
}

void ListCommands::onAllTasksActionWindowTriggered() {
    const TaskListView& all = *m_controls.allTasksView;
    const int selected = all.itemIndex();
    if (selected == -1)
        return;
    const TaskEntry task = all.taskModel().at(selected);
    m_actionWindow.showFor(task, kUserSelectedReason);
}
