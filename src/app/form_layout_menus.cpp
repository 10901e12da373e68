#include "app/form_layout.h"
#include "app/main_form.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace {

QMenu* submenu(QWidget* parentMenu, const char* name, const QString& caption, const QString& hint = {}) {
    QMenu* menu = nullptr;
    if (auto* bar = qobject_cast<QMenuBar*>(parentMenu))
        menu = bar->addMenu(caption);
    else
        menu = static_cast<QMenu*>(parentMenu)->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    menu->setToolTipsVisible(true);
    if (!hint.isEmpty()) {
        menu->menuAction()->setToolTip(hint);
        menu->menuAction()->setStatusTip(hint);
    }
    return menu;
}

// A menu item; `checkable` items show a check mark, which only their handlers change.
QAction* item(QMenu* menu, const char* name, const QString& caption, const QString& hint = {}, bool checkable = false,
              bool checked = false) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    if (!hint.isEmpty()) {
        action->setToolTip(hint);
        action->setStatusTip(hint);
    }
    action->setCheckable(checkable);
    action->setChecked(checked);
    return action;
}

} // namespace

void buildMainMenu(MainForm& f, QMenuBar* bar) {
    f.mainMenuBar = bar;
    bar->setObjectName(QStringLiteral("mainMenuBar"));
    const QString moreInTemperatureTab = QStringLiteral("More options can be found in the Temperature tab.");

    f.tasksMenu = submenu(bar, "tasksMenu", QStringLiteral("Task"));
    f.protectionMenu = submenu(f.tasksMenu, "protectionMenu", QStringLiteral("Protection options..."));
    f.protectionAction = item(f.protectionMenu, "protectionAction", QStringLiteral("Start Protection"),
                              QStringLiteral("Click to start/stop task protection."), true);
    f.treatAsHiddenAction =
        item(f.protectionMenu, "treatAsHiddenAction", QStringLiteral("Treat non-hidden tasks as Hidden"),
             QStringLiteral("Option for protection of non-hidden tasks as well."), true);
    f.memoryWarningAction =
        item(f.protectionMenu, "memoryWarningAction", QStringLiteral("Warn if task uses over 55 memory Mega Bytes"),
             QStringLiteral("Protection must be started."), true, true);

    f.taskActionsMenu = submenu(f.tasksMenu, "TaskActions", QStringLiteral("Task management options..."));
    f.showHiddenTasksAction = item(f.taskActionsMenu, "ShowHiddenTasks", QStringLiteral("Show Hidden Tasks"), {}, true);
    f.refreshTasksAction = item(f.taskActionsMenu, "refreshTasksAction", QStringLiteral("Refresh Tasks"));
    f.listActionsMenu = submenu(f.taskActionsMenu, "listActionsMenu", QStringLiteral("List actions..."));
    f.killAllOutsideSafeListAction =
        item(f.listActionsMenu, "killAllOutsideSafeListAction", QStringLiteral("Kill All Outside Safe List"));
    f.addAllToSafeListAction =
        item(f.listActionsMenu, "addAllToSafeListAction", QStringLiteral("Add All to Safe List"));
    f.selectedTaskMenu = submenu(f.taskActionsMenu, "selectedTaskMenu", QStringLiteral("Selected task actions..."));
    f.killSelectedAction = item(f.selectedTaskMenu, "killSelectedAction", QStringLiteral("Kill Selected Task"));
    f.addToSafeListAction = item(f.selectedTaskMenu, "addToSafeListAction", QStringLiteral("Add to Safe List"));
    f.addToKillListAction = item(f.selectedTaskMenu, "addToKillListAction", QStringLiteral("Add to Kill List"));
    f.showSelectedMemoryAction =
        item(f.selectedTaskMenu, "showSelectedMemoryAction", QStringLiteral("Show Using Memory"));

    f.listManagementMenu = submenu(f.tasksMenu, "listManagementMenu", QStringLiteral("List management..."));
    f.saveListsAction = item(f.listManagementMenu, "saveListsAction", QStringLiteral("Save Lists"));
    f.loadListsAction = item(f.listManagementMenu, "loadListsAction", QStringLiteral("Load Lists"));
    f.safeListMenu = submenu(f.listManagementMenu, "safeListMenu", QStringLiteral("Safe List options..."));
    f.removeFromSafeListAction =
        item(f.safeListMenu, "removeFromSafeListAction", QStringLiteral("Remove selected task"));
    f.clearSafeListAction = item(f.safeListMenu, "clearSafeListAction", QStringLiteral("Clear Safe List"));
    f.killListMenu = submenu(f.listManagementMenu, "killListMenu", QStringLiteral("Kill List options..."));
    f.removeFromKillListAction =
        item(f.killListMenu, "removeFromKillListAction", QStringLiteral("Remove selected task"));
    f.clearKillListAction = item(f.killListMenu, "clearKillListAction", QStringLiteral("Clear Kill List"));
    f.historyAction = item(f.tasksMenu, "historyAction", QStringLiteral("History"),
                           QStringLiteral("What Torvane ended, asked to close, refused or remembered, and why."));

    f.ramMenu = submenu(bar, "ramMenu", QStringLiteral("RAM"));
    f.optimizeMenu = submenu(f.ramMenu, "optimizeMenu", QStringLiteral("Optimize and free RAM"));
    f.optimizeNowAction = item(f.optimizeMenu, "optimizeNowAction", QStringLiteral("Optimize and free now"));
    f.periodicOptimizeAction =
        item(f.optimizeMenu, "periodicOptimizeAction", QStringLiteral("Optimize and free every 1 minutes"), {}, true);
    f.consumeMenu = submenu(f.ramMenu, "consumeMenu", QStringLiteral("Consume Options"));
    f.freeConsumedAction = item(f.consumeMenu, "freeConsumedAction", QStringLiteral("Free all consumed"));
    f.consumeToTwoThirdsAction = item(f.consumeMenu, "consumeToTwoThirdsAction", QStringLiteral("Consume to 66%"));
    f.consumeToHalfAction = item(f.consumeMenu, "consumeToHalfAction", QStringLiteral("Consume to 50%"));
    f.consumeHalfOfFreeAction =
        item(f.consumeMenu, "consumeHalfOfFreeAction", QStringLiteral("Consume 50% of available"));
    f.consumeThirdOfFreeAction =
        item(f.consumeMenu, "consumeThirdOfFreeAction", QStringLiteral("Consume 33% of available"));

    f.temperatureMenu = submenu(bar, "temperatureMenu", QStringLiteral("Temperature"));
    f.coreTempMenu = submenu(f.temperatureMenu, "coreTempMenu", QStringLiteral("Start Core Temp..."),
                             QStringLiteral("Core Temp is the core-temp companion program beside Torvane; it "
                                            "publishes the CPU core temperatures."));
    f.startCoreTempAction = item(f.coreTempMenu, "startCoreTempAction", QStringLiteral("Start Core Temp now"));
    f.startCoreTempWithTorvaneAction = item(f.coreTempMenu, "startCoreTempWithTorvaneAction",
                                            QStringLiteral("Start Core Temp with Torvane"), {}, true);
    f.detectTemperatureChangesAction = item(
        f.temperatureMenu, "detectTemperatureChangesAction", QStringLiteral("Detect task-related temperature changes"),
        QStringLiteral("If inabled, will warn if temperature rises and try to detect task-related reasons."), true);
    f.overheatMenu = submenu(f.temperatureMenu, "overheatMenu",
                             QStringLiteral("If biggest temperature over 90 degrees..."), moreInTemperatureTab);
    f.overheatStopProtectionAction = item(f.overheatMenu, "overheatStopProtectionAction",
                                          QStringLiteral("Stop task Protection"), moreInTemperatureTab, true);

    f.optionsMenu = submenu(bar, "optionsMenu", QStringLiteral("Options"));
    f.collapseToMenuAction = item(f.optionsMenu, "collapseToMenuAction", QStringLiteral("Collapse to menu only"),
                                  QStringLiteral("If selected, will hide all tabs, so that only Torvane's menu appers. "
                                                 "Thus using less screen space."),
                                  true);
    f.keepSettingsAction =
        item(f.optionsMenu, "keepSettingsAction", QStringLiteral("Keep Settings on Exit"), {}, true, true);
    f.silentModeAction =
        item(f.optionsMenu, "silentModeAction", QStringLiteral("Silent Mode"),
             QStringLiteral("Silent mode will make all tasks not in the Safe List to be killed immediately "
                            "and it will disable most messages."),
             true);
    f.toTrayAction = item(f.optionsMenu, "toTrayAction", QStringLiteral("To Tray"),
                          QStringLiteral("Moves Torvane to Windows tray."));
    f.temperatureTabAction = item(f.optionsMenu, "temperatureTabAction", QStringLiteral("Temperature tab enabled"),
                                  QStringLiteral("Disabling the Temperature tab can make Torvane run more smoothly and "
                                                 "with less resources."),
                                  true, true);
    f.exitAction = item(f.optionsMenu, "exitAction", QStringLiteral("Exit"));

    f.helpMenu = submenu(bar, "helpMenu", QStringLiteral("Help"));
    f.showHelpAction = item(f.helpMenu, "showHelpAction", QStringLiteral("Show Help"),
                            QStringLiteral("Displays Torvane's help context."));
}

void buildPopupMenus(MainForm& f, QWidget* owner) {
    auto popup = [owner](const char* name) {
        auto* menu = new QMenu(owner);
        menu->setObjectName(QLatin1String(name));
        menu->setToolTipsVisible(true);
        return menu;
    };
    f.trayMenu = popup("trayMenu");
    f.trayProtectionAction = item(f.trayMenu, "trayProtectionAction", QStringLiteral("Protection"),
                                  QStringLiteral("Click to start/stop protection"), true);
    f.trayToTrayAction = item(f.trayMenu, "trayToTrayAction", QStringLiteral("To Tray"),
                              QStringLiteral("Click to minimize to tray/restore from tray."));
    f.trayExitAction = item(f.trayMenu, "trayExitAction", QStringLiteral("Exit"));
    f.traySilentModeAction = item(f.trayMenu, "traySilentModeAction", QStringLiteral("Silent Mode"), {}, true);
    f.trayTemperatureTabAction =
        item(f.trayMenu, "trayTemperatureTabAction", QStringLiteral("Temperature Tab"), {}, true, true);

    f.safeListPopup = popup("safeListPopup");
    f.safeListCancelAction = item(f.safeListPopup, "safeListCancelAction", QStringLiteral("Cancel"));
    f.safeListRemoveAction = item(f.safeListPopup, "safeListRemoveAction", QStringLiteral("Remove from Safe List"));
    f.safeListCheckRunningAction =
        item(f.safeListPopup, "safeListCheckRunningAction", QStringLiteral("Check if running"));
    f.safeListDeselectAction = item(f.safeListPopup, "safeListDeselectAction", QStringLiteral("Deselect all"));

    f.killListPopup = popup("killListPopup");
    f.killListCancelAction = item(f.killListPopup, "killListCancelAction", QStringLiteral("Cancel"));
    f.killListRemoveAction = item(f.killListPopup, "killListRemoveAction", QStringLiteral("Remove from Kill List"));
    f.killListDeselectAction = item(f.killListPopup, "killListDeselectAction", QStringLiteral("Deselect all"));

    f.allTasksPopup = popup("allTasksPopup");
    f.allTasksCancelAction = item(f.allTasksPopup, "allTasksCancelAction", QStringLiteral("Cancel"));
    f.allTasksActionWindowAction =
        item(f.allTasksPopup, "allTasksActionWindowAction", QStringLiteral("Show new task action window"));
    f.allTasksKillAction =
        item(f.allTasksPopup, "allTasksKillAction", QStringLiteral("Kill task (will kill parrent application)"));
    f.allTasksAddToSafeListAction =
        item(f.allTasksPopup, "allTasksAddToSafeListAction", QStringLiteral("Add to Safe List"));
    f.allTasksAddToSafeListAgainAction = item(f.allTasksPopup, "allTasksAddToSafeListAgainAction",
                                              QStringLiteral("Add to Safe List (allow doublicates)"));
    f.allTasksAddToKillListAction = item(f.allTasksPopup, "allTasksAddToKillListAction",
                                         QStringLiteral("Add to Kill List (will be always killed)"));
    f.allTasksShowMemoryAction = item(f.allTasksPopup, "allTasksShowMemoryAction", QStringLiteral("Show memory"));
}

void buildTimers(MainForm& f, QObject* owner) {
    auto timer = [owner](const char* name, int interval, bool running) {
        auto* t = new QTimer(owner);
        t->setObjectName(QLatin1String(name));
        t->setInterval(interval);
        if (running)
            t->start();
        return t;
    };
    f.statusTimer = timer("statusTimer", 150, true);
    f.refreshTimer = timer("refreshTimer", 2500, true);
    f.protectionTimer = timer("protectionTimer", 500, true);
}
