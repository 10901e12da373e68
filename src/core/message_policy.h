#pragma once

#include <QString>

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

// The two options the policy reads, kept equal to their controls by whoever owns them: the
// silent-mode check mark of the menu and the confirmation check box.
struct MessageOptions {
    bool silentMode = false;
    bool confirmations = false;
};

class MessagePolicy {
public:
    // Boxes belong to mainWindow; the options are read at each box, so a change shows at once.
    // Without options, silent mode and confirmations are both off.
    explicit MessagePolicy(platform::Dialogs& dialogs, QWidget* mainWindow = nullptr,
                           const MessageOptions* options = nullptr)
        : m_dialogs(dialogs), m_mainWindow(mainWindow), m_options(options ? options : &kNoOptions) {}

    bool silentMode() const;
    bool shows(BoxKind kind) const;

    // Shows the box (owned by the main window) when the policy allows it and returns its answer;
    // a hidden box answers IDOK, or the suppressed answer of its kind for a question.
    int show(BoxKind kind, const QString& text, const QString& title, unsigned flags);
    int showOwned(BoxKind kind, QWidget* owner, const QString& text, const QString& title, unsigned flags);

    QWidget* mainWindow() const { return m_mainWindow; }
    platform::Dialogs& dialogs() const { return m_dialogs; }

private:
    static constexpr MessageOptions kNoOptions{};

    platform::Dialogs& m_dialogs;
    QWidget* m_mainWindow;
    const MessageOptions* m_options;
};
