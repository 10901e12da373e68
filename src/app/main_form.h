#pragma once

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;
class QWidget;
class SpinEdit;
class TaskListView;

// The main window's controls: its option store. Handlers read an option from its control at the
// moment they need it.

struct MainWindowControls {
    QWidget* mainWindow = nullptr; // the main window itself
    QPushButton* minimizeToTrayButton = nullptr;
    QPushButton* showHelpButton = nullptr;
    QProgressBar* countdownProgressBar = nullptr;
    QTabWidget* mainTabs = nullptr;
    QWidget* taskManagementPage = nullptr;
    QWidget* ramPage = nullptr;
    QWidget* internetPage = nullptr;
    QWidget* encryptionPage = nullptr;
    QWidget* temperaturePage = nullptr;
    QWidget* autoActionsPage = nullptr;
    QWidget* advancedPage = nullptr;
};

struct MainMenuControls {
    QMenuBar* mainMenuBar = nullptr;
    QMenu* tasksMenu = nullptr;
    QMenu* protectionMenu = nullptr;
    QAction* protectionAction = nullptr;
    QAction* treatAsHiddenAction = nullptr;
    QAction* memoryWarningAction = nullptr;
    QMenu* taskActionsMenu = nullptr;
    QAction* showHiddenTasksAction = nullptr;
    QAction* refreshTasksAction = nullptr;
    QMenu* listActionsMenu = nullptr;
    QAction* killAllOutsideSafeListAction = nullptr;
    QAction* addAllToSafeListAction = nullptr;
    QMenu* selectedTaskMenu = nullptr;
    QAction* killSelectedAction = nullptr;
    QAction* addToSafeListAction = nullptr;
    QAction* addToKillListAction = nullptr;
    QAction* showSelectedMemoryAction = nullptr;
    QMenu* listManagementMenu = nullptr;
    QAction* saveListsAction = nullptr;
    QAction* loadListsAction = nullptr;
    QMenu* safeListMenu = nullptr;
    QAction* removeFromSafeListAction = nullptr;
    QAction* clearSafeListAction = nullptr;
    QMenu* killListMenu = nullptr;
    QAction* removeFromKillListAction = nullptr;
    QAction* clearKillListAction = nullptr;
    QMenu* ramMenu = nullptr;
    QMenu* optimizeMenu = nullptr;
    QAction* optimizeNowAction = nullptr;
    QAction* periodicOptimizeAction = nullptr;
    QMenu* consumeMenu = nullptr;
    QAction* freeConsumedAction = nullptr;
    QAction* consumeToTwoThirdsAction = nullptr;
    QAction* consumeToHalfAction = nullptr;
    QAction* consumeHalfOfFreeAction = nullptr;
    QAction* consumeThirdOfFreeAction = nullptr;
    QMenu* temperatureMenu = nullptr;
    QMenu* coreTempMenu = nullptr;
    QAction* startCoreTempAction = nullptr;
    QAction* startCoreTempWithTorvaneAction = nullptr;
    QAction* detectTemperatureChangesAction = nullptr;
    QMenu* overheatMenu = nullptr;
    QAction* overheatStopProtectionAction = nullptr;
    QMenu* optionsMenu = nullptr;
    QAction* collapseToMenuAction = nullptr;
    QAction* keepSettingsAction = nullptr;
    QAction* silentModeAction = nullptr;
    QAction* toTrayAction = nullptr;
    QAction* temperatureTabAction = nullptr;
    QAction* exitAction = nullptr;
    QMenu* helpMenu = nullptr;
    QAction* showHelpAction = nullptr;
};

struct PopupMenuControls {
    // Tray menu.
    QMenu* trayMenu = nullptr;
    QAction* trayProtectionAction = nullptr;
    QAction* trayToTrayAction = nullptr;
    QAction* trayExitAction = nullptr;
    QAction* traySilentModeAction = nullptr;
    QAction* trayTemperatureTabAction = nullptr;
    // Safe List.
    QMenu* safeListPopup = nullptr;
    QAction* safeListCancelAction = nullptr;
    QAction* safeListRemoveAction = nullptr;
    QAction* safeListCheckRunningAction = nullptr;
    QAction* safeListDeselectAction = nullptr;
    // Kill List.
    QMenu* killListPopup = nullptr;
    QAction* killListCancelAction = nullptr;
    QAction* killListRemoveAction = nullptr;
    QAction* killListDeselectAction = nullptr;
    // All Task List.
    QMenu* allTasksPopup = nullptr;
    QAction* allTasksCancelAction = nullptr;
    QAction* allTasksActionWindowAction = nullptr;
    QAction* allTasksKillAction = nullptr;
    QAction* allTasksAddToSafeListAction = nullptr;
    QAction* allTasksAddToSafeListAgainAction = nullptr;
    QAction* allTasksAddToKillListAction = nullptr;
    QAction* allTasksShowMemoryAction = nullptr;
};

struct TimerControls {
    QTimer* statusTimer = nullptr;
    QTimer* refreshTimer = nullptr;
    QTimer* protectionTimer = nullptr;
};

struct MainForm : MainWindowControls, MainMenuControls, PopupMenuControls, TimerControls {};
