#pragma once

#include "lists/list_controls.h"
#include "lists/list_options.h"
#include "platform/types.h"
#include "tasks/protection_peers.h"
#include "tasks/task_list_options.h"

#include <QString>

class MessagePolicy;
class RecognitionHandlers;
class TaskActions;
class TaskListController;
class TaskListView;

// The hand operations on the Safe List and the Kill List: adding the selected task, adding or
// killing everything the All Task List shows, removing, clearing and un-selecting entries, the
// "Find Next" searches, and opening the Task Action window for a listed task.
class ListCommands {
public:
    // The reason the Task Action window shows for a task picked by hand.
    static inline const QString kUserSelectedReason = QStringLiteral("Selected by the user running task");

    ListCommands(const ListCommandControls& controls, const ListSearchOptions& search,
                 const TaskListOptions& taskListOptions, const RecognitionHandlers& recognition, MessagePolicy& policy,
                 TaskActions& taskActions, TaskListController& taskList, ActionWindow& actionWindow);

    // Adds the selected task of the All Task List to the Safe List. `dynamicCh` true refuses a
    // name the Safe List already recognises (silently); false adds it anyway.
    void addRunningToSafeList(bool dynamicCh);
    void onAddToSafeListClicked() { addRunningToSafeList(true); }
    void onAllTasksAddToSafeListTriggered() { addRunningToSafeList(true); }
    void onAllTasksAddToSafeListAgainTriggered() { addRunningToSafeList(false); }

    void onAddToKillListClicked();      // add the selected task to the Kill List
    void onRemoveFromSafeListClicked(); // remove the selected entries of the Safe List
    void onRemoveFromKillListClicked(); // remove the selected entries of the Kill List
    void onClearSafeListClicked();      // clear the Safe List
    void onClearKillListClicked();      // clear the Kill List
    void onSafeListUnselectClicked();   // un-select all in the Safe List
    void onKillListUnselectClicked();   // un-select all in the Kill List

    void onAddAllToSafeListClicked();       // add all displayed tasks to the Safe List
    void onKillAllOutsideSafeListClicked(); // kill all displayed tasks outside the Safe List
    // The same for another reason than the user's command (the activity log records it).
    void killAllOutsideSafeList(const QString& reason);

    void onAllTasksFindNextClicked(); // Find Next in the All Task List
    void onSafeListFindNextClicked(); // Find Next in the Safe List
    void onKillListFindNextClicked(); // Find Next in the Kill List

    void onAllTasksActionWindowTriggered();

private:
    void removeSelected(TaskListView& list, const QString& nothingSelectedText);
    void findNext(TaskListView& list, const QString& text);
    // Asks whether to show hidden tasks first, unless they are shown already; on Yes shows and
    // refreshes them. A question hidden by silent mode counts as No.
    // False when the question went away unanswered: the command then does nothing.
    bool offerHiddenTasks(const QString& text);

    ListCommandControls m_controls;
    const ListSearchOptions& m_search;
    const TaskListOptions& m_taskListOptions;
    const RecognitionHandlers& m_recognition;
    MessagePolicy& m_policy;
    TaskActions& m_taskActions;
    TaskListController& m_taskList;
    ActionWindow& m_actionWindow;
    bool m_killingAll = false; // the over-temperature check may call in while the question is open
};
