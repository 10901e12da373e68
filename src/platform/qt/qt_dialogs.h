#pragma once

#include "platform/dialogs.h"

namespace platform {

// Message boxes and file/colour dialogs of the desktop, drawn by Qt.
class QtDialogs : public Dialogs {
public:
    int messageBox(QWidget* owner, const QString& text, const QString& title, unsigned flags) override;
    std::optional<QString> openFileName(QWidget* owner, const QString& title, const QString& filter,
                                        const QString& initialDir) override;
    std::optional<QString> saveFileName(QWidget* owner, const QString& title, const QString& filter,
                                        const QString& initialDir) override;
    std::optional<QColor> chooseColor(QWidget* owner, const QColor& initial) override;
};

// "List Save|*.sav" becomes "List Save (*.sav)"; pairs are separated by ";;".
QString qtFileFilter(const QString& filter);
// A text whose lines are joined by LF CR, shown with one line break per join.
QString displayText(const QString& text);

} // namespace platform
