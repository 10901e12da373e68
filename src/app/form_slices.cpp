#include "app/form_slices.h"

RecognitionControls recognitionControls(const MainForm& f) {
    return {.smartRecognitionCheck = f.smartRecognitionCheck,
            .filterTextLengthCheck = f.filterTextLengthCheck,
            .spareShortNamesCheck = f.spareShortNamesCheck,
            .shortNameLengthSpin = f.shortNameLengthSpin,
            .smartToleranceSpin = f.smartToleranceSpin,
            .allTasksView = f.allTasksView,
            .safeListView = f.safeListView,
            .killListView = f.killListView};
}

TaskListControls taskListControls(const MainForm& f) {
    return {.allTasksView = f.allTasksView,
            .showHiddenTasksAction = f.showHiddenTasksAction,
            .treatAsHiddenAction = f.treatAsHiddenAction,
            .treatShownAsHiddenCheck = f.treatShownAsHiddenCheck,
            .showHiddenButton = f.showHiddenButton};
}

TaskActionControls taskActionControls(const MainForm& f) {
    return {.allTasksView = f.allTasksView, .safeListView = f.safeListView};
}

ProtectionControls protectionControls(const MainForm& f) {
    return {.mainWindow = f.mainWindow,
            .safeListView = f.safeListView,
            .killListView = f.killListView,
            .protectionButton = f.protectionButton,
            .treatAllAsNewButton = f.treatAllAsNewButton,
            .memoryWarningCheck = f.memoryWarningCheck,
            .warnSafeListToCheck = f.warnSafeListToCheck,
            .protectionAction = f.protectionAction,
            .trayProtectionAction = f.trayProtectionAction,
            .memoryWarningAction = f.memoryWarningAction,
            .temperatureTimer = f.temperatureTimer,
            .silentModeAction = f.silentModeAction};
}

ListCommandControls listCommandControls(const MainForm& f) {
    return {.allTasksView = f.allTasksView, .safeListView = f.safeListView, .killListView = f.killListView};
}

ListFileControls listFileControls(const MainForm& f) {
    return {.mainWindow = f.mainWindow, .safeListView = f.safeListView, .killListView = f.killListView};
}

TemperatureMenuControls temperatureMenuControls(const MainForm& f) {
    return {.killListView = f.killListView,
            .overheatMenu = f.overheatMenu,
            .startCoreTempWithTorvaneAction = f.startCoreTempWithTorvaneAction,
            .detectTemperatureChangesAction = f.detectTemperatureChangesAction,
            .overheatStopProtectionAction = f.overheatStopProtectionAction};
}
