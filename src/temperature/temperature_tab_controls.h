#pragma once

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;
class SpinEdit;
class TemperatureImage;

// The controls of the "Temperature" tab, named as the program names them.
struct TemperatureControls {
    QLabel* Graph2Heading = nullptr;
    QLabel* Graph3Heading = nullptr;
    TemperatureImage* Graph2 = nullptr;
    TemperatureImage* Graph3 = nullptr;
    QPushButton* ZoomIn = nullptr;
    QPushButton* ZoomOut = nullptr;
    QPushButton* ZoomDef = nullptr;
    QScrollArea* ColorPanel = nullptr;
    std::array<QLabel*, 8> CoreLabels{};        // "Core 1:" .. "Core 8:"
    std::array<QPushButton*, 8> ButtonColors{}; // ButtonColor1 .. ButtonColor8

    QPushButton* Button30 = nullptr;
    QCheckBox* CheckBox17 = nullptr;
    QCheckBox* CheckBox21 = nullptr;
    SpinEdit* SpinEdit15 = nullptr; // tolerance of the change detection
    SpinEdit* SpinEdit13 = nullptr; // over-temperature threshold
    QCheckBox* CheckBox15 = nullptr;
    SpinEdit* SpinEdit14 = nullptr;
    QCheckBox* CheckBox16 = nullptr;
    QCheckBox* CheckBox19 = nullptr;
    QCheckBox* CheckBox18 = nullptr;
    QCheckBox* CheckBox22 = nullptr;
    QCheckBox* CheckBox23 = nullptr;
};
