#pragma once

class QAction;
class QCheckBox;
class QPushButton;
class QTimer;
class QWidget;
class SpinEdit;
class TaskListView;

// The controls each task controller reads and sets, handed over by the main window that owns them.

// The recognition controls the option reactions set, and the lists they sort.
struct RecognitionControls {
    QCheckBox* smartRecognitionCheck = nullptr; // enables the three below
    QCheckBox* filterTextLengthCheck = nullptr;
    QCheckBox* spareShortNamesCheck = nullptr;
    SpinEdit* shortNameLengthSpin = nullptr;
    SpinEdit* smartToleranceSpin = nullptr; // rescaled when the tolerance mode changes
    TaskListView* allTasksView = nullptr;
    TaskListView* safeListView = nullptr;
    TaskListView* killListView = nullptr;
};

// The All Task List, the items that show which tasks it holds, and the mirrored "treat non-hidden
// tasks as hidden" option.
struct TaskListControls {
    TaskListView* allTasksView = nullptr;
    QAction* showHiddenTasksAction = nullptr;
    QAction* treatAsHiddenAction = nullptr;
    QCheckBox* treatShownAsHiddenCheck = nullptr;
    QPushButton* showHiddenButton = nullptr;
};

// The lists a kill or a memory reading picks its task from.
struct TaskActionControls {
    TaskListView* allTasksView = nullptr;
    TaskListView* safeListView = nullptr;
};

// What the protection cycle shows and sets.
struct ProtectionControls {
    QWidget* mainWindow = nullptr; // the main window, whose caption shows the state
    TaskListView* safeListView = nullptr;
    TaskListView* killListView = nullptr;
    QPushButton* protectionButton = nullptr;
    QPushButton* treatAllAsNewButton = nullptr;
    QCheckBox* memoryWarningCheck = nullptr;  // ticked from its menu item
    QCheckBox* warnSafeListToCheck = nullptr; // enabled while the memory warning is on
    QAction* protectionAction = nullptr;      // its check mark is the protection's state
    QAction* trayProtectionAction = nullptr;
    QAction* memoryWarningAction = nullptr;
    QTimer* temperatureTimer = nullptr;
    QAction* silentModeAction = nullptr; // triggered to switch silent mode off with its own boxes
};
