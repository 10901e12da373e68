#pragma once

class QWidget;
class TaskListView;

// The controls the list controllers read and set, handed over by the main window that owns them.

// The three lists the commands act on.
struct ListCommandControls {
    TaskListView* allTasksView = nullptr;
    TaskListView* safeListView = nullptr;
    TaskListView* killListView = nullptr;
};

// The lists the list file holds, and the window its file dialogs belong to.
struct ListFileControls {
    QWidget* mainWindow = nullptr;
    TaskListView* safeListView = nullptr;
    TaskListView* killListView = nullptr;
};
