#include "core/message_policy.h"

#include "platform/dialogs.h"

bool MessagePolicy::silentMode() const {
    return m_options->silentMode;
}

bool MessagePolicy::shows(BoxKind kind) const {
    switch (kind) {
    case BoxKind::SilentGated:
    case BoxKind::SilentGatedAnswersNo:
        return !silentMode();
    case BoxKind::ConfirmationGated:
        return m_options->confirmations;
    case BoxKind::Always:
        return true;
    }
    return true;
}

int MessagePolicy::show(BoxKind kind, const QString& text, const QString& title, unsigned flags) {
    return showOwned(kind, m_mainWindow, text, title, flags);
}

int MessagePolicy::showOwned(BoxKind kind, QWidget* owner, const QString& text, const QString& title, unsigned flags) {
    if (shows(kind))
        return m_dialogs.messageBox(owner, text, title, flags);
    const unsigned buttons = flags & 0x0F;
    const bool question = buttons == platform::MbYesNo || buttons == platform::MbYesNoCancel;
    if (!question)
        return platform::IdOk;
    return kind == BoxKind::SilentGatedAnswersNo ? platform::IdNo : platform::IdYes;
}
