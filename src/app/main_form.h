#pragma once

#include "lists/task_menu_items.h"
#include "memory/ram_controls.h"
#include "temperature/temperature_tab_controls.h"

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
    QMenu* taskActionsMenu = nullptr;
    QMenu* listActionsMenu = nullptr;
    QMenu* selectedTaskMenu = nullptr;
    QAction* killSelectedAction = nullptr;
    QAction* addToSafeListAction = nullptr;
    QMenu* listManagementMenu = nullptr;
    QAction* saveListsAction = nullptr;
    QAction* loadListsAction = nullptr;
    QAction* historyAction = nullptr;
    QMenu* safeListMenu = nullptr;
    QMenu* killListMenu = nullptr;
    QMenu* ramMenu = nullptr;
    QMenu* optimizeMenu = nullptr;
    QMenu* consumeMenu = nullptr;
    QMenu* temperatureMenu = nullptr;
    QMenu* coreTempMenu = nullptr;
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
    QAction* trayToTrayAction = nullptr;
    QAction* trayExitAction = nullptr;
    QAction* traySilentModeAction = nullptr;
    QAction* trayTemperatureTabAction = nullptr;
    // Safe List.
    QMenu* safeListPopup = nullptr;
    QAction* safeListCancelAction = nullptr;
    QAction* safeListCheckRunningAction = nullptr;
    // Kill List.
    QMenu* killListPopup = nullptr;
    QAction* killListCancelAction = nullptr;
    // All Task List.
    QMenu* allTasksPopup = nullptr;
    QAction* allTasksCancelAction = nullptr;
};

struct TimerControls {
    QTimer* statusTimer = nullptr;
    QTimer* refreshTimer = nullptr;
    QTimer* protectionTimer = nullptr;
};

struct MainForm : MainWindowControls,
                  TaskMenuItems,
                  MemoryMenuItems,
                  TemperatureMenuItems,
                  MainMenuControls,
                  PopupMenuControls,
                  TimerControls {};
