#pragma once

class GraphImage;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QWidget;
class SpinEdit;

// The controls of the "RAM Management" tab, named as the program names them.
struct MemoryStatusControls {
    QLabel* Label4 = nullptr;
    QProgressBar* Ram_Usage = nullptr;
    QLabel* Label5 = nullptr;
    QProgressBar* Free_Mem = nullptr;
    QLabel* Label6 = nullptr;
    QProgressBar* Page_File = nullptr;
    QLabel* Label7 = nullptr;
    QProgressBar* VR_Usage = nullptr;
    QLabel* GraphTitle = nullptr; // "Graph of current RAM usage"
    GraphImage* Graph1 = nullptr;
};

struct ConsumeControls {
    QPushButton* Button27 = nullptr; // "Optimize and free RAM"
    QCheckBox* CheckBox12 = nullptr; // "Optimize and free every"
    SpinEdit* SpinEdit11 = nullptr;
    QLabel* OptimizeMinutesLabel = nullptr;
    QProgressBar* Gauge1 = nullptr;

    QPushButton* BitBtn1 = nullptr; // shows and hides ScrollBox2
    QWidget* ScrollBox2 = nullptr;
    QLabel* ConsumeBytesTitle = nullptr; // "Consume Memory Bytes"
    SpinEdit* SpinEdit1 = nullptr;
    SpinEdit* SpinEdit2 = nullptr;
    SpinEdit* SpinEdit3 = nullptr;
    QPushButton* Button17 = nullptr; // "GO" / "Free"
    QCheckBox* CheckBox3 = nullptr;  // "Rewrite every"
    SpinEdit* SpinEdit4 = nullptr;
    QLabel* RewriteMinutesLabel = nullptr;
    QPushButton* Button18 = nullptr; // "Rewrite Now"
    QPushButton* Button19 = nullptr; // "Free all Consumed and Quick Consume:"
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QRadioButton* RadioButton4 = nullptr;
    QRadioButton* RadioButton5 = nullptr;
    SpinEdit* SpinEdit5 = nullptr;
    QLabel* SafetyCapLabel = nullptr; // "Safety Cap RAM Mega Bytes:"
    SpinEdit* SpinEdit6 = nullptr;
};

struct RamControls : MemoryStatusControls, ConsumeControls {};
