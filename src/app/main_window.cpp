#include "app/main_window.h"

#include "app/advanced_options_tab.h"
#include "app/app_icon.h"
#include "app/app_id.h"
#include "app/autostart.h"
#include "app/form_layout.h"
#include "app/history_window.h"
#include "app/program_folders.h"
#include "app/screen_fit.h"
#include "app/shell_controller.h"
#include "app/silent_mode_controller.h"
#include "app/tray_controller.h"
#include "cipher/encryption_tab.h"
#include "core/activity_log.h"
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
    m_activityLog = std::make_unique<ActivityLog>();
    m_taskActions = std::make_unique<TaskActions>(
        TaskActionControls{.allTasksView = t.allTasksView, .safeListView = t.safeListView}, m_platform.windows,
        m_platform.processes, m_policy, *m_taskList, m_activityLog.get());
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
    m_history = std::make_unique<HistoryWindow>(*m_activityLog);
    handleMenuItem(m_form.historyAction, [this] { m_history->open(); });
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
    for (QWidget* window :
         {static_cast<QWidget*>(this), static_cast<QWidget*>(m_newTask.get()), static_cast<QWidget*>(m_helping.get()),
          static_cast<QWidget*>(m_investigator.get()), static_cast<QWidget*>(m_history.get())})
        window->winId();
    onCreated();
    m_settings = makeSettings(*this);
}

MainWindow::~MainWindow() {
    // The window system outlives the window: its reports must not reach a protection that is gone.
    m_platform.windows.watchWindows({});
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
    m_activityFile = std::make_unique<ActivityFile>(m_values.BaseDir + ActivityFile::fileName());
    m_activityLog->seed(m_activityFile->readLatest(ActivityLog::kKept));
    m_activityLog->addSlowSink(*m_activityFile);
    m_history->reload();
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
