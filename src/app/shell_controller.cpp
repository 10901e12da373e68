#include "app/shell_controller.h"

#include "app/app_id.h"
#include "app/autostart.h"
#include "app/screen_fit.h"
#include "core/message_policy.h"
#include "platform/dialogs.h"
#include "platform/torvane_error.h"
#include "widgets/guarded_connect.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QCursor>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

using namespace platform;

ShellController::ShellController(MainForm& form, const AdvancedTabControls& advanced, QTimer* temperatureTimer,
                                 QMainWindow& window, MessagePolicy& policy)
    : terminate([] { QCoreApplication::quit(); }), openPopup([](QMenu* menu) { menu->popup(QCursor::pos()); }),
      m_form(form), m_advanced(advanced), m_temperatureTimer(temperatureTimer), m_window(window), m_policy(policy) {
    const auto item = [&policy](QAction* action, std::function<void()> handler) {
        connectGuardedMenuItem(action, action, policy, std::move(handler));
    };
    const auto button = [&policy](QAbstractButton* control, auto signal, std::function<void()> handler) {
        connectGuarded(control, signal, control, policy, std::move(handler));
    };
    item(form.trayExitAction, [this] { onTrayExitTriggered(); });
    item(form.exitAction, [this] { onExitTriggered(); });
    item(form.collapseToMenuAction, [this] { onCollapseToMenuTriggered(); });
    button(advanced.collapseToMenuButton, &QPushButton::clicked, [this] { onCollapseToMenuTriggered(); });
    button(advanced.disableTemperatureTabButton, &QPushButton::clicked, [this] { onDisableTemperatureTabClicked(); });
    for (QAction* action : {form.temperatureTabAction, form.trayTemperatureTabAction})
        item(action, [this] { onDisableTemperatureTabClicked(); });
    item(form.keepSettingsAction, [this] { onKeepSettingsTriggered(); });
    button(advanced.keepSettingsCheck, &QCheckBox::toggled, [this] { onKeepSettingsToggled(); });
    // Only the user's click writes the entry; the window's creation sets the box from the disk.
    button(advanced.startAtLoginCheck, &QCheckBox::clicked, [this] { onStartAtLoginToggled(); });
}

void ShellController::onStartAtLoginToggled() {
    const QString entry = autostart::currentEntryPath(kAppId);
    try {
        autostart::setEnabled(entry, m_advanced.startAtLoginCheck->isChecked(), kAppId,
                              QCoreApplication::applicationFilePath());
    } catch (const TorvaneError&) {
        m_advanced.startAtLoginCheck->setChecked(autostart::enabled(entry));
        throw;
    }
}

bool ShellController::askExit() {
    return m_policy.show(BoxKind::Always, QStringLiteral("Do you wish to exit the program ?"), QStringLiteral("Exit"),
                         MbYesNo | MbIconWarning) == IdYes;
}

void ShellController::onTrayExitTriggered() {
    if (askExit())
        terminate();
}

void ShellController::onExitTriggered() {
    // The question runs with silent mode off, so new tasks met meanwhile are asked about, not killed.
    const bool wasSilent = m_form.silentModeAction->isChecked();
    m_form.silentModeAction->setChecked(false);
    if (askExit()) {
        terminate();
        return;
    }
    m_form.silentModeAction->setChecked(wasSilent);
}

void ShellController::onCollapseToMenuTriggered() {
    using namespace window_size;
    m_form.collapseToMenuAction->setChecked(!m_form.collapseToMenuAction->isChecked());
    const bool collapse = m_form.collapseToMenuAction->isChecked();
    const bool wasVisible = m_window.isVisible();
    // Changing the border recreates the window: keep where it was and show it again.
    const QPoint position = m_window.pos();
    m_window.setWindowFlag(Qt::Tool, collapse);
    if (collapse) {
        m_window.centralWidget()->hide();
        m_window.setMinimumSize(kCollapsedWidth, kCollapsedHeight);
        m_window.setMaximumSize(kCollapsedWidth, kCollapsedHeight);
        m_window.resize(kCollapsedWidth, kCollapsedHeight);
    } else {
        m_window.centralWidget()->show();
        m_window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        m_window.setMinimumSize(minimum());
        m_window.resize(minimum());
    }
    m_window.move(position);
    if (wasVisible)
        m_window.show();
}

QSize window_size::minimum() {
    return screen_fit::within(QSize(kMinWidth, kMinHeight), screen_fit::room().size());
}

void ShellController::onDisableTemperatureTabClicked() {
    QTimer* timer = m_temperatureTimer;
    if (timer->isActive())
        timer->stop();
    else
        timer->start();
    const bool on = timer->isActive();
    m_form.temperatureMenu->menuAction()->setVisible(on);
    m_form.temperatureTabAction->setChecked(on);
    m_form.trayTemperatureTabAction->setChecked(on);
    m_form.mainTabs->setTabVisible(m_form.mainTabs->indexOf(m_form.temperaturePage), on);
    m_advanced.disableTemperatureTabButton->setText(
        on ? QStringLiteral("Disable the Temperature tag (speeds up Torvane)")
           : QStringLiteral("Enable the Temperature tag (may slow down Torvane)"));
}

void ShellController::onKeepSettingsTriggered() {
    m_form.keepSettingsAction->setChecked(!m_form.keepSettingsAction->isChecked());
    m_advanced.keepSettingsCheck->setChecked(m_form.keepSettingsAction->isChecked());
}

void ShellController::onKeepSettingsToggled() {
    m_form.keepSettingsAction->setChecked(m_advanced.keepSettingsCheck->isChecked());
}
