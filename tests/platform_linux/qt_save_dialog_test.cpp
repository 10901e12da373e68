// The save dialog adds the list file's extension itself, before it looks for an existing file, so
// a name typed without it still asks before "name.sav" is replaced.
#include "platform/linux/qt_dialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(QtSaveDialog, AsksBeforeATypedNameReplacesAnExistingFile) {
    QTemporaryDir dir;
    const QString existing = dir.filePath("name.sav");
    ASSERT_TRUE(QFile(existing).open(QIODevice::WriteOnly));
    const struct {
        QMessageBox::StandardButton answer;
        std::optional<QString> chosen;
    } cases[] = {{QMessageBox::Yes, existing}, {QMessageBox::No, std::nullopt}};
    for (const auto& c : cases) {
        QStringList questions;
        int waited = 0; // ticks since "name" was typed; the question comes in a few
        // Plays the user: types "name" and saves, answers the question, then cancels the dialog.
        QTimer user;
        user.setInterval(10);
        QObject::connect(&user, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal); box && questions.isEmpty()) {
                questions << box->text();
                QMetaObject::invokeMethod(box->button(c.answer), "click", Qt::QueuedConnection);
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && waited++ == 0) {
                dialog->selectFile(QStringLiteral("name"));
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            } else if (dialog && (!questions.isEmpty() || waited > 300)) {
                dialog->reject();
            }
        });
        user.start();
        const auto chosen = platform::QtDialogs().saveFileName(nullptr, QStringLiteral("Select a list save file"),
                                                               QStringLiteral("List Save|*.sav"), dir.path());
        EXPECT_EQ(chosen, c.chosen);
        EXPECT_EQ(questions, QStringList{"name.sav already exists.\nDo you want to replace it?"});
    }
}

} // namespace
