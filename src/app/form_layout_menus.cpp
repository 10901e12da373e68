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
    f.MainMenu1 = bar;
    bar->setObjectName(QStringLiteral("MainMenu1"));
    const QString moreInTemperatureTab = QStringLiteral("More options can be found in the Temperature tab.");

    f.Tasks1 = submenu(bar, "Tasks1", QStringLiteral("Task"));
    f.ProtectionOptions1 = submenu(f.Tasks1, "ProtectionOptions1", QStringLiteral("Protection options..."));
    f.KillHiddenNewTasks1 = item(f.ProtectionOptions1, "KillHiddenNewTasks1", QStringLiteral("Start Protection"),
                                 QStringLiteral("Click to start/stop task protection."), true);
    f.TreatAsHidden1 = item(f.ProtectionOptions1, "TreatAsHidden1", QStringLiteral("Treat non-hidden tasks as Hidden"),
                            QStringLiteral("Option for protection of non-hidden tasks as well."), true);
    f.WarnIfTaskUsesOver1 =
        item(f.ProtectionOptions1, "WarnIfTaskUsesOver1", QStringLiteral("Warn if task uses over 55 memory Mega Bytes"),
             QStringLiteral("Protection must be started."), true, true);

    f.TaskActions = submenu(f.Tasks1, "TaskActions", QStringLiteral("Task management options..."));
    f.ShowHiddenTasks = item(f.TaskActions, "ShowHiddenTasks", QStringLiteral("Show Hidden Tasks"), {}, true);
    f.RefreshTasks1 = item(f.TaskActions, "RefreshTasks1", QStringLiteral("Refresh Tasks"));
    f.ListActions1 = submenu(f.TaskActions, "ListActions1", QStringLiteral("List actions..."));
    f.KillAllOutsideSafeList1 =
        item(f.ListActions1, "KillAllOutsideSafeList1", QStringLiteral("Kill All Outside Safe List"));
    f.AddAlltoSafeList1 = item(f.ListActions1, "AddAlltoSafeList1", QStringLiteral("Add All to Safe List"));
    f.Selectedtaskactions1 = submenu(f.TaskActions, "Selectedtaskactions1", QStringLiteral("Selected task actions..."));
    f.KillTask1 = item(f.Selectedtaskactions1, "KillTask1", QStringLiteral("Kill Selected Task"));
    f.AddtoSafeList1 = item(f.Selectedtaskactions1, "AddtoSafeList1", QStringLiteral("Add to Safe List"));
    f.AddtoKillList1 = item(f.Selectedtaskactions1, "AddtoKillList1", QStringLiteral("Add to Kill List"));
    f.ShowUsingMemory1 = item(f.Selectedtaskactions1, "ShowUsingMemory1", QStringLiteral("Show Using Memory"));

    f.ListManagement1 = submenu(f.Tasks1, "ListManagement1", QStringLiteral("List management..."));
    f.SaveLists1 = item(f.ListManagement1, "SaveLists1", QStringLiteral("Save Lists"));
    f.LoadLists1 = item(f.ListManagement1, "LoadLists1", QStringLiteral("Load Lists"));
    f.SafeListOptions1 = submenu(f.ListManagement1, "SafeListOptions1", QStringLiteral("Safe List options..."));
    f.RemoveSelectedTask1 = item(f.SafeListOptions1, "RemoveSelectedTask1", QStringLiteral("Remove selected task"));
    f.ClearSafeList1 = item(f.SafeListOptions1, "ClearSafeList1", QStringLiteral("Clear Safe List"));
    f.KillListOptions1 = submenu(f.ListManagement1, "KillListOptions1", QStringLiteral("Kill List options..."));
    f.RemoveSelectedTask2 = item(f.KillListOptions1, "RemoveSelectedTask2", QStringLiteral("Remove selected task"));
    f.ClearKillList1 = item(f.KillListOptions1, "ClearKillList1", QStringLiteral("Clear Kill List"));

    f.RAM1 = submenu(bar, "RAM1", QStringLiteral("RAM"));
    f.OptimizeAndFreeRAM1 = submenu(f.RAM1, "OptimizeAndFreeRAM1", QStringLiteral("Optimize and free RAM"));
    f.Optimizeandfreenow1 = item(f.OptimizeAndFreeRAM1, "Optimizeandfreenow1", QStringLiteral("Optimize and free now"));
    f.OptimizeFreeEvery1 = item(f.OptimizeAndFreeRAM1, "OptimizeFreeEvery1",
                                QStringLiteral("Optimize and free every 1 minutes"), {}, true);
    f.ConsumeOptions1 = submenu(f.RAM1, "ConsumeOptions1", QStringLiteral("Consume Options"));
    f.Free1 = item(f.ConsumeOptions1, "Free1", QStringLiteral("Free all consumed"));
    f.Consumeto66 = item(f.ConsumeOptions1, "Consumeto66", QStringLiteral("Consume to 66%"));
    f.Consumeto50 = item(f.ConsumeOptions1, "Consumeto50", QStringLiteral("Consume to 50%"));
    f.Consume50ofavailable1 =
        item(f.ConsumeOptions1, "Consume50ofavailable1", QStringLiteral("Consume 50% of available"));
    f.Consume33ofavailable1 =
        item(f.ConsumeOptions1, "Consume33ofavailable1", QStringLiteral("Consume 33% of available"));

    f.TemperatureOptions1 = submenu(bar, "TemperatureOptions1", QStringLiteral("Temperature"));
    f.StartCoreTemp1 = submenu(f.TemperatureOptions1, "StartCoreTemp1", QStringLiteral("Start Core Temp..."),
                               QStringLiteral("Core Temp is the core-temp companion program beside Torvane; it "
                                              "publishes the CPU core temperatures."));
    f.StartCoreTempNow1 = item(f.StartCoreTemp1, "StartCoreTempNow1", QStringLiteral("Start Core Temp now"));
    f.StartWithCoreTemp1 =
        item(f.StartCoreTemp1, "StartWithCoreTemp1", QStringLiteral("Start Core Temp with Torvane"), {}, true);
    f.askRelatedTemperatureChanges1 = item(
        f.TemperatureOptions1, "askRelatedTemperatureChanges1",
        QStringLiteral("Detect task-related temperature changes"),
        QStringLiteral("If inabled, will warn if temperature rises and try to detect task-related reasons."), true);
    f.IfBiggestTemperatureOver1 =
        submenu(f.TemperatureOptions1, "IfBiggestTemperatureOver1",
                QStringLiteral("If biggest temperature over 90 degrees..."), moreInTemperatureTab);
    f.StoptaskProtection1 = item(f.IfBiggestTemperatureOver1, "StoptaskProtection1",
                                 QStringLiteral("Stop task Protection"), moreInTemperatureTab, true);

    f.Options1 = submenu(bar, "Options1", QStringLiteral("Options"));
    f.Collapsetomenuonly1 = item(f.Options1, "Collapsetomenuonly1", QStringLiteral("Collapse to menu only"),
                                 QStringLiteral("If selected, will hide all tabs, so that only Torvane's menu appers. "
                                                "Thus using less screen space."),
                                 true);
    f.KeepSettingsonExit1 =
        item(f.Options1, "KeepSettingsonExit1", QStringLiteral("Keep Settings on Exit"), {}, true, true);
    f.SilentMode1 = item(f.Options1, "SilentMode1", QStringLiteral("Silent Mode"),
                         QStringLiteral("Silent mode will make all tasks not in the Safe List to be killed immediately "
                                        "and it will disable most messages."),
                         true);
    f.oTaskbar1 =
        item(f.Options1, "oTaskbar1", QStringLiteral("To Tray"), QStringLiteral("Moves Torvane to Windows tray."));
    f.emperatureTabEnabled1 =
        item(f.Options1, "emperatureTabEnabled1", QStringLiteral("Temperature tab enabled"),
             QStringLiteral("Disabling the Temperature tab can make Torvane run more smoothly and "
                            "with less resources."),
             true, true);
    f.Exit2 = item(f.Options1, "Exit2", QStringLiteral("Exit"));

    f.Help1 = submenu(bar, "Help1", QStringLiteral("Help"));
    f.Help2 = item(f.Help1, "Help2", QStringLiteral("Show Help"), QStringLiteral("Displays Torvane's help context."));
}

void buildPopupMenus(MainForm& f, QWidget* owner) {
    auto popup = [owner](const char* name) {
        auto* menu = new QMenu(owner);
        menu->setObjectName(QLatin1String(name));
        menu->setToolTipsVisible(true);
        return menu;
    };
    f.PopupMenu1 = popup("PopupMenu1");
    f.KillNewTasks1 = item(f.PopupMenu1, "KillNewTasks1", QStringLiteral("Protection"),
                           QStringLiteral("Click to start/stop protection"), true);
    f.oTray1 = item(f.PopupMenu1, "oTray1", QStringLiteral("To Tray"),
                    QStringLiteral("Click to minimize to tray/restore from tray."));
    f.Exit1 = item(f.PopupMenu1, "Exit1", QStringLiteral("Exit"));
    f.SilentMode2 = item(f.PopupMenu1, "SilentMode2", QStringLiteral("Silent Mode"), {}, true);
    f.TempMan = item(f.PopupMenu1, "TempMan", QStringLiteral("Temperature Tab"), {}, true, true);

    f.PopupMenu2 = popup("PopupMenu2");
    f.Cancel1 = item(f.PopupMenu2, "Cancel1", QStringLiteral("Cancel"));
    f.Remove1 = item(f.PopupMenu2, "Remove1", QStringLiteral("Remove from Safe List"));
    f.Checkifrunning1 = item(f.PopupMenu2, "Checkifrunning1", QStringLiteral("Check if running"));
    f.Deselectall1 = item(f.PopupMenu2, "Deselectall1", QStringLiteral("Deselect all"));

    f.PopupMenu3 = popup("PopupMenu3");
    f.Cancel2 = item(f.PopupMenu3, "Cancel2", QStringLiteral("Cancel"));
    f.Remove2 = item(f.PopupMenu3, "Remove2", QStringLiteral("Remove from Kill List"));
    f.Deselectall2 = item(f.PopupMenu3, "Deselectall2", QStringLiteral("Deselect all"));

    f.PopupMenu4 = popup("PopupMenu4");
    f.Cancel3 = item(f.PopupMenu4, "Cancel3", QStringLiteral("Cancel"));
    f.Actionwindow1 = item(f.PopupMenu4, "Actionwindow1", QStringLiteral("Show new task action window"));
    f.Killtask2 = item(f.PopupMenu4, "Killtask2", QStringLiteral("Kill task (will kill parrent application)"));
    f.AddtoSafeList2 = item(f.PopupMenu4, "AddtoSafeList2", QStringLiteral("Add to Safe List"));
    f.AddtoSafeListallowdoublicates1 =
        item(f.PopupMenu4, "AddtoSafeListallowdoublicates1", QStringLiteral("Add to Safe List (allow doublicates)"));
    f.AddtoKillList2 = item(f.PopupMenu4, "AddtoKillList2", QStringLiteral("Add to Kill List (will be always killed)"));
    f.Showmemory1 = item(f.PopupMenu4, "Showmemory1", QStringLiteral("Show memory"));
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
    f.Timer1 = timer("Timer1", 150, true);
    f.Timer2 = timer("Timer2", 2500, true);
    f.Timer3 = timer("Timer3", 500, true);
    f.Timer4 = timer("Timer4", 60000, true);
    f.Timer5 = timer("Timer5", 1000, false);
    f.Countdown = timer("Countdown", 1000, false);
    f.TempGetTimer = timer("TempGetTimer", 150, true);
}
