#include "app/silent_mode_controller.h"

#include "core/message_policy.h"
#include "platform/dialogs.h"
#include "widgets/guarded_connect.h"

#include <QAction>
#include <QPushButton>

using namespace platform;

SilentModeController::SilentModeController(MainForm& form, QPushButton* enableSilentModeButton, MessagePolicy& policy)
    : m_form(form), m_enableSilentModeButton(enableSilentModeButton), m_policy(policy) {
    for (QAction* item : {form.silentModeAction, form.traySilentModeAction})
        connectGuardedMenuItem(item, item, policy, [this] { onSilentModeTriggered(); });
    connectGuarded(enableSilentModeButton, &QPushButton::clicked, enableSilentModeButton, policy,
                   [this] { onSilentModeTriggered(); });
}

void SilentModeController::onSilentModeTriggered() {
    // Switching is never silent: these boxes show whatever the state.
    if (!m_form.silentModeAction->isChecked()) {
        const int answer = m_policy.show(
            BoxKind::Always,
            QStringLiteral("Silent mode will not allow any warning or error messages to be shown by the program. "
                           "Also, silent mode makes the program toautomatically kill any new hidden tasks not in the "
                           "safe list,when the kill hidden new tasks option is enabled.\n\r"
                           "\n\r"
                           "Do you wish to enable silent mode ?"),
            QStringLiteral("Enable Silent Mode"), MbYesNo | MbIconWarning);
        if (answer == IdYes) {
            m_policy.show(BoxKind::Always,
                          QStringLiteral("Silent mode is enabled. The program will not display any informative "
                                         "message from now on."),
                          QStringLiteral("Silent Mode Enabled"), MbIconInformation);
            m_form.silentModeAction->setChecked(true);
        }
    } else {
        m_form.silentModeAction->setChecked(false);
        m_policy.show(BoxKind::Always,
                      QStringLiteral("Silent mode is now disabled. The program will automatically show messages that "
                                     "may not be the result of a user action."),
                      QStringLiteral("Silent Mode Disabled"), MbIconInformation);
    }
    const bool on = m_form.silentModeAction->isChecked();
    m_enableSilentModeButton->setText(on ? QStringLiteral("Disable Silent Mode")
                                         : QStringLiteral("Enable Silent Mode"));
    m_form.traySilentModeAction->setChecked(on);
}
