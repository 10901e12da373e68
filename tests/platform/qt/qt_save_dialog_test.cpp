// The save dialog adds the list file's extension itself, before it looks for an existing file, so
// a name typed without it still asks before "name.sav" is replaced.
#include "platform/qt/qt_dialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// One answer per test (and so per process): a second file dialog in the same process does not
// always take a typed name on the offscreen platform.
void answerTheReplaceQuestion(QMessageBox::StandardButton answer) {
    QTemporaryDir dir;
    const QString existing = dir.filePath("name.sav");
    ASSERT_TRUE(QFile(existing).open(QIODevice::WriteOnly));
    QStringList questions;
    int waited = 0; // ticks while the dialog shows; the question comes in a few
    // Plays the user: types "name" and saves, answers the question, then cancels the dialog.
    QTimer user;
    user.setInterval(10);
    QObject::connect(&user, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && questions.isEmpty()) {
            questions << box->text();
            QMetaObject::invokeMethod(box->button(answer), "click", Qt::QueuedConnection);
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal);
                   dialog && questions.isEmpty() && waited++ % 25 == 0 && waited < 300) {
            // Typed again now and then: the dialog reads its folder in the background and may not
            // take the first one while it is busy.
            dialog->selectFile(QStringLiteral("name"));
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        } else if (dialog && (!questions.isEmpty() || waited >= 300)) {
            dialog->reject();
        }
    });
    user.start();
    const auto chosen = platform::QtDialogs().saveFileName(nullptr, QStringLiteral("Select a list save file"),
                                                           QStringLiteral("List Save|*.sav"), dir.path());
    EXPECT_EQ(chosen, answer == QMessageBox::Yes ? std::optional(existing) : std::nullopt);
    EXPECT_EQ(questions, QStringList{"name.sav already exists.\nDo you want to replace it?"});
}

TEST(QtSaveDialog, AsksBeforeATypedNameReplacesAnExistingFile) {
    answerTheReplaceQuestion(QMessageBox::Yes);
}

TEST(QtSaveDialog, KeepsAnExistingFileWhenTheQuestionIsDenied) {
    answerTheReplaceQuestion(QMessageBox::No);
}

} // namespace
