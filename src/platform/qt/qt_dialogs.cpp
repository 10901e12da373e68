#include "platform/qt/qt_dialogs.h"

#include <QCloseEvent>
#include <QColorDialog>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {
// "*.*" means every file on Windows; here it would hide the many names without a dot.
QString qtPatterns(const QString& patterns) {
    QStringList out = patterns.split(QLatin1Char(';'));
    for (QString& pattern : out)
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
    return out.join(QLatin1Char(' '));
}

// A question with Yes and No but no Cancel has no harmless way out: Qt would take Escape or the
// window's close button for No, and No may be the destructive answer ("What to do with Hidden
// Tasks" then kills every visible task outside the safe list). Such a box answers only through
// its buttons; the other kinds keep Qt's way (Cancel, or the only button).
class AnswerBox : public QMessageBox {
public:
    AnswerBox(QWidget* owner, bool buttonsOnly) : QMessageBox(owner), m_buttonsOnly(buttonsOnly) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (m_buttonsOnly && event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        if (m_buttonsOnly && !clickedButton()) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }

private:
    bool m_buttonsOnly;
};
} // namespace

QString qtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << QStringLiteral("%1 (%2)").arg(parts[i], qtPatterns(parts[i + 1]));
    if (parts.size() % 2 == 1 && !parts.last().isEmpty())
        out << parts.last();
    return out.join(QStringLiteral(";;"));
}

QString displayText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

int QtDialogs::messageBox(QWidget* owner, const QString& text, const QString& title, unsigned flags) {
    const unsigned kind = flags & 0x0F;
    AnswerBox box(owner, kind == MbYesNo);
    box.setWindowTitle(title);
    box.setText(displayText(text));
    switch (flags & 0xF0) {
    case MbIconError:
        box.setIcon(QMessageBox::Critical);
        break;
    case MbIconQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case MbIconWarning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MbIconInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    struct Button {
        QMessageBox::StandardButton standard;
        int answer;
    };
    std::vector<Button> buttons;
    switch (kind) {
    case MbOkCancel:
        buttons = {{QMessageBox::Ok, IdOk}, {QMessageBox::Cancel, IdCancel}};
        break;
    case MbYesNoCancel:
        buttons = {{QMessageBox::Yes, IdYes}, {QMessageBox::No, IdNo}, {QMessageBox::Cancel, IdCancel}};
        break;
    case MbYesNo:
        buttons = {{QMessageBox::Yes, IdYes}, {QMessageBox::No, IdNo}};
        break;
    case MbRetryCancel:
        buttons = {{QMessageBox::Retry, IdRetry}, {QMessageBox::Cancel, IdCancel}};
        break;
    default:
        buttons = {{QMessageBox::Ok, IdOk}};
        break;
    }
    QMessageBox::StandardButtons standard;
    for (const Button& b : buttons)
        standard |= b.standard;
    box.setStandardButtons(standard);
    box.setDefaultButton(buttons.front().standard);
    // Escape and closing give Cancel where there is one, the only button of an OK box, and nothing
    // at all for Yes and No (see AnswerBox).
    const QMessageBox::StandardButton pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const Button& b : buttons)
        if (b.standard == pressed)
            return b.answer;
    // Only reached when the box went away without an answer, as when the program is ending: a
    // question without Cancel has no harmless answer, so it gets none.
    if (kind == MbYesNo)
        return 0;
    return kind == MbOk ? IdOk : IdCancel;
}

std::optional<QString> QtDialogs::openFileName(QWidget* owner, const QString& title, const QString& filter,
                                               const QString& initialDir) {
    const QString name = QFileDialog::getOpenFileName(owner, title, initialDir, qtFileFilter(filter));
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

// The extension of the filter's first pattern ("List Save|*.sav" gives "sav"), or nothing.
static QString defaultSuffix(const QString& filter) {
    const QString pattern = filter.section(QLatin1Char('|'), 1, 1).section(QLatin1Char(';'), 0, 0).trimmed();
    if (!pattern.startsWith(QStringLiteral("*.")))
        return {};
    const QString suffix = pattern.mid(2);
    return suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?')) ? QString() : suffix;
}

std::optional<QString> QtDialogs::saveFileName(QWidget* owner, const QString& title, const QString& filter,
                                               const QString& initialDir) {
    // The dialog adds the extension itself, before it checks whether the file exists, so a name
    // typed without it still gets the question before an existing file is replaced.
    QFileDialog dialog(owner, title, initialDir, qtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString name = dialog.selectedFiles().constFirst();
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QColor> QtDialogs::chooseColor(QWidget* owner, const QColor& initial) {
    const QColor color = QColorDialog::getColor(initial, owner);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

} // namespace platform
