#pragma once

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;
class QWidget;
class SpinEdit;
class TaskListView;

// The main window's controls: its option store. Handlers read an option from its control at the
// moment they need it. Names are the program's own.

struct MainWindowControls {
    QWidget* Torvane = nullptr; // the main window itself
    QPushButton* Button13 = nullptr;
    QPushButton* BitBtn4 = nullptr;
    QProgressBar* ActCountoun = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QWidget* Encryption = nullptr;
    QWidget* Temperature = nullptr;
    QWidget* AutoWindowsActions = nullptr;
    QWidget* TabSheet5 = nullptr;
};

struct TaskTabControls {
    TaskListView* ListBox1 = nullptr;
    TaskListView* ListBox2 = nullptr;
    TaskListView* ListBox3 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QPushButton* Button9 = nullptr;
    QPushButton* Button10 = nullptr;
    QPushButton* Button11 = nullptr;
    QPushButton* Button12 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QWidget* ScrollBox3 = nullptr;
    QPushButton* Button8 = nullptr;
    QPushButton* Button25 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button15 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button14 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button20 = nullptr;
    QPushButton* Button6 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QWidget* ScrollBox4 = nullptr;
    QCheckBox* CheckBox10 = nullptr;
    SpinEdit* SpinEdit10 = nullptr;
    QCheckBox* CheckBox11 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* BitBtn6 = nullptr;
    QWidget* ScrollBox5 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button35 = nullptr;
    QPushButton* Button32 = nullptr;
    QPushButton* BitBtn7 = nullptr;
    QWidget* ScrollBox6 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button36 = nullptr;
    QPushButton* Button33 = nullptr;
};

struct RamTabControls {
    QPushButton* BitBtn1 = nullptr;
    QWidget* ScrollBox2 = nullptr;
};

struct AdvancedTabControls {
    QCheckBox* CheckBox5 = nullptr;
    SpinEdit* SpinEdit7 = nullptr;
    QRadioButton* RadioButton6 = nullptr;
    QRadioButton* RadioButton7 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    QCheckBox* CheckBox7 = nullptr;
    SpinEdit* SpinEdit8 = nullptr;
    QCheckBox* CheckBox9 = nullptr;
    QCheckBox* CheckBox8 = nullptr;
    SpinEdit* SpinEdit9 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBox26 = nullptr;
    QCheckBox* CheckBox27 = nullptr;
    QCheckBox* CheckBox25 = nullptr;
    QPushButton* Button34 = nullptr;
    QCheckBox* CheckBox24 = nullptr;
    QPushButton* BitBtn5 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* StartAtLogin = nullptr; // "Start Torvane when I log in"; its state is the autostart entry
    QPushButton* Button31 = nullptr;
    QPushButton* Button7 = nullptr;
};

struct MainMenuControls {
    QMenuBar* MainMenu1 = nullptr;
    QMenu* Tasks1 = nullptr;
    QMenu* ProtectionOptions1 = nullptr;
    QAction* KillHiddenNewTasks1 = nullptr;
    QAction* TreatAsHidden1 = nullptr;
    QAction* WarnIfTaskUsesOver1 = nullptr;
    QMenu* TaskActions = nullptr;
    QAction* ShowHiddenTasks = nullptr;
    QAction* RefreshTasks1 = nullptr;
    QMenu* ListActions1 = nullptr;
    QAction* KillAllOutsideSafeList1 = nullptr;
    QAction* AddAlltoSafeList1 = nullptr;
    QMenu* Selectedtaskactions1 = nullptr;
    QAction* KillTask1 = nullptr;
    QAction* AddtoSafeList1 = nullptr;
    QAction* AddtoKillList1 = nullptr;
    QAction* ShowUsingMemory1 = nullptr;
    QMenu* ListManagement1 = nullptr;
    QAction* SaveLists1 = nullptr;
    QAction* LoadLists1 = nullptr;
    QMenu* SafeListOptions1 = nullptr;
    QAction* RemoveSelectedTask1 = nullptr;
    QAction* ClearSafeList1 = nullptr;
    QMenu* KillListOptions1 = nullptr;
    QAction* RemoveSelectedTask2 = nullptr;
    QAction* ClearKillList1 = nullptr;
    QMenu* RAM1 = nullptr;
    QMenu* OptimizeAndFreeRAM1 = nullptr;
    QAction* Optimizeandfreenow1 = nullptr;
    QAction* OptimizeFreeEvery1 = nullptr;
    QMenu* ConsumeOptions1 = nullptr;
    QAction* Free1 = nullptr;
    QAction* Consumeto66 = nullptr;
    QAction* Consumeto50 = nullptr;
    QAction* Consume50ofavailable1 = nullptr;
    QAction* Consume33ofavailable1 = nullptr;
    QMenu* TemperatureOptions1 = nullptr;
    QMenu* StartCoreTemp1 = nullptr;
    QAction* StartCoreTempNow1 = nullptr;
    QAction* StartWithCoreTemp1 = nullptr;
    QAction* askRelatedTemperatureChanges1 = nullptr;
    QMenu* IfBiggestTemperatureOver1 = nullptr;
    QAction* StoptaskProtection1 = nullptr;
    QMenu* Options1 = nullptr;
    QAction* Collapsetomenuonly1 = nullptr;
    QAction* KeepSettingsonExit1 = nullptr;
    QAction* SilentMode1 = nullptr;
    QAction* oTaskbar1 = nullptr;
    QAction* emperatureTabEnabled1 = nullptr;
    QAction* Exit2 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* Help2 = nullptr;
};

struct PopupMenuControls {
    // Tray menu.
    QMenu* PopupMenu1 = nullptr;
    QAction* KillNewTasks1 = nullptr;
    QAction* oTray1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* SilentMode2 = nullptr;
    QAction* TempMan = nullptr;
    // Safe List.
    QMenu* PopupMenu2 = nullptr;
    QAction* Cancel1 = nullptr;
    QAction* Remove1 = nullptr;
    QAction* Checkifrunning1 = nullptr;
    QAction* Deselectall1 = nullptr;
    // Kill List.
    QMenu* PopupMenu3 = nullptr;
    QAction* Cancel2 = nullptr;
    QAction* Remove2 = nullptr;
    QAction* Deselectall2 = nullptr;
    // All Task List.
    QMenu* PopupMenu4 = nullptr;
    QAction* Cancel3 = nullptr;
    QAction* Actionwindow1 = nullptr;
    QAction* Killtask2 = nullptr;
    QAction* AddtoSafeList2 = nullptr;
    QAction* AddtoSafeListallowdoublicates1 = nullptr;
    QAction* AddtoKillList2 = nullptr;
    QAction* Showmemory1 = nullptr;
};

struct TimerControls {
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* Timer4 = nullptr;
    QTimer* Timer5 = nullptr;
    QTimer* Countdown = nullptr;
    QTimer* TempGetTimer = nullptr;
};

struct MainForm : MainWindowControls,
                  TaskTabControls,
                  RamTabControls,
                  AdvancedTabControls,
                  MainMenuControls,
                  PopupMenuControls,
                  TimerControls {};
