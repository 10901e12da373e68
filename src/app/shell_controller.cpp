#include "app/shell_controller.h"

#include "app/app_id.h"
#include "app/autostart.h"
#include "app/screen_fit.h"
#include "core/message_policy.h"
#include "platform/dialogs.h"
#include "platform/torvane_error.h"

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

ShellController::ShellController(MainForm& form, QMainWindow& window, MessagePolicy& policy)
    : terminate([] { QCoreApplication::quit(); }), openPopup([](QMenu* menu) { menu->popup(QCursor::pos()); }),
      m_form(form), m_window(window), m_policy(policy) {}

void ShellController::StartAtLoginClick() {
    const QString entry = autostart::currentEntryPath(kAppId);
    try {
        autostart::setEnabled(entry, m_form.StartAtLogin->isChecked(), kAppId, QCoreApplication::applicationFilePath());
    } catch (const TorvaneError&) {
        m_form.StartAtLogin->setChecked(autostart::enabled(entry));
        throw;
    }
}

bool ShellController::askExit() {
    return m_policy.show(BoxKind::Always, QStringLiteral("Do you wish to exit the program ?"), QStringLiteral("Exit"),
                         MbYesNo | MbIconWarning) == IdYes;
}

void ShellController::Exit1Click() {
    if (askExit())
        terminate();
}

void ShellController::Exit2Click() {
    // The question runs with silent mode off, so new tasks met meanwhile are asked about, not killed.
    const bool wasSilent = m_form.SilentMode1->isChecked();
    m_form.SilentMode1->setChecked(false);
    if (askExit()) {
        terminate();
        return;
    }
    m_form.SilentMode1->setChecked(wasSilent);
}

void ShellController::Collapsetomenuonly1Click() {
    using namespace window_size;
    m_form.Collapsetomenuonly1->setChecked(!m_form.Collapsetomenuonly1->isChecked());
    const bool collapse = m_form.Collapsetomenuonly1->isChecked();
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

void ShellController::Button31Click() {
    QTimer* timer = m_form.TempGetTimer;
    if (timer->isActive())
        timer->stop();
    else
        timer->start();
    const bool on = timer->isActive();
    m_form.TemperatureOptions1->menuAction()->setVisible(on);
    m_form.emperatureTabEnabled1->setChecked(on);
    m_form.TempMan->setChecked(on);
    m_form.PageControl1->setTabVisible(m_form.PageControl1->indexOf(m_form.Temperature), on);
    m_form.Button31->setText(on ? QStringLiteral("Disable the Temperature tag (speeds up Torvane)")
                                : QStringLiteral("Enable the Temperature tag (may slow down Torvane)"));
}

void ShellController::KeepSettingsonExit1Click() {
    m_form.KeepSettingsonExit1->setChecked(!m_form.KeepSettingsonExit1->isChecked());
    m_form.CheckBox24->setChecked(m_form.KeepSettingsonExit1->isChecked());
}

void ShellController::CheckBox24Click() {
    m_form.KeepSettingsonExit1->setChecked(m_form.CheckBox24->isChecked());
}

namespace {
void toggle(QWidget* panel) {
    panel->setVisible(panel->isHidden());
}
} // namespace

void ShellController::BitBtn1Click() {
    toggle(m_form.ScrollBox2);
}
void ShellController::BitBtn2Click() {
    toggle(m_form.ScrollBox3);
}
void ShellController::BitBtn3Click() {
    toggle(m_form.ScrollBox4);
}
void ShellController::BitBtn6Click() {
    toggle(m_form.ScrollBox5);
}
void ShellController::BitBtn7Click() {
    toggle(m_form.ScrollBox6);
}

void ShellController::ListBox1DblClick() {
    openPopup(m_form.PopupMenu4);
}
void ShellController::ListBox1MouseUp() {
    openPopup(m_form.PopupMenu4);
}
void ShellController::ListBox2DblClick() {
    openPopup(m_form.PopupMenu2);
}
void ShellController::ListBox2MouseUp() {
    openPopup(m_form.PopupMenu2);
}
void ShellController::ListBox3DblClick() {
    openPopup(m_form.PopupMenu3);
}
void ShellController::ListBox3MouseUp() {
    openPopup(m_form.PopupMenu3);
}
