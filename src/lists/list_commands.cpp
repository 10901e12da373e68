#include "lists/list_commands.h"

#include "core/message_policy.h"
#include "lists/list_commands_logic.h"
#include "platform/dialogs.h"
#include "tasks/recognition.h"
#include "tasks/recognition_handlers.h"
#include "widgets/task_list_view.h"

#include <QLineEdit>

using namespace platform;

ListCommands::ListCommands(const ListCommandControls& controls, const RecognitionHandlers& recognition,
                           MessagePolicy& policy, TaskActions& taskActions, TaskListController& taskList,
                           ActionWindow& actionWindow)
    : m_controls(controls), m_recognition(recognition), m_policy(policy), m_taskActions(taskActions),
      m_taskList(taskList), m_actionWindow(actionWindow) {}

// The tests run in this order, so a name on both lists gets the safe-list message.
void ListCommands::addRunningToSafeList(bool dynamicCh) {
    const TaskListView& all = *m_controls.ListBox1;
    const int selected = all.itemIndex();
    if (selected == -1) {
        m_policy.show(BoxKind::SilentGated, QStringLiteral("No detected task selected to be added to the safe list."),
                      QStringLiteral("No Selected Task"), MbIconError);
        return;
    }
    const TaskEntry task = all.taskModel().at(selected);
    TaskListModel& safe = m_controls.ListBox2->taskModel();
    // Handle 0: only an equal name refuses the task here, never its window or a resembling name.
    if (FindTask(safe.tasks(), task.title, 0, m_recognition.options()) != -1) {
        m_policy.show(BoxKind::SilentGated,
                      QStringLiteral("The selected task is already in the safe list.You can not put it there again."),
                      QStringLiteral("Task Already in Safe List"), MbIconError);
        return;
    }
    if (containsSameTask(m_controls.ListBox3->taskModel().tasks(), task)) {
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

void ListCommands::Button3Click() {
    const TaskListView& all = *m_controls.ListBox1;
    const int selected = all.itemIndex();
    if (selected == -1) {
        m_policy.show(BoxKind::SilentGated, QStringLiteral("No detected task selected to be added to the kill list."),
                      QStringLiteral("No Selected Task"), MbIconError);
        return;
    }
    m_controls.ListBox3->taskModel().append(all.taskModel().at(selected));
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

void ListCommands::Button4Click() {
    removeSelected(*m_controls.ListBox2,
                   QStringLiteral("No task in the safe list selected, so as to be removed from it."));
}

void ListCommands::Button5Click() {
    removeSelected(*m_controls.ListBox3,
                   QStringLiteral("No task in the kill list selected, so as to be removed from it."));
}

void ListCommands::Button32Click() {
    m_controls.ListBox2->taskModel().clear();
}

void ListCommands::Button33Click() {
    m_controls.ListBox3->taskModel().clear();
}

void ListCommands::Button35Click() {
    m_controls.ListBox2->clearSelection();
}

void ListCommands::Button36Click() {
    m_controls.ListBox3->clearSelection();
}

void ListCommands::findNext(TaskListView& list, const QLineEdit& searchBox) {
    const int current = list.itemIndex();
    const int found = findNextMatch(list.taskModel().tasks(), searchBox.text(), current);
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

void ListCommands::Button9Click() {
    findNext(*m_controls.ListBox1, *m_controls.Edit1);
}

void ListCommands::Button10Click() {
    findNext(*m_controls.ListBox2, *m_controls.Edit2);
}

void ListCommands::Button11Click() {
    findNext(*m_controls.ListBox3, *m_controls.Edit3);
}

void ListCommands::Actionwindow1Click() {
    const TaskListView& all = *m_controls.ListBox1;
    const int selected = all.itemIndex();
    if (selected == -1)
        return;
    const TaskEntry task = all.taskModel().at(selected);
    m_actionWindow.showFor(task, kUserSelectedReason);
}
