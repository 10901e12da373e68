#include "app/tray_controller.h"

#include "widgets/guarded_connect.h"

#include "core/message_policy.h"
#include "platform/dialogs.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QPushButton>
#include <QWidget>

using namespace platform;

TrayController::TrayController(MainForm& form, QPushButton* moveToTrayButton, SharedValues& values,
                               MessagePolicy& policy)
    : openPopup([](QMenu* menu, const QPoint& at) { menu->popup(at); }), cursorPos([] { return QCursor::pos(); }),
      m_form(form), m_values(values), m_policy(policy) {
    for (QPushButton* button : {form.minimizeToTrayButton, moveToTrayButton})
        connectGuarded(button, &QPushButton::clicked, button, policy, [this] { onToTrayTriggered(); });
    connectGuardedMenuItem(form.toTrayAction, form.toTrayAction, policy, [this] { onToTrayTriggered(); });
    connectGuardedMenuItem(form.trayToTrayAction, form.trayToTrayAction, policy, [this] { onTrayToTrayTriggered(); });
}

void TrayController::TrayMessage(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Context: {
        QWidget* window = m_form.mainWindow;
        // The tray menu acts for the main window: bring the window forward first when it is up.
        if (window->isVisible()) {
            window->raise();
            window->activateWindow();
        }
        openPopup(m_form.trayMenu, cursorPos());
        break;
    }
    case QSystemTrayIcon::DoubleClick:
        if (!clickToggles)
            toggleWindow();
        break;
    case QSystemTrayIcon::Trigger:
        if (clickToggles)
            toggleWindow();
        break;
    default:
        break;
    }
}

void TrayController::toggleWindow() {
    QWidget* window = m_form.mainWindow;
    if (m_values.MainWindowShown) {
        m_values.MainWindowShown = false;
        // Works with no tray host as well: the hot key is then the way back.
        window->hide();
        m_form.trayToTrayAction->setText(QStringLiteral("Restore"));
    } else {
        m_values.MainWindowShown = true;
        window->show();
        m_form.trayToTrayAction->setText(QStringLiteral("To Tray"));
    }
}

void TrayController::showFromAnotherStart() {
    if (!m_values.MainWindowShown)
        toggleWindow();
    HotKeyMessage();
}

void TrayController::onTrayToTrayTriggered() {
    toggleWindow();
}

void TrayController::onToTrayTriggered() {
    // After the hot key the window is up while the flag still says "in the tray": a plain toggle
    // would then leave it up and still report the move, so this command always ends hidden.
    if (!m_values.MainWindowShown) {
        m_form.mainWindow->hide();
        m_form.trayToTrayAction->setText(QStringLiteral("Restore"));
    } else {
        toggleWindow();
    }
    m_policy.show(BoxKind::SilentGated,
                  QStringLiteral("The program has now moved to its tray icon.\n\r"
                                 "- If you wish to restore the main window, double click\n\r"
                                 "  on the tray on the tray icon with the left mouse button.\n\r"
                                 "- Any time, press CONTROL+ALT+F8 to show the main\n\r"
                                 "  window. This will allow you to prevent any crash."),
                  QStringLiteral("Moved to Tray"), MbIconInformation);
}

void TrayController::HotKeyMessage() {
    QWidget* window = m_form.mainWindow;
    // A minimised window cannot come to the front: bring it back to its normal size first.
    if (window->windowState() & Qt::WindowMinimized)
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}
