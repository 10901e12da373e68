#pragma once

#include <array>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class SpinEdit;
class TemperatureImage;

// The controls of the "Temperature" tab.
struct TemperatureControls {
    QLabel* averageTemperatureHeading = nullptr;
    QLabel* coreTemperatureHeading = nullptr;
    TemperatureImage* averageTemperatureGraph = nullptr;
    TemperatureImage* coreTemperatureGraph = nullptr;
    QPushButton* zoomInButton = nullptr;
    QPushButton* zoomOutButton = nullptr;
    QPushButton* zoomDefaultButton = nullptr;
    QScrollArea* colorPanel = nullptr;
    std::array<QLabel*, 8> coreLabels{};        // "Core 1:" .. "Core 8:"
    std::array<QPushButton*, 8> colorButtons{}; // ButtonColor1 .. ButtonColor8

    QPushButton* startCoreTempButton = nullptr;
    QCheckBox* startCoreTempWithTorvaneCheck = nullptr;
    QCheckBox* detectTemperatureChangesCheck = nullptr;
    SpinEdit* changeToleranceSpin = nullptr;   // tolerance of the change detection
    SpinEdit* overheatThresholdSpin = nullptr; // over-temperature threshold
    QCheckBox* overheatKillCheck = nullptr;
    SpinEdit* overheatKillUsageSpin = nullptr;
    QCheckBox* overheatStopProtectionCheck = nullptr;
    QCheckBox* overheatStopMemoryCheck = nullptr;
    QCheckBox* overheatStopLookupCheck = nullptr;
    QCheckBox* overheatShutDownCheck = nullptr;
    QCheckBox* overheatRebootCheck = nullptr;
};

// The main menu's temperature items; the tab connects them and keeps their marks equal to its boxes.
struct TemperatureMenuItems {
    QAction* startCoreTempAction = nullptr;
    QAction* startCoreTempWithTorvaneAction = nullptr;
    QAction* detectTemperatureChangesAction = nullptr;
    QMenu* overheatMenu = nullptr; // its title shows the threshold
    QAction* overheatStopProtectionAction = nullptr;
};
