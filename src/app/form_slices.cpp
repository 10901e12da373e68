#include "app/form_slices.h"

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
