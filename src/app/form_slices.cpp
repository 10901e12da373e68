#include "app/form_slices.h"

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
