// Escape and the window's close button on the real message boxes: a harmless answer where the box
// has one, none at all for Yes and No without Cancel.
#include "platform/qt/qt_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

using namespace platform;

// The answer after `dismiss`, or 0 when the box ignored it (a few ticks later Yes ends it).
static int answerAfter(unsigned flags, void (*dismiss)(QMessageBox*)) {
    int ticks = 0;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && box->isVisible() && ticks++ == 0)
            dismiss(box);
        else if (box && box->isVisible() && ticks == 5)
            box->button(QMessageBox::Yes)->click();
    });
    user.start(10);
    const int answer = QtDialogs().messageBox(nullptr, "Question", "Title", flags);
    return ticks >= 5 && answer == IdYes ? 0 : answer;
}

TEST(QtMessageBox, EscapeAndCloseGiveAHarmlessAnswerOrNone) {
    const auto escape = [](QMessageBox* box) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(box->focusWidget() ? box->focusWidget() : box, &press);
    };
    const auto close = [](QMessageBox* box) { box->windowHandle()->close(); }; // as the window manager asks
    const std::pair<unsigned, int> cases[] = {{MbOk | MbIconInformation, IdOk},
                                              {MbOkCancel, IdCancel},
                                              {MbYesNoCancel | MbIconQuestion, IdCancel},
                                              {MbRetryCancel | MbIconError, IdCancel},
                                              {MbYesNo | MbIconWarning, 0}};
    for (const auto& [flags, answer] : cases) {
        EXPECT_EQ(answerAfter(flags, escape), answer) << "Escape, flags " << flags;
        EXPECT_EQ(answerAfter(flags, close), answer) << "close, flags " << flags;
    }
}
