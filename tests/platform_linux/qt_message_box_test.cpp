// Escape and the window's close button on the real message boxes: a harmless answer where the box
// has one, nothing at all for Yes and No without Cancel.
#include "platform/linux/qt_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

namespace {

using platform::QtDialogs;
using Dismissal = std::function<void(QMessageBox*)>;

void pressEscape(QMessageBox* box) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(box->focusWidget() ? box->focusWidget() : box, &press);
}

// As the window manager's close button does: through the platform window.
void requestClose(QMessageBox* box) {
    box->windowHandle()->close();
}

constexpr int kStaysOpen = 0;

// The answer the box gives to the dismissal, or kStaysOpen when it ignored it (then Yes ends it).
int answerAfter(unsigned flags, const Dismissal& dismiss) {
    int ticksSinceDismissal = -1;
    bool stayedOpen = false;
    QTimer user;
    user.setInterval(10);
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        if (ticksSinceDismissal < 0)
            dismiss(box);
        if (++ticksSinceDismissal == 5) {
            stayedOpen = true;
            box->button(QMessageBox::Yes)->click();
        }
    });
    user.start();
    const int answer = QtDialogs().messageBox(nullptr, QStringLiteral("Question"), QStringLiteral("Title"), flags);
    return stayedOpen ? kStaysOpen : answer;
}

TEST(QtMessageBox, EscapeAndCloseGiveAHarmlessAnswerOrNone) {
    using namespace platform;
    const struct {
        unsigned flags;
        int answer;
    } cases[] = {
        {MbOk | MbIconInformation, IdOk},           {MbOkCancel, IdCancel},
        {MbYesNoCancel | MbIconQuestion, IdCancel}, {MbRetryCancel | MbIconError, IdCancel},
        {MbYesNo | MbIconWarning, kStaysOpen},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(answerAfter(c.flags, pressEscape), c.answer) << "Escape, flags " << c.flags;
        EXPECT_EQ(answerAfter(c.flags, requestClose), c.answer) << "close, flags " << c.flags;
    }
}

} // namespace
