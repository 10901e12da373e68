// Which handler each control, menu item and timer of the main window runs.
#include "app/shell_controller.h"
#include "app/ttorvane.h"
#include "core/task_list_view.h"
#include "lists/list_file_controller.h"
#include "tasks/task_actions.h"
#include "tasks/task_list_controller.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
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
    handle(f.Timer2, &QTimer::timeout, [tasks] { tasks->RefreshTasks1Click(); });

    // Kill and memory of the selected task.
    handle(f.Button1, &QPushButton::clicked, [actions] { actions->KillSelectedTask(); });
    handleMenuItem(f.Killtask2, [actions] { actions->KillSelectedTask(); });
    handle(f.Button25, &QPushButton::clicked, [actions] { actions->ShowSelectedMemory(); });
    handleMenuItem(f.ShowUsingMemory1, [actions] { actions->ShowSelectedMemory(); });
    handleMenuItem(f.Showmemory1, [actions] { actions->ShowSelectedMemory(); });

    // The list file.
    ListFileController* listFile = m_listFile.get();
    handleMenuItem(f.SaveLists1, [listFile] { listFile->SaveLists1Click(); });
    handleMenuItem(f.LoadLists1, [listFile] { listFile->LoadLists1Click(); });

    // Help.
    auto showHelp = [this] {
        if (hooks.showHelp)
            hooks.showHelp();
    };
    handle(f.BitBtn4, &QPushButton::clicked, showHelp);
    handleMenuItem(f.Help2, showHelp);
}
