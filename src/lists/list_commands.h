#pragma once

#include "lists/list_controls.h"
#include "platform/types.h"
#include "tasks/protection_peers.h"

#include <QString>

class MessagePolicy;
class RecognitionHandlers;
class TaskActions;
class TaskListController;
class TaskListView;
class QLineEdit;

// The hand operations on the Safe List and the Kill List: adding the selected task, adding or
// killing everything the All Task List shows, removing, clearing and un-selecting entries, the
// "Find Next" searches, and opening the Task Action window for a listed task.
class ListCommands {
public:
    // The reason the Task Action window shows for a task picked by hand.
    static inline const QString kUserSelectedReason = QStringLiteral("Selected by the user running task");

    ListCommands(const ListCommandControls& controls, const RecognitionHandlers& recognition, MessagePolicy& policy,
                 TaskActions& taskActions, TaskListController& taskList, ActionWindow& actionWindow);

    // Adds the selected task of the All Task List to the Safe List. `dynamicCh` true refuses a
    // name the Safe List already recognises (silently); false adds it anyway.
    void addRunningToSafeList(bool dynamicCh);
    void Button2Click() { addRunningToSafeList(true); }
    void AddtoSafeList2Click() { addRunningToSafeList(true); }
    void AddtoSafeListallowdoublicates1Click() { addRunningToSafeList(false); }

    void Button3Click();  // add the selected task to the Kill List
    void Button4Click();  // remove the selected entries of the Safe List
    void Button5Click();  // remove the selected entries of the Kill List
    void Button32Click(); // clear the Safe List
    void Button33Click(); // clear the Kill List
    void Button35Click(); // un-select all in the Safe List
    void Button36Click(); // un-select all in the Kill List

    void Button14Click(); // add all displayed tasks to the Safe List
    void Button15Click(); // kill all displayed tasks outside the Safe List

    void Button9Click();  // Find Next in the All Task List (Edit1)
    void Button10Click(); // Find Next in the Safe List (Edit2)
    void Button11Click(); // Find Next in the Kill List (Edit3)

    void Actionwindow1Click();

private:
    void removeSelected(TaskListView& list, const QString& nothingSelectedText);
    void findNext(TaskListView& list, const QLineEdit& searchBox);
    // Asks whether to show hidden tasks first, unless they are shown already; on Yes shows and
    // refreshes them. A question hidden by silent mode counts as No.
    // False when the question went away unanswered: the command then does nothing.
    bool offerHiddenTasks(const QString& text);

    ListCommandControls m_controls;
    const RecognitionHandlers& m_recognition;
    MessagePolicy& m_policy;
    TaskActions& m_taskActions;
    TaskListController& m_taskList;
    ActionWindow& m_actionWindow;
    bool m_killingAll = false; // the over-temperature check may call in while the question is open
};
