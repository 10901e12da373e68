#pragma once

class QAction;
class QCheckBox;
class QPushButton;
class QRadioButton;
class QTimer;
class QWidget;
class SpinEdit;
class TaskListView;

// The controls each task controller reads and sets, handed over by the main window that owns them.

// The "Task Management Options" that shape name recognition, and the lists they sort.
struct RecognitionControls {
    QCheckBox* cleverProcessingCheck = nullptr;
    QCheckBox* smartRecognitionCheck = nullptr;
    QCheckBox* filterTextLengthCheck = nullptr;
    QCheckBox* spareShortNamesCheck = nullptr;
    QCheckBox* limitNameLengthCheck = nullptr;
    QCheckBox* followWindowHandleCheck = nullptr;
    QCheckBox* sortedListsCheck = nullptr;
    QRadioButton* tolerancePercentRadio = nullptr;
    SpinEdit* smartToleranceSpin = nullptr;
    SpinEdit* shortNameLengthSpin = nullptr;
    SpinEdit* nameLengthLimitSpin = nullptr;
    TaskListView* allTasksView = nullptr;
    TaskListView* safeListView = nullptr;
    TaskListView* killListView = nullptr;
};

// The All Task List and the options that decide which tasks it shows.
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

// What the protection cycle reads and shows.
struct ProtectionControls {
    QWidget* mainWindow = nullptr; // the main window, whose caption shows the state
    TaskListView* safeListView = nullptr;
    TaskListView* killListView = nullptr;
    QPushButton* protectionButton = nullptr;
    QPushButton* treatAllAsNewButton = nullptr;
    QCheckBox* treatShownAsHiddenCheck = nullptr;
    QCheckBox* limitNameLengthCheck = nullptr;
    QCheckBox* followWindowHandleCheck = nullptr;
    QCheckBox* memoryWarningCheck = nullptr;
    QCheckBox* warnSafeListToCheck = nullptr;
    QCheckBox* quickRepeatCheck = nullptr;
    QCheckBox* matchSameNamesCheck = nullptr;
    SpinEdit* nameLengthLimitSpin = nullptr;
    SpinEdit* memoryWarningSpin = nullptr;
    QAction* protectionAction = nullptr;
    QAction* trayProtectionAction = nullptr;
    QAction* memoryWarningAction = nullptr;
    QTimer* temperatureTimer = nullptr;
    QAction* silentModeAction = nullptr; // triggered to switch silent mode off with its own boxes
};
