// Which handler each control, menu item and timer of the main window runs.
#include "app/shell_controller.h"
#include "app/silent_mode_controller.h"
#include "app/tray_controller.h"
#include "app/ttorvane.h"
#include "help/helping.h"
#include "lists/list_commands.h"
#include "lists/list_file_controller.h"
#include "memory/consume_controller.h"
#include "memory/ram_tab.h"
#include "tasks/protection.h"
#include "tasks/recognition_handlers.h"
#include "tasks/task_actions.h"
#include "tasks/task_list_controller.h"
#include "temperature/temperature_reactions.h"
#include "temperature/temperature_tab.h"
#include "widgets/task_list_view.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

void TTorvane::wireHandlers() {
    MainForm& f = m_form;
    ShellController* shell = m_shell.get();
    TaskListController* tasks = m_taskList.get();
    TaskActions* actions = m_taskActions.get();

    // Exit, collapse, temperature tab, settings kept on exit.
    handleMenuItem(f.Exit1, [shell] { shell->Exit1Click(); });
    handleMenuItem(f.Exit2, [shell] { shell->Exit2Click(); });
    handleMenuItem(f.Collapsetomenuonly1, [shell] { shell->Collapsetomenuonly1Click(); });
    handle(f.Button34, &QPushButton::clicked, [shell] { shell->Collapsetomenuonly1Click(); });
    handle(f.Button31, &QPushButton::clicked, [shell] { shell->Button31Click(); });
    handleMenuItem(f.emperatureTabEnabled1, [shell] { shell->Button31Click(); });
    handleMenuItem(f.TempMan, [shell] { shell->Button31Click(); });
    handleMenuItem(f.KeepSettingsonExit1, [shell] { shell->KeepSettingsonExit1Click(); });
    handle(f.CheckBox24, &QCheckBox::toggled, [shell] { shell->CheckBox24Click(); });
    // Only the user's click writes the entry; FormCreate sets the box from the disk.
    handle(f.StartAtLogin, &QCheckBox::clicked, [shell] { shell->StartAtLoginClick(); });

    // Tray and silent mode.
    TrayController* tray = m_trayController.get();
    SilentModeController* silent = m_silentMode.get();
    handle(f.Button13, &QPushButton::clicked, [tray] { tray->oTaskbar1Click(); });
    handle(f.BitBtn5, &QPushButton::clicked, [tray] { tray->oTaskbar1Click(); });
    handleMenuItem(f.oTaskbar1, [tray] { tray->oTaskbar1Click(); });
    handleMenuItem(f.oTray1, [tray] { tray->oTray1Click(); });
    handleMenuItem(f.SilentMode1, [silent] { silent->SilentMode1Click(); });
    handleMenuItem(f.SilentMode2, [silent] { silent->SilentMode1Click(); });
    handle(f.Button7, &QPushButton::clicked, [silent] { silent->SilentMode1Click(); });

    // Option panels.
    handle(f.BitBtn1, &QPushButton::clicked, [shell] { shell->BitBtn1Click(); });
    handle(f.BitBtn2, &QPushButton::clicked, [shell] { shell->BitBtn2Click(); });
    handle(f.BitBtn3, &QPushButton::clicked, [shell] { shell->BitBtn3Click(); });
    handle(f.BitBtn6, &QPushButton::clicked, [shell] { shell->BitBtn6Click(); });
    handle(f.BitBtn7, &QPushButton::clicked, [shell] { shell->BitBtn7Click(); });

    // List popups.
    handle(f.ListBox1, &TaskListView::listDoubleClicked, [shell] { shell->ListBox1DblClick(); });
    handle(f.ListBox1, &TaskListView::rightButtonReleased, [shell] { shell->ListBox1MouseUp(); });
    handle(f.ListBox2, &TaskListView::listDoubleClicked, [shell] { shell->ListBox2DblClick(); });
    handle(f.ListBox2, &TaskListView::rightButtonReleased, [shell] { shell->ListBox2MouseUp(); });
    handle(f.ListBox3, &TaskListView::listDoubleClicked, [shell] { shell->ListBox3DblClick(); });
    handle(f.ListBox3, &TaskListView::rightButtonReleased, [shell] { shell->ListBox3MouseUp(); });

    // The All Task List.
    handle(f.Button8, &QPushButton::clicked, [tasks] { tasks->RefreshTasks1Click(); });
    handleMenuItem(f.RefreshTasks1, [tasks] { tasks->RefreshTasks1Click(); });
    handle(f.Button12, &QPushButton::clicked, [tasks] { tasks->ShowHiddenTasksClick(); });
    handleMenuItem(f.ShowHiddenTasks, [tasks] { tasks->ShowHiddenTasksClick(); });
    handleMenuItem(f.TreatAsHidden1, [tasks] { tasks->TreatAsHidden1Click(); });
    handle(f.CheckBox1, &QCheckBox::toggled, [tasks] { tasks->CheckBox1Click(); });
    handleTimer(f.Timer2, [this] { Timer2Timer(); });

    // Kill and memory of the selected task.
    handle(f.Button1, &QPushButton::clicked, [actions] { actions->KillSelectedTask(); });
    handleMenuItem(f.Killtask2, [actions] { actions->KillSelectedTask(); });
    handle(f.Button25, &QPushButton::clicked, [actions] { actions->ShowSelectedMemory(); });
    handleMenuItem(f.ShowUsingMemory1, [actions] { actions->ShowSelectedMemory(); });
    handleMenuItem(f.Showmemory1, [actions] { actions->ShowSelectedMemory(); });

    // Protection.
    Protection* protection = m_protection.get();
    // While a box of an earlier tick is open, every tick still enforces the kill list.
    handleTimer(
        f.Timer3, [protection] { protection->Timer3Timer(); },
        [protection] { protection->enforceKillListMeanwhile(); });
    handle(f.Button6, &QPushButton::clicked, [protection] { protection->ShowS(); });
    handleMenuItem(f.KillHiddenNewTasks1, [protection] { protection->ShowS(); });
    handleMenuItem(f.KillNewTasks1, [protection] { protection->ShowS(); });
    handle(f.Button20, &QPushButton::clicked, [protection] { protection->Button20Click(); });
    m_platform.windows.watchWindows([this, protection](const std::vector<platform::WindowInfo>& windows) {
        guarded([protection, &windows] { protection->WindowsChanged(windows); });
    });
    handleMenuItem(f.WarnIfTaskUsesOver1, [protection] { protection->WarnIfTaskUsesOver1Click(); });
    handle(f.CheckBox10, &QCheckBox::toggled, [protection] { protection->CheckBox10Click(); });

    // Recognition options.
    RecognitionHandlers* recognition = m_recognition.get();
    handle(f.CheckBox5, &QCheckBox::toggled, [recognition] { recognition->CheckBox5Click(); });
    handle(f.CheckBox27, &QCheckBox::toggled, [recognition] { recognition->CheckBox27Click(); });
    connect(f.RadioButton6, &QRadioButton::toggled, this, [this, recognition](bool on) {
        if (on)
            guarded([recognition] { recognition->RadioButton6Click(); });
    });
    connect(f.RadioButton7, &QRadioButton::toggled, this, [this, recognition](bool on) {
        if (on)
            guarded([recognition] { recognition->RadioButton7Click(); });
    });

    // The safe list and kill list commands.
    ListCommands* lists = m_listCommands.get();
    handle(f.Button2, &QPushButton::clicked, [lists] { lists->Button2Click(); });
    handleMenuItem(f.AddtoSafeList2, [lists] { lists->AddtoSafeList2Click(); });
    handleMenuItem(f.AddtoSafeListallowdoublicates1, [lists] { lists->AddtoSafeListallowdoublicates1Click(); });
    for (QAction* item : {f.AddtoKillList1, f.AddtoKillList2})
        handleMenuItem(item, [lists] { lists->Button3Click(); });
    handle(f.Button3, &QPushButton::clicked, [lists] { lists->Button3Click(); });
    handle(f.Button4, &QPushButton::clicked, [lists] { lists->Button4Click(); });
    for (QAction* item : {f.RemoveSelectedTask1, f.Remove1})
        handleMenuItem(item, [lists] { lists->Button4Click(); });
    handle(f.Button5, &QPushButton::clicked, [lists] { lists->Button5Click(); });
    for (QAction* item : {f.RemoveSelectedTask2, f.Remove2})
        handleMenuItem(item, [lists] { lists->Button5Click(); });
    handle(f.Button32, &QPushButton::clicked, [lists] { lists->Button32Click(); });
    handleMenuItem(f.ClearSafeList1, [lists] { lists->Button32Click(); });
    handle(f.Button33, &QPushButton::clicked, [lists] { lists->Button33Click(); });
    handleMenuItem(f.ClearKillList1, [lists] { lists->Button33Click(); });
    handle(f.Button35, &QPushButton::clicked, [lists] { lists->Button35Click(); });
    handleMenuItem(f.Deselectall1, [lists] { lists->Button35Click(); });
    handle(f.Button36, &QPushButton::clicked, [lists] { lists->Button36Click(); });
    handleMenuItem(f.Deselectall2, [lists] { lists->Button36Click(); });
    handle(f.Button14, &QPushButton::clicked, [lists] { lists->Button14Click(); });
    handleMenuItem(f.AddAlltoSafeList1, [lists] { lists->Button14Click(); });
    handle(f.Button15, &QPushButton::clicked, [lists] { lists->Button15Click(); });
    handleMenuItem(f.KillAllOutsideSafeList1, [lists] { lists->Button15Click(); });
    handle(f.Button9, &QPushButton::clicked, [lists] { lists->Button9Click(); });
    handle(f.Edit1, &QLineEdit::textChanged, [lists] { lists->Button9Click(); });
    handle(f.Button10, &QPushButton::clicked, [lists] { lists->Button10Click(); });
    handle(f.Edit2, &QLineEdit::textChanged, [lists] { lists->Button10Click(); });
    handle(f.Button11, &QPushButton::clicked, [lists] { lists->Button11Click(); });
    handle(f.Edit3, &QLineEdit::textChanged, [lists] { lists->Button11Click(); });
    handleMenuItem(f.Actionwindow1, [lists] { lists->Actionwindow1Click(); });

    // The list file.
    ListFileController* listFile = m_listFile.get();
    handleMenuItem(f.SaveLists1, [listFile] { listFile->SaveLists1Click(); });
    handleMenuItem(f.LoadLists1, [listFile] { listFile->LoadLists1Click(); });

    handleTimer(f.Timer1, [this] { Timer1Timer(); });

    // Memory.
    ConsumeController* consume = &m_ramTab->consume();
    handleTimer(f.Timer4, [consume] { consume->Timer4Timer(); });
    handleMenuItem(f.Optimizeandfreenow1, [consume] { consume->Optimizeandfreenow1Click(); });
    handleMenuItem(f.OptimizeFreeEvery1, [consume] { consume->OptimizeFreeEvery1Click(); });
    handleMenuItem(f.Free1, [consume] { consume->Free1Click(); });
    handleMenuItem(f.Consumeto66, [consume] { consume->Consumeto66Click(); });
    handleMenuItem(f.Consumeto50, [consume] { consume->Consumeto50Click(); });
    handleMenuItem(f.Consume50ofavailable1, [consume] { consume->Consume50ofavailable1Click(); });
    handleMenuItem(f.Consume33ofavailable1, [consume] { consume->Consume33ofavailable1Click(); });

    // Temperature.
    TemperatureTab* temperature = m_temperatureTab;
    TemperatureReactions* reactions = &temperature->reactions();
    handleTimer(f.TempGetTimer, [temperature] { temperature->TempGetTimerTimer(); });
    handleMenuItem(f.StartCoreTempNow1, [temperature] { temperature->Button30Click(); });
    handleMenuItem(f.StartWithCoreTemp1, [reactions] { reactions->StartWithCoreTemp1Click(); });
    handleMenuItem(f.askRelatedTemperatureChanges1, [reactions] { reactions->askRelatedTemperatureChanges1Click(); });
    handleMenuItem(f.StoptaskProtection1, [reactions] { reactions->StoptaskProtection1Click(); });

    // Help.
    auto showHelp = [this] { m_helping->openHelp(m_values.HelpDir); };
    handle(f.BitBtn4, &QPushButton::clicked, showHelp);
    handleMenuItem(f.Help2, showHelp);
}
