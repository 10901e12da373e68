// Which handler each control, menu item and timer of the main window runs.
#include "app/main_window.h"
#include "app/shell_controller.h"
#include "app/silent_mode_controller.h"
#include "app/tray_controller.h"
#include "help/help_window.h"
#include "lists/list_commands.h"
#include "lists/list_file_controller.h"
#include "tasks/protection.h"
#include "tasks/recognition_handlers.h"
#include "tasks/task_actions.h"
#include "tasks/task_list_controller.h"
#include "widgets/task_list_view.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

void MainWindow::wireHandlers() {
    MainForm& f = m_form;
    ShellController* shell = m_shell.get();
    TaskListController* tasks = m_taskList.get();
    TaskActions* actions = m_taskActions.get();

    // Exit, collapse, temperature tab, settings kept on exit.
    handleMenuItem(f.trayExitAction, [shell] { shell->onTrayExitTriggered(); });
    handleMenuItem(f.exitAction, [shell] { shell->onExitTriggered(); });
    handleMenuItem(f.collapseToMenuAction, [shell] { shell->onCollapseToMenuTriggered(); });
    handle(f.collapseToMenuButton, &QPushButton::clicked, [shell] { shell->onCollapseToMenuTriggered(); });
    handle(f.disableTemperatureTabButton, &QPushButton::clicked, [shell] { shell->onDisableTemperatureTabClicked(); });
    handleMenuItem(f.temperatureTabAction, [shell] { shell->onDisableTemperatureTabClicked(); });
    handleMenuItem(f.trayTemperatureTabAction, [shell] { shell->onDisableTemperatureTabClicked(); });
    handleMenuItem(f.keepSettingsAction, [shell] { shell->onKeepSettingsTriggered(); });
    handle(f.keepSettingsCheck, &QCheckBox::toggled, [shell] { shell->onKeepSettingsToggled(); });
    // Only the user's click writes the entry; onCreated sets the box from the disk.
    handle(f.startAtLoginCheck, &QCheckBox::clicked, [shell] { shell->onStartAtLoginToggled(); });

    // Tray and silent mode.
    TrayController* tray = m_trayController.get();
    SilentModeController* silent = m_silentMode.get();
    handle(f.minimizeToTrayButton, &QPushButton::clicked, [tray] { tray->onToTrayTriggered(); });
    handle(f.moveToTrayButton, &QPushButton::clicked, [tray] { tray->onToTrayTriggered(); });
    handleMenuItem(f.toTrayAction, [tray] { tray->onToTrayTriggered(); });
    handleMenuItem(f.trayToTrayAction, [tray] { tray->onTrayToTrayTriggered(); });
    handleMenuItem(f.silentModeAction, [silent] { silent->onSilentModeTriggered(); });
    handleMenuItem(f.traySilentModeAction, [silent] { silent->onSilentModeTriggered(); });
    handle(f.enableSilentModeButton, &QPushButton::clicked, [silent] { silent->onSilentModeTriggered(); });

    // Option panels.
    handle(f.consumePanelButton, &QPushButton::clicked, [shell] { shell->onConsumePanelClicked(); });
    handle(f.taskManagementPanelButton, &QPushButton::clicked, [shell] { shell->onTaskManagementPanelClicked(); });
    handle(f.protectionPanelButton, &QPushButton::clicked, [shell] { shell->onProtectionPanelClicked(); });
    handle(f.safeListPanelButton, &QPushButton::clicked, [shell] { shell->onSafeListPanelClicked(); });
    handle(f.killListPanelButton, &QPushButton::clicked, [shell] { shell->onKillListPanelClicked(); });

    // List popups.
    handle(f.allTasksView, &TaskListView::listDoubleClicked, [shell] { shell->onAllTasksDoubleClicked(); });
    handle(f.allTasksView, &TaskListView::rightButtonReleased, [shell] { shell->onAllTasksMouseReleased(); });
    handle(f.safeListView, &TaskListView::listDoubleClicked, [shell] { shell->onSafeListDoubleClicked(); });
    handle(f.safeListView, &TaskListView::rightButtonReleased, [shell] { shell->onSafeListMouseReleased(); });
    handle(f.killListView, &TaskListView::listDoubleClicked, [shell] { shell->onKillListDoubleClicked(); });
    handle(f.killListView, &TaskListView::rightButtonReleased, [shell] { shell->onKillListMouseReleased(); });

    // The All Task List.
    handle(f.refreshTasksButton, &QPushButton::clicked, [tasks] { tasks->onRefreshTasksTriggered(); });
    handleMenuItem(f.refreshTasksAction, [tasks] { tasks->onRefreshTasksTriggered(); });
    handle(f.showHiddenButton, &QPushButton::clicked, [tasks] { tasks->onShowHiddenTasksTriggered(); });
    handleMenuItem(f.showHiddenTasksAction, [tasks] { tasks->onShowHiddenTasksTriggered(); });
    handleMenuItem(f.treatAsHiddenAction, [tasks] { tasks->onTreatAsHiddenTriggered(); });
    handle(f.treatShownAsHiddenCheck, &QCheckBox::toggled, [tasks] { tasks->onTreatShownAsHiddenToggled(); });
    handleTimer(f.refreshTimer, [this] { onRefreshTick(); });

    // Kill and memory of the selected task.
    handle(f.killSelectedButton, &QPushButton::clicked, [actions] { actions->KillSelectedTask(); });
    handleMenuItem(f.allTasksKillAction, [actions] { actions->KillSelectedTask(); });
    handle(f.showSelectedMemoryButton, &QPushButton::clicked, [actions] { actions->ShowSelectedMemory(); });
    handleMenuItem(f.showSelectedMemoryAction, [actions] { actions->ShowSelectedMemory(); });
    handleMenuItem(f.allTasksShowMemoryAction, [actions] { actions->ShowSelectedMemory(); });

    // Protection.
    Protection* protection = m_protection.get();
    // While a box of an earlier tick is open, every tick still enforces the kill list.
    handleTimer(
        f.protectionTimer, [protection] { protection->onProtectionTick(); },
        [protection] { protection->enforceKillListMeanwhile(); });
    handle(f.protectionButton, &QPushButton::clicked, [protection] { protection->toggleProtection(); });
    handleMenuItem(f.protectionAction, [protection] { protection->toggleProtection(); });
    handleMenuItem(f.trayProtectionAction, [protection] { protection->toggleProtection(); });
    handle(f.treatAllAsNewButton, &QPushButton::clicked, [protection] { protection->onTreatAllAsNewClicked(); });
    m_platform.windows.watchWindows([this, protection](const std::vector<platform::WindowInfo>& windows) {
        guarded([protection, &windows] { protection->WindowsChanged(windows); });
    });
    handleMenuItem(f.memoryWarningAction, [protection] { protection->onMemoryWarningTriggered(); });
    handle(f.memoryWarningCheck, &QCheckBox::toggled, [protection] { protection->onMemoryWarningToggled(); });

    // Recognition options.
    RecognitionHandlers* recognition = m_recognition.get();
    handle(f.smartRecognitionCheck, &QCheckBox::toggled, [recognition] { recognition->onSmartRecognitionToggled(); });
    handle(f.sortedListsCheck, &QCheckBox::toggled, [recognition] { recognition->onSortedListsToggled(); });
    connect(f.tolerancePercentRadio, &QRadioButton::toggled, this, [this, recognition](bool on) {
        if (on)
            guarded([recognition] { recognition->onTolerancePercentToggled(); });
    });
    connect(f.toleranceTotalRadio, &QRadioButton::toggled, this, [this, recognition](bool on) {
        if (on)
            guarded([recognition] { recognition->onToleranceTotalToggled(); });
    });

    // The safe list and kill list commands.
    ListCommands* lists = m_listCommands.get();
    handle(f.addToSafeListButton, &QPushButton::clicked, [lists] { lists->onAddToSafeListClicked(); });
    handleMenuItem(f.allTasksAddToSafeListAction, [lists] { lists->onAllTasksAddToSafeListTriggered(); });
    handleMenuItem(f.allTasksAddToSafeListAgainAction, [lists] { lists->onAllTasksAddToSafeListAgainTriggered(); });
    for (QAction* item : {f.addToKillListAction, f.allTasksAddToKillListAction})
        handleMenuItem(item, [lists] { lists->onAddToKillListClicked(); });
    handle(f.addToKillListButton, &QPushButton::clicked, [lists] { lists->onAddToKillListClicked(); });
    handle(f.removeFromSafeListButton, &QPushButton::clicked, [lists] { lists->onRemoveFromSafeListClicked(); });
    for (QAction* item : {f.removeFromSafeListAction, f.safeListRemoveAction})
        handleMenuItem(item, [lists] { lists->onRemoveFromSafeListClicked(); });
    handle(f.removeFromKillListButton, &QPushButton::clicked, [lists] { lists->onRemoveFromKillListClicked(); });
    for (QAction* item : {f.removeFromKillListAction, f.killListRemoveAction})
        handleMenuItem(item, [lists] { lists->onRemoveFromKillListClicked(); });
    handle(f.clearSafeListButton, &QPushButton::clicked, [lists] { lists->onClearSafeListClicked(); });
    handleMenuItem(f.clearSafeListAction, [lists] { lists->onClearSafeListClicked(); });
    handle(f.clearKillListButton, &QPushButton::clicked, [lists] { lists->onClearKillListClicked(); });
    handleMenuItem(f.clearKillListAction, [lists] { lists->onClearKillListClicked(); });
    handle(f.safeListUnselectButton, &QPushButton::clicked, [lists] { lists->onSafeListUnselectClicked(); });
    handleMenuItem(f.safeListDeselectAction, [lists] { lists->onSafeListUnselectClicked(); });
    handle(f.killListUnselectButton, &QPushButton::clicked, [lists] { lists->onKillListUnselectClicked(); });
    handleMenuItem(f.killListDeselectAction, [lists] { lists->onKillListUnselectClicked(); });
    handle(f.addAllToSafeListButton, &QPushButton::clicked, [lists] { lists->onAddAllToSafeListClicked(); });
    handleMenuItem(f.addAllToSafeListAction, [lists] { lists->onAddAllToSafeListClicked(); });
    handle(f.killAllOutsideSafeListButton, &QPushButton::clicked,
           [lists] { lists->onKillAllOutsideSafeListClicked(); });
    handleMenuItem(f.killAllOutsideSafeListAction, [lists] { lists->onKillAllOutsideSafeListClicked(); });
    handle(f.allTasksFindNextButton, &QPushButton::clicked, [lists] { lists->onAllTasksFindNextClicked(); });
    handle(f.allTasksFindEdit, &QLineEdit::textChanged, [lists] { lists->onAllTasksFindNextClicked(); });
    handle(f.safeListFindNextButton, &QPushButton::clicked, [lists] { lists->onSafeListFindNextClicked(); });
    handle(f.safeListFindEdit, &QLineEdit::textChanged, [lists] { lists->onSafeListFindNextClicked(); });
    handle(f.killListFindNextButton, &QPushButton::clicked, [lists] { lists->onKillListFindNextClicked(); });
    handle(f.killListFindEdit, &QLineEdit::textChanged, [lists] { lists->onKillListFindNextClicked(); });
    handleMenuItem(f.allTasksActionWindowAction, [lists] { lists->onAllTasksActionWindowTriggered(); });

    // The list file.
    ListFileController* listFile = m_listFile.get();
    handleMenuItem(f.saveListsAction, [listFile] { listFile->onSaveListsTriggered(); });
    handleMenuItem(f.loadListsAction, [listFile] { listFile->onLoadListsTriggered(); });

    handleTimer(f.statusTimer, [this] { onStatusTick(); });

    // Help.
    auto showHelp = [this] { m_helping->openHelp(m_values.HelpDir); };
    handle(f.showHelpButton, &QPushButton::clicked, showHelp);
    handleMenuItem(f.showHelpAction, showHelp);
}
