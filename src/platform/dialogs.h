#pragma once

#include <QString>
#include <optional>

class QColor;
class QWidget;

namespace platform {

// Message box flags and answers with the program's numbers.
enum MessageBoxFlag : unsigned {
    MbOk = 0x00,
    MbOkCancel = 0x01,
    MbYesNoCancel = 0x03,
    MbYesNo = 0x04,
    MbRetryCancel = 0x05,
    MbIconError = 0x10,
    MbIconQuestion = 0x20,
    MbIconWarning = 0x30,
    MbIconInformation = 0x40,
};

enum MessageBoxAnswer : int {
    IdOk = 1,
    IdCancel = 2,
    IdRetry = 4,
    IdYes = 6,
    IdNo = 7,
};

// Modal dialogs. Each runs a nested event loop in which timers keep firing.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Texts keep their exact characters; line joins of LF CR are shown as one line break. A Yes/No
    // question that goes away unanswered (the program is ending) answers 0.
    virtual int messageBox(QWidget* owner, const QString& text, const QString& title, unsigned flags) = 0;

    // File dialogs; `filter` uses the program's form "Name|*.ext". Nothing when cancelled.
    virtual std::optional<QString> openFileName(QWidget* owner, const QString& title, const QString& filter,
                                                const QString& initialDir) = 0;
    virtual std::optional<QString> saveFileName(QWidget* owner, const QString& title, const QString& filter,
                                                const QString& initialDir) = 0;

    virtual std::optional<QColor> chooseColor(QWidget* owner, const QColor& initial) = 0;
};

} // namespace platform
