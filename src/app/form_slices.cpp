#include "app/form_slices.h"

RecognitionControls recognitionControls(const MainForm& f) {
    return {.cleverProcessingCheck = f.cleverProcessingCheck,
            .smartRecognitionCheck = f.smartRecognitionCheck,
            .filterTextLengthCheck = f.filterTextLengthCheck,
            .spareShortNamesCheck = f.spareShortNamesCheck,
            .limitNameLengthCheck = f.limitNameLengthCheck,
            .followWindowHandleCheck = f.followWindowHandleCheck,
            .sortedListsCheck = f.sortedListsCheck,
            .tolerancePercentRadio = f.tolerancePercentRadio,
            .smartToleranceSpin = f.smartToleranceSpin,
            .shortNameLengthSpin = f.shortNameLengthSpin,
            .nameLengthLimitSpin = f.nameLengthLimitSpin,
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
            .treatShownAsHiddenCheck = f.treatShownAsHiddenCheck,
            .limitNameLengthCheck = f.limitNameLengthCheck,
            .followWindowHandleCheck = f.followWindowHandleCheck,
            .memoryWarningCheck = f.memoryWarningCheck,
            .warnSafeListToCheck = f.warnSafeListToCheck,
            .quickRepeatCheck = f.quickRepeatCheck,
            .matchSameNamesCheck = f.matchSameNamesCheck,
            .nameLengthLimitSpin = f.nameLengthLimitSpin,
            .memoryWarningSpin = f.memoryWarningSpin,
            .protectionAction = f.protectionAction,
            .trayProtectionAction = f.trayProtectionAction,
            .memoryWarningAction = f.memoryWarningAction,
            .silentModeAction = f.silentModeAction};
}

ListCommandControls listCommandControls(const MainForm& f) {
    return {.allTasksView = f.allTasksView,
            .safeListView = f.safeListView,
            .killListView = f.killListView,
            .allTasksFindEdit = f.allTasksFindEdit,
            .safeListFindEdit = f.safeListFindEdit,
            .killListFindEdit = f.killListFindEdit,
            .showHiddenTasksAction = f.showHiddenTasksAction};
}

ListFileControls listFileControls(const MainForm& f) {
    return {.mainWindow = f.mainWindow, .safeListView = f.safeListView, .killListView = f.killListView};
}

TemperatureMenuItems temperatureMenuItems(const MainForm& f) {
    return {.startCoreTempAction = f.startCoreTempAction,
            .startCoreTempWithTorvaneAction = f.startCoreTempWithTorvaneAction,
            .detectTemperatureChangesAction = f.detectTemperatureChangesAction,
            .overheatMenu = f.overheatMenu,
            .overheatStopProtectionAction = f.overheatStopProtectionAction};
}
