#pragma once

class QAction;
class QLineEdit;
class QWidget;
class TaskListView;

// The controls the list controllers read and set, handed over by the main window that owns them.

// The three lists, their "Find Next" boxes and whether hidden tasks are shown.
struct ListCommandControls {
    TaskListView* allTasksView = nullptr;
    TaskListView* safeListView = nullptr;
    TaskListView* killListView = nullptr;
    QLineEdit* allTasksFindEdit = nullptr;
    QLineEdit* safeListFindEdit = nullptr;
    QLineEdit* killListFindEdit = nullptr;
    QAction* showHiddenTasksAction = nullptr;
};

// The lists the list file holds, and the window its file dialogs belong to.
struct ListFileControls {
    QWidget* mainWindow = nullptr;
    TaskListView* safeListView = nullptr;
    TaskListView* killListView = nullptr;
};
