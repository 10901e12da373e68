#pragma once

class QAction;
class QCheckBox;
class QPushButton;
class QRadioButton;
class QTimer;
class QWidget;
class SpinEdit;
class TaskListView;

// The controls each task controller reads and sets, handed over by the main window that owns them.
// Names are the program's own: ListBox1 the All Task List, ListBox2 the Safe List, ListBox3 the
// Kill List.

// The "Task Management Options" that shape name recognition, and the lists they sort.
struct RecognitionControls {
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    QCheckBox* CheckBox7 = nullptr;
    QCheckBox* CheckBox8 = nullptr;
    QCheckBox* CheckBox9 = nullptr;
    QCheckBox* CheckBox27 = nullptr;
    QRadioButton* RadioButton6 = nullptr;
    SpinEdit* SpinEdit7 = nullptr;
    SpinEdit* SpinEdit8 = nullptr;
    SpinEdit* SpinEdit9 = nullptr;
    TaskListView* ListBox1 = nullptr;
    TaskListView* ListBox2 = nullptr;
    TaskListView* ListBox3 = nullptr;
};

// The All Task List and the options that decide which tasks it shows.
struct TaskListControls {
    TaskListView* ListBox1 = nullptr;
    QAction* ShowHiddenTasks = nullptr;
    QAction* TreatAsHidden1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* Button12 = nullptr;
};

// The lists a kill or a memory reading picks its task from.
struct TaskActionControls {
    TaskListView* ListBox1 = nullptr;
    TaskListView* ListBox2 = nullptr;
};

// What the protection cycle reads and shows.
struct ProtectionControls {
    QWidget* Torvane = nullptr; // the main window, whose caption shows the state
    TaskListView* ListBox2 = nullptr;
    TaskListView* ListBox3 = nullptr;
    QPushButton* Button6 = nullptr;
    QPushButton* Button20 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox8 = nullptr;
    QCheckBox* CheckBox9 = nullptr;
    QCheckBox* CheckBox10 = nullptr;
    QCheckBox* CheckBox11 = nullptr;
    QCheckBox* CheckBox25 = nullptr;
    QCheckBox* CheckBox26 = nullptr;
    SpinEdit* SpinEdit9 = nullptr;
    SpinEdit* SpinEdit10 = nullptr;
    QAction* KillHiddenNewTasks1 = nullptr;
    QAction* KillNewTasks1 = nullptr;
    QAction* WarnIfTaskUsesOver1 = nullptr;
    QTimer* TempGetTimer = nullptr;
    QAction* SilentMode1 = nullptr; // triggered to switch silent mode off with its own boxes
};
