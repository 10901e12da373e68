#pragma once

class QAction;
class QLineEdit;
class QWidget;
class TaskListView;

// The controls the list controllers read and set, handed over by the main window that owns them:
// ListBox1 the All Task List, ListBox2 the Safe List, ListBox3 the Kill List.

// The three lists, their "Find Next" boxes and whether hidden tasks are shown.
struct ListCommandControls {
    TaskListView* ListBox1 = nullptr;
    TaskListView* ListBox2 = nullptr;
    TaskListView* ListBox3 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QAction* ShowHiddenTasks = nullptr;
};

// The lists the list file holds, and the window its file dialogs belong to.
struct ListFileControls {
    QWidget* Torvane = nullptr;
    TaskListView* ListBox2 = nullptr;
    TaskListView* ListBox3 = nullptr;
};
