// How the main window is put together: its menus, buttons and pages, each tab on its page, and
// the tables of option panels and list menus.
#include "app/advanced_options_tab.h"
#include "app/app_icon.h"
#include "app/app_id.h"
#include "app/autostart.h"
#include "app/form_layout.h"
#include "app/main_window.h"
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

// The Task Management and Advanced Options tabs.
void MainWindow::buildTaskTabs() {
    MainForm& f = m_form;
    const TaskMenuItems& menu = f;
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
        new RamTab(m_platform.memory, m_policy, m_values, static_cast<const MemoryMenuItems&>(m_form),
                   MemoryController::graphShownWhen(m_form.mainTabs, m_form.ramPage, m_form.collapseToMenuAction),
                   nullptr, m_form.ramPage);
    fill(m_form.ramPage, m_ramTab);
    m_encryptionTab = new EncryptionTab(m_platform.dialogs, this, m_form.encryptionPage);
    fill(m_form.encryptionPage, m_encryptionTab);
    TemperatureReactionHooks reactions{
        [this](const QString& reason) { m_listCommands->killAllOutsideSafeList(reason); },
        [this] { m_ramTab->consume().onFreeConsumedTriggered(); },
        [this] { return m_internetTab->controls().periodicLookupCheck; },
        [this] { return m_ramTab->controls().periodicOptimizeCheck; },
        m_taskTab->controls().killListView,
    };
    m_temperatureTab = new TemperatureTab(
        static_cast<const TemperatureMenuItems&>(m_form), m_values, m_platform, m_policy, *m_taskActions,
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
