// Which handler each control, menu item and timer of the main window runs.
#include "app/advanced_options_tab.h"
#include "app/main_window.h"
#include "app/shell_controller.h"
#include "app/silent_mode_controller.h"
#include "app/tray_controller.h"
#include "help/help_window.h"
#include "lists/list_file_controller.h"
#include "lists/task_management_tab.h"
#include "tasks/protection.h"
#include "widgets/task_list_view.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

void MainWindow::wireHandlers() {
    MainForm& f = m_form;
    ShellController* shell = m_shell.get();
    const TaskTabControls& t = m_taskTab->controls();
    const AdvancedTabControls& a = m_advancedTab->controls();

    // Exit, collapse, temperature tab, settings kept on exit.
    handleMenuItem(f.trayExitAction, [shell] { shell->onTrayExitTriggered(); });
    handleMenuItem(f.exitAction, [shell] { shell->onExitTriggered(); });
    handleMenuItem(f.collapseToMenuAction, [shell] { shell->onCollapseToMenuTriggered(); });
    handle(a.collapseToMenuButton, &QPushButton::clicked, [shell] { shell->onCollapseToMenuTriggered(); });
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
    handle(a.moveToTrayButton, &QPushButton::clicked, [tray] { tray->onToTrayTriggered(); });
    handleMenuItem(f.toTrayAction, [tray] { tray->onToTrayTriggered(); });
    handleMenuItem(f.trayToTrayAction, [tray] { tray->onTrayToTrayTriggered(); });
    handleMenuItem(f.silentModeAction, [silent] { silent->onSilentModeTriggered(); });
    handleMenuItem(f.traySilentModeAction, [silent] { silent->onSilentModeTriggered(); });
    handle(f.enableSilentModeButton, &QPushButton::clicked, [silent] { silent->onSilentModeTriggered(); });

    // Option panels.
    handle(f.consumePanelButton, &QPushButton::clicked, [shell] { shell->onConsumePanelClicked(); });
    handle(t.taskManagementPanelButton, &QPushButton::clicked, [shell] { shell->onTaskManagementPanelClicked(); });
    handle(t.protectionPanelButton, &QPushButton::clicked, [shell] { shell->onProtectionPanelClicked(); });
    handle(t.safeListPanelButton, &QPushButton::clicked, [shell] { shell->onSafeListPanelClicked(); });
    handle(t.killListPanelButton, &QPushButton::clicked, [shell] { shell->onKillListPanelClicked(); });

    // List popups.
    handle(t.allTasksView, &TaskListView::listDoubleClicked, [shell] { shell->onAllTasksDoubleClicked(); });
    handle(t.allTasksView, &TaskListView::rightButtonReleased, [shell] { shell->onAllTasksMouseReleased(); });
    handle(t.safeListView, &TaskListView::listDoubleClicked, [shell] { shell->onSafeListDoubleClicked(); });
    handle(t.safeListView, &TaskListView::rightButtonReleased, [shell] { shell->onSafeListMouseReleased(); });
    handle(t.killListView, &TaskListView::listDoubleClicked, [shell] { shell->onKillListDoubleClicked(); });
    handle(t.killListView, &TaskListView::rightButtonReleased, [shell] { shell->onKillListMouseReleased(); });

    // The Task Management and Advanced Options tabs connect their own controls and menu items.
    handleTimer(f.refreshTimer, [this] { onRefreshTick(); });

    // Protection.
    Protection* protection = m_protection.get();
    // While a box of an earlier tick is open, every tick still enforces the kill list.
    handleTimer(
        f.protectionTimer, [protection] { protection->onProtectionTick(); },
        [protection] { protection->enforceKillListMeanwhile(); });
    m_platform.windows.watchWindows([this, protection](const std::vector<platform::WindowInfo>& windows) {
        guarded([protection, &windows] { protection->WindowsChanged(windows); });
    });

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
