#include "app/main_window.h"

#include "app/advanced_options_tab.h"
#include "app/app_icon.h"
#include "app/app_id.h"
#include "app/autostart.h"
#include "app/form_layout.h"
#include "app/program_folders.h"
#include "app/screen_fit.h"
#include "app/shell_controller.h"
#include "app/silent_mode_controller.h"
#include "app/tray_controller.h"
#include "cipher/encryption_tab.h"
#include "core/error_report.h"
#include "help/help_window.h"
#include "internet/internet_tab.h"
#include "lists/list_commands.h"
#include "lists/list_file_controller.h"
#include "lists/task_action_window.h"
#include "lists/task_management_tab.h"
#include "memory/memory_controller.h"
#include "memory/ram_tab.h"
#include "schedule/auto_windows_actions_tab.h"
#include "tasks/protection.h"
#include "tasks/recognition_handlers.h"
#include "tasks/task_actions.h"
#include "tasks/task_list_controller.h"
#include "temperature/temperature_investigator.h"
#include "temperature/temperature_tab.h"
#include "widgets/form_builder.h"
#include "widgets/option_binding.h"
#include "widgets/task_list_view.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>

using namespace platform;

namespace {

// Puts a tab's content on its page, which scrolls on a screen too small for it.
void fillPage(QWidget* page, QWidget* content) {
    auto* layout = new QVBoxLayout(screen_fit::scrolledContent(page));
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

} // namespace

MainWindow::MainWindow(Platform& platform, SharedValues& values, const SettingsStoreFactory& makeSettings)
    : m_platform(platform), m_values(values), m_policy(platform.dialogs, this, &m_messageOptions) {
    setObjectName(QStringLiteral("Torvane"));
    setWindowTitle(QStringLiteral("Torvane"));
    setWindowIcon(torvaneIcon());
    buildWindow();
    const TaskTabControls& t = m_taskTab->controls();
    const AdvancedTabControls& a = m_advancedTab->controls();
    m_recognition =
        std::make_unique<RecognitionHandlers>(RecognitionControls{.smartRecognitionCheck = a.smartRecognitionCheck,
                                                                  .filterTextLengthCheck = a.filterTextLengthCheck,
                                                                  .spareShortNamesCheck = a.spareShortNamesCheck,
                                                                  .shortNameLengthSpin = a.shortNameLengthSpin,
                                                                  .smartToleranceSpin = a.smartToleranceSpin,
                                                                  .allTasksView = t.allTasksView,
                                                                  .safeListView = t.safeListView,
                                                                  .killListView = t.killListView},
                                              m_advancedTab->recognitionSettings());
    m_taskList = std::make_unique<TaskListController>(
        TaskListControls{.allTasksView = t.allTasksView,
                         .showHiddenTasksAction = m_form.showHiddenTasksAction,
                         .treatAsHiddenAction = m_form.treatAsHiddenAction,
                         .treatShownAsHiddenCheck = t.treatShownAsHiddenCheck,
                         .showHiddenButton = t.showHiddenButton},
        m_taskTab->taskListOptions(), m_platform.windows, m_platform.processes, m_policy);
    m_taskActions = std::make_unique<TaskActions>(
        TaskActionControls{.allTasksView = t.allTasksView, .safeListView = t.safeListView}, m_platform.windows,
        m_platform.processes, m_policy, *m_taskList);
    m_listFile = std::make_unique<ListFileController>(
        ListFileControls{.mainWindow = this, .safeListView = t.safeListView, .killListView = t.killListView}, m_values,
        m_platform.dialogs);
    handleMenuItem(m_form.saveListsAction, [this] { m_listFile->onSaveListsTriggered(); });
    handleMenuItem(m_form.loadListsAction, [this] { m_listFile->onLoadListsTriggered(); });
    // The Task Action window is a window of its own, made hidden like every window of the program.
    m_newTask = std::make_unique<TaskActionWindow>(m_values, m_platform.windows, *m_taskActions, m_policy);
    m_helping = std::make_unique<HelpWindow>(m_policy);
    const auto showHelp = [this] { m_helping->openHelp(m_values.HelpDir); };
    handle(m_form.showHelpButton, &QPushButton::clicked, showHelp);
    handleMenuItem(m_form.showHelpAction, showHelp);
    m_investigator = std::make_unique<TemperatureInvestigator>();
    m_listCommands = std::make_unique<ListCommands>(ListCommandControls{.allTasksView = t.allTasksView,
                                                                        .safeListView = t.safeListView,
                                                                        .killListView = t.killListView},
                                                    m_taskTab->searchOptions(), m_taskTab->taskListOptions(),
                                                    *m_recognition, m_policy, *m_taskActions, *m_taskList, *m_newTask);
    buildSubsystemTabs();
    m_shell = std::make_unique<ShellController>(m_form, a, m_temperatureTab->temperatureTimer(), *this, m_policy);
    m_silentMode = std::make_unique<SilentModeController>(m_form, a.enableSilentModeButton, m_policy);
    m_trayController = std::make_unique<TrayController>(m_form, a.moveToTrayButton, m_values, m_policy);
    connectPanelsAndPopups();
    m_protection =
        std::make_unique<Protection>(ProtectionControls{.mainWindow = this,
                                                        .safeListView = t.safeListView,
                                                        .killListView = t.killListView,
                                                        .protectionButton = t.protectionButton,
                                                        .treatAllAsNewButton = t.treatAllAsNewButton,
                                                        .memoryWarningCheck = t.memoryWarningCheck,
                                                        .warnSafeListToCheck = t.warnSafeListToCheck,
                                                        .protectionAction = m_form.protectionAction,
                                                        .trayProtectionAction = m_form.trayProtectionAction,
                                                        .memoryWarningAction = m_form.memoryWarningAction,
                                                        .temperatureTimer = m_temperatureTab->temperatureTimer(),
                                                        .silentModeAction = m_form.silentModeAction},
                                     m_taskTab->protectionOptions(), *m_recognition, m_values, m_platform.windows,
                                     m_policy, *m_taskActions, *m_newTask, m_temperatureTab->reactions());
    m_taskTab->connectHandlers({*m_taskList, *m_taskActions, *m_listCommands, *m_protection});
    m_advancedTab->connectRecognition(m_policy, *m_recognition);
    // While a box of an earlier tick is open, every tick still enforces the kill list.
    handleTimer(
        m_form.protectionTimer, [this] { m_protection->onProtectionTick(); },
        [this] { m_protection->enforceKillListMeanwhile(); });
    m_platform.windows.watchWindows([this](const std::vector<platform::WindowInfo>& windows) {
        guarded([this, &windows] { m_protection->WindowsChanged(windows); });
    });
    handleTimer(m_form.statusTimer, [this] { onStatusTick(); });
    handleTimer(m_form.refreshTimer, [this] { onRefreshTick(); });
    // Each window exists, hidden, from start-up on (Qt would otherwise create it when first shown),
    // so the first snapshot of protection already holds them.
    for (QWidget* window : {static_cast<QWidget*>(this), static_cast<QWidget*>(m_newTask.get()),
                            static_cast<QWidget*>(m_helping.get()), static_cast<QWidget*>(m_investigator.get())})
        window->winId();
    onCreated();
    m_settings = makeSettings(*this);
}

MainWindow::~MainWindow() {
    // The window system outlives the window: its reports must not reach a protection that is gone.
    m_platform.windows.watchWindows({});
}

void MainWindow::buildWindow() {
    m_form.mainWindow = this;
    buildMainMenu(m_form, menuBar());
    bind::checked(m_form.silentModeAction, m_messageOptions.silentMode);
    buildPopupMenus(m_form, this);
    buildTimers(m_form, this);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    m_form.minimizeToTrayButton =
        form::button(central, "minimizeToTrayButton", QStringLiteral("Minimize to System Tray"));
    m_form.showHelpButton = form::button(central, "showHelpButton", QStringLiteral("Show Help"));
    auto* top = new QHBoxLayout;
    top->addWidget(m_form.minimizeToTrayButton);
    top->addStretch(1);
    top->addWidget(m_form.showHelpButton);
    layout->addLayout(top);

    auto* tabs = new QTabWidget(central);
    tabs->setObjectName(QStringLiteral("mainTabs"));
    m_form.mainTabs = tabs;
    auto page = [tabs](const char* name, const QString& caption) {
        auto* w = new QWidget(tabs);
        w->setObjectName(QLatin1String(name));
        tabs->addTab(w, caption);
        return w;
    };
    m_form.taskManagementPage = page("taskManagementPage", QStringLiteral("Task Management"));
    m_form.ramPage = page("ramPage", QStringLiteral("RAM Management"));
    m_form.internetPage = page("internetPage", QStringLiteral("Internet"));
    m_form.encryptionPage = page("Encryption", QStringLiteral("Encryption"));
    m_form.temperaturePage = page("Temperature", QStringLiteral("Temperature"));
    m_form.autoActionsPage = page("AutoWindowsActions", QStringLiteral("Auto Windows Actions"));
    m_form.advancedPage = page("advancedPage", QStringLiteral("Advanced Options"));
    buildTaskTabs();
    tabs->setCurrentIndex(0);
    layout->addWidget(tabs, 1);

    m_form.countdownProgressBar = new QProgressBar(central);
    m_form.countdownProgressBar->setObjectName(QStringLiteral("countdownProgressBar"));
    m_form.countdownProgressBar->setVisible(false);
    layout->addWidget(m_form.countdownProgressBar);
    setCentralWidget(central);

    const QRect room = screen_fit::room();
    move(room.topLeft());
    const QSize designed(window_size::kClientWidth, window_size::kClientHeight + menuBar()->sizeHint().height());
    resize(screen_fit::within(designed, room.size()));
    setMinimumSize(window_size::minimum());
}

// The Task Management and Advanced Options tabs, with the controls of theirs that the shell, the
// settings files and the auto-save still reach through the form.
void MainWindow::buildTaskTabs() {
    MainForm& f = m_form;
    const TaskMenuItems menu{.protectionAction = f.protectionAction,
                             .trayProtectionAction = f.trayProtectionAction,
                             .memoryWarningAction = f.memoryWarningAction,
                             .treatAsHiddenAction = f.treatAsHiddenAction,
                             .showHiddenTasksAction = f.showHiddenTasksAction,
                             .refreshTasksAction = f.refreshTasksAction,
                             .showSelectedMemoryAction = f.showSelectedMemoryAction,
                             .addToKillListAction = f.addToKillListAction,
                             .removeFromSafeListAction = f.removeFromSafeListAction,
                             .clearSafeListAction = f.clearSafeListAction,
                             .removeFromKillListAction = f.removeFromKillListAction,
                             .clearKillListAction = f.clearKillListAction,
                             .addAllToSafeListAction = f.addAllToSafeListAction,
                             .killAllOutsideSafeListAction = f.killAllOutsideSafeListAction,
                             .safeListRemoveAction = f.safeListRemoveAction,
                             .safeListDeselectAction = f.safeListDeselectAction,
                             .killListRemoveAction = f.killListRemoveAction,
                             .killListDeselectAction = f.killListDeselectAction,
                             .allTasksActionWindowAction = f.allTasksActionWindowAction,
                             .allTasksKillAction = f.allTasksKillAction,
                             .allTasksAddToSafeListAction = f.allTasksAddToSafeListAction,
                             .allTasksAddToSafeListAgainAction = f.allTasksAddToSafeListAgainAction,
                             .allTasksAddToKillListAction = f.allTasksAddToKillListAction,
                             .allTasksShowMemoryAction = f.allTasksShowMemoryAction};
    m_taskTab = new TaskManagementTab(m_policy, menu, f.taskManagementPage);
    fillPage(f.taskManagementPage, m_taskTab);
    m_advancedTab = new AdvancedOptionsTab(m_taskTab->protectionOptions(), f.advancedPage);
    bind::checked(m_advancedTab->controls().confirmActionsCheck, m_messageOptions.confirmations);
    fillPage(f.advancedPage, m_advancedTab);
}

// Tabs whose controls and handlers live with their own subsystem.
void MainWindow::buildSubsystemTabs() {
    auto fill = [](QWidget* page, QWidget* content) {
        auto* layout = new QVBoxLayout(screen_fit::scrolledContent(page));
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(content);
    };
    m_internetTab = new InternetTab(m_platform.network, m_policy, m_form.silentModeAction, m_form.internetPage);
    fill(m_form.internetPage, m_internetTab);
    m_ramTab =
        new RamTab(m_platform.memory, m_policy, m_values,
                   MemoryMenuItems{m_form.optimizeNowAction, m_form.periodicOptimizeAction, m_form.freeConsumedAction,
                                   m_form.consumeToTwoThirdsAction, m_form.consumeToHalfAction,
                                   m_form.consumeHalfOfFreeAction, m_form.consumeThirdOfFreeAction},
                   MemoryController::graphShownWhen(m_form.mainTabs, m_form.ramPage, m_form.collapseToMenuAction),
                   nullptr, m_form.ramPage);
    fill(m_form.ramPage, m_ramTab);
    m_encryptionTab = new EncryptionTab(m_platform.dialogs, this, m_form.encryptionPage);
    fill(m_form.encryptionPage, m_encryptionTab);
    TemperatureReactionHooks reactions{
        [this] { m_listCommands->onKillAllOutsideSafeListClicked(); },
        [this] { m_ramTab->consume().onFreeConsumedTriggered(); },
        [this] { return m_internetTab->controls().periodicLookupCheck; },
        [this] { return m_ramTab->controls().periodicOptimizeCheck; },
        m_taskTab->controls().killListView,
    };
    m_temperatureTab = new TemperatureTab(
        TemperatureMenuItems{.startCoreTempAction = m_form.startCoreTempAction,
                             .startCoreTempWithTorvaneAction = m_form.startCoreTempWithTorvaneAction,
                             .detectTemperatureChangesAction = m_form.detectTemperatureChangesAction,
                             .overheatMenu = m_form.overheatMenu,
                             .overheatStopProtectionAction = m_form.overheatStopProtectionAction},
        m_values, m_platform, m_policy, *m_taskActions,
        MemoryController::graphShownWhen(m_form.mainTabs, m_form.temperaturePage, m_form.collapseToMenuAction),
        reactions, *m_investigator, [this] { return m_encryptionTab->controls().cipherFileEdit->text(); },
        m_form.temperaturePage);
    fill(m_form.temperaturePage, m_temperatureTab);
    m_autoActionsTab = new AutoWindowsActionsTab(m_platform.systemActions, m_policy, m_form.countdownProgressBar,
                                                 m_form.autoActionsPage);
    fill(m_form.autoActionsPage, m_autoActionsTab);
}

// Each option panel opens and closes under its button; each list opens its menu on a double click
// or a right click.
void MainWindow::connectPanelsAndPopups() {
    const TaskTabControls& t = m_taskTab->controls();
    const std::pair<QPushButton*, QWidget*> panels[] = {
        {m_ramTab->consumePanelButton(), m_ramTab->consumePanel()},
        {t.taskManagementPanelButton, t.taskManagementPanel},
        {t.protectionPanelButton, t.protectionPanel},
        {t.safeListPanelButton, t.safeListPanel},
        {t.killListPanelButton, t.killListPanel},
    };
    for (const auto& [button, panel] : panels)
        handle(button, &QPushButton::clicked, [panel] { panel->setVisible(panel->isHidden()); });
    const std::pair<TaskListView*, QMenu*> popups[] = {
        {t.allTasksView, m_form.allTasksPopup},
        {t.safeListView, m_form.safeListPopup},
        {t.killListView, m_form.killListPopup},
    };
    for (const auto& [list, popup] : popups) {
        handle(list, &TaskListView::listDoubleClicked, [this, popup] { m_shell->openPopup(popup); });
        handle(list, &TaskListView::rightButtonReleased, [this, popup] { m_shell->openPopup(popup); });
    }
}

bool MainWindow::guarded(const std::function<void()>& handler) {
    return runGuarded(m_policy, handler);
}

void MainWindow::handleMenuItem(QAction* item, std::function<void()> handler) {
    connectGuardedMenuItem(item, this, m_policy, std::move(handler));
}

void MainWindow::onCreated() {
    if (m_values.BaseDir.isEmpty()) {
        const ProgramFolders folders = currentProgramFolders();
        // A folder that cannot be made shows up as file errors when the files are written.
        if (folders.installed)
            createDataFolder(folders.data);
        m_values.BaseDir = folders.data;
        m_values.HelpDir = folders.help;
        m_values.CompanionDir = folders.companion;
    }
    if (m_values.HelpDir.isEmpty())
        m_values.HelpDir = m_values.BaseDir;
    if (m_values.CompanionDir.isEmpty())
        m_values.CompanionDir = m_values.BaseDir;
    m_advancedTab->controls().startAtLoginCheck->setChecked(autostart::enabled(autostart::currentEntryPath(kAppId)));
    m_platform.hotKey.registerHotKey([this] { guarded([this] { m_trayController->HotKeyMessage(); }); });
    QCoreApplication::setApplicationName(kApplicationTitle);
    m_tray = new QSystemTrayIcon(torvaneIcon(), this);
    m_tray->setToolTip(kApplicationTitle);
    m_tray->setContextMenu(nullptr);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        guarded([this, reason] { m_trayController->TrayMessage(reason); });
    });
    // Shown even without a tray host yet: the icon appears when one starts later.
    m_tray->show();
    m_taskList->fillAllTaskList();
    guarded([this] { m_listFile->LoadAllLists(false); });
}

void MainWindow::onPainted() {
    if (m_formPainted)
        return;
    m_formPainted = true;
    guarded([this] { m_settings->load(); });
    if (!startNotice.isEmpty())
        m_policy.show(BoxKind::SilentGated, startNotice, kApplicationTitle, MbOk | MbIconInformation);
}

void MainWindow::onDestroyed() {
    if (m_destroyed)
        return;
    m_destroyed = true;
    guarded([this] { m_settings->save(); });
    try {
        m_ramTab->consume().FreeConsumed();
        m_listFile->SaveAllLists(false);
        if (m_tray)
            m_tray->hide();
        m_platform.hotKey.unregisterHotKey();
    } catch (const std::exception&) {
        m_policy.show(BoxKind::Always,
                      QStringLiteral("The program raised some exception.\n\rTherefore, it did not close properly."),
                      QStringLiteral("Exception Encountered"), MbIconError);
    }
}

void MainWindow::onStatusTick() {
    m_internetTab->controller().ConnectionCheck();
    m_ramTab->memory().sampleAndShow();
}

void MainWindow::onRefreshTick() {
    m_taskList->onRefreshTasksTriggered();
    m_temperatureTab->reactions().overTemperatureCheck();
}

void MainWindow::handleTimer(QTimer* timer, std::function<void()> handler, std::function<void()> meanwhile) {
    connectGuardedTimer(timer, this, m_policy, std::move(handler), std::move(meanwhile));
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (!m_formPainted)
        QMetaObject::invokeMethod(
            this, [this] { onPainted(); }, Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    QCoreApplication::quit();
}
