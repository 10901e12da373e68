#pragma once

class QAction;

// The menu items (main menu, tray menu and the lists' popups) that serve the tab; the menus create them.
struct TaskMenuItems {
    QAction* protectionAction = nullptr; // its check mark says whether protection is on
    QAction* trayProtectionAction = nullptr;
    QAction* memoryWarningAction = nullptr;
    QAction* treatAsHiddenAction = nullptr;
    QAction* showHiddenTasksAction = nullptr; // its check mark says whether hidden tasks are shown
    QAction* refreshTasksAction = nullptr;
    QAction* showSelectedMemoryAction = nullptr;
    QAction* addToKillListAction = nullptr;
    QAction* removeFromSafeListAction = nullptr;
    QAction* clearSafeListAction = nullptr;
    QAction* removeFromKillListAction = nullptr;
    QAction* clearKillListAction = nullptr;
    QAction* addAllToSafeListAction = nullptr;
    QAction* killAllOutsideSafeListAction = nullptr;
    QAction* safeListRemoveAction = nullptr;
    QAction* safeListDeselectAction = nullptr;
    QAction* killListRemoveAction = nullptr;
    QAction* killListDeselectAction = nullptr;
    QAction* allTasksActionWindowAction = nullptr;
    QAction* allTasksKillAction = nullptr;
    QAction* allTasksAddToSafeListAction = nullptr;
    QAction* allTasksAddToSafeListAgainAction = nullptr;
    QAction* allTasksAddToKillListAction = nullptr;
    QAction* allTasksShowMemoryAction = nullptr;
};
