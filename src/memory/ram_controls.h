#pragma once

class GraphImage;
class QAction;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QWidget;
class SpinEdit;

// The controls of the "RAM Management" tab.
struct MemoryStatusControls {
    QLabel* usedPhysicalLabel = nullptr;
    QProgressBar* usedPhysicalGauge = nullptr;
    QLabel* freePhysicalLabel = nullptr;
    QProgressBar* freePhysicalGauge = nullptr;
    QLabel* usedPagingLabel = nullptr;
    QProgressBar* usedPagingGauge = nullptr;
    QLabel* usedVirtualLabel = nullptr;
    QProgressBar* usedVirtualGauge = nullptr;
    QLabel* memoryGraphTitleLabel = nullptr;
    GraphImage* memoryGraphImage = nullptr;
};

struct ConsumeControls {
    QPushButton* optimizeAndFreeButton = nullptr;
    QCheckBox* periodicOptimizeCheck = nullptr;
    SpinEdit* optimizeIntervalSpin = nullptr;
    QLabel* optimizeMinutesLabel = nullptr;
    QProgressBar* consumedGauge = nullptr;

    QPushButton* consumePanelButton = nullptr; // shows and hides consumePanel
    QWidget* consumePanel = nullptr;
    QLabel* consumeBytesLabel = nullptr;
    SpinEdit* consumeFirstFactorSpin = nullptr;
    SpinEdit* consumeSecondFactorSpin = nullptr;
    SpinEdit* consumeThirdFactorSpin = nullptr;
    QPushButton* consumeButton = nullptr; // "GO" / "Free"
    QCheckBox* periodicRewriteCheck = nullptr;
    SpinEdit* rewriteIntervalSpin = nullptr;
    QLabel* rewriteMinutesLabel = nullptr;
    QPushButton* rewriteNowButton = nullptr;
    QPushButton* quickConsumeButton = nullptr;
    QRadioButton* oneThirdRemainsFreeRadio = nullptr;
    QRadioButton* halfRemainsFreeRadio = nullptr;
    QRadioButton* thirdOfFreeRadio = nullptr;
    QRadioButton* halfOfFreeRadio = nullptr;
    QRadioButton* extraMegabytesRadio = nullptr;
    SpinEdit* extraMegabytesSpin = nullptr;
    QLabel* safetyCapLabel = nullptr;
    SpinEdit* safetyCapSpin = nullptr;
};

struct RamControls : MemoryStatusControls, ConsumeControls {};

// The main menu's items that serve the tab; it connects them itself. An item left out stays unconnected.
struct MemoryMenuItems {
    QAction* optimizeNowAction = nullptr;
    QAction* periodicOptimizeAction = nullptr; // mirrors periodicOptimizeCheck and shows its minutes
    QAction* freeConsumedAction = nullptr;
    QAction* consumeToTwoThirdsAction = nullptr;
    QAction* consumeToHalfAction = nullptr;
    QAction* consumeHalfOfFreeAction = nullptr;
    QAction* consumeThirdOfFreeAction = nullptr;
};
