#pragma once

#include <QString>

class QObject;
class QWidget;

namespace platform {
class Dialogs;
}

// Whether a message box appears, decided at the moment it is asked for.
enum class BoxKind {
    SilentGated,          // hidden in silent mode; a hidden question counts as Yes
    SilentGatedAnswersNo, // hidden in silent mode; a hidden question counts as No
    ConfirmationGated,    // shown only while confirmations are switched on
    Always,
};

class MessagePolicy {
public:
    explicit MessagePolicy(platform::Dialogs& dialogs) : m_dialogs(dialogs) {}

    // The controls the policy reads: the silent-mode check mark (a menu item) and the confirmation
    // option (a check box). Both are read through their "checked" property, so the policy needs no
    // widget code.
    void attach(QWidget* mainWindow, QObject* silentMode, QObject* confirmations);

    bool silentMode() const;
    bool shows(BoxKind kind) const;

    // Shows the box (owned by the main window) when the policy allows it and returns its answer;
    // a hidden box answers IDOK, or the suppressed answer of its kind for a question.
    int show(BoxKind kind, const QString& text, const QString& title, unsigned flags);
    int showOwned(BoxKind kind, QWidget* owner, const QString& text, const QString& title, unsigned flags);

    QWidget* mainWindow() const { return m_mainWindow; }
    platform::Dialogs& dialogs() const { return m_dialogs; }

private:
    platform::Dialogs& m_dialogs;
    QWidget* m_mainWindow = nullptr;
    QObject* m_silentMode = nullptr;
    QObject* m_confirmations = nullptr;
};
