// A write that breaks off midway (the disk fills up) leaves the old file whole, whatever the file.
#include "app/settings_files.h"
#include "cipher/cipher_file.h"
#include "lists/choice_file.h"
#include "lists/list_file.h"
#include "platform/torvane_error.h"
#include "support/file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(DurableWrites, ACutOffWriteLeavesTheOldFileWhole) {
    TaskList many;
    for (int i = 0; i < 500; ++i)
        many.push_back({QStringLiteral("task number %1").arg(i), 0});
    QByteArray choices = "File created by Torvane\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
    while (choices.size() < 4000)
        choices += "task " + QByteArray::number(choices.size()) + "\r\n1\r\n0\r\n0\r\n0\r\n0\r\n";
    // Each new content is larger than the limit below, so it cannot be written whole.
    const struct {
        const char* kind;
        QByteArray old;
        std::function<void(const QString&)> replace;
    } cases[] = {
        {"list file", encodeListFile({{"keep", 0}}, {}), [&](const QString& p) { saveListFile(p, many, {}); }},
        {"settings file", QByteArray(28, '\1'),
         [](const QString& p) { settings_files::replaceFile(p, QByteArray(8000, '\0')); }},
        {"choice file", choices, [](const QString& p) { RecordChoice(1, QString(300, 'n'), p); }},
        {"encrypted file", QByteArray(8192, 'x'),
         [](const QString& p) {
             cipherFileInPlace(p, CipherDirection::Encrypt, {1, 2, 3, 4, 5, 6, 7, 8}, {});
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        QTemporaryDir dir;
        const QString path = dir.filePath("file");
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.old);
        }
        {
            const FileSizeLimit limit(4096);
            EXPECT_THROW(c.replace(path), TorvaneError);
        }
        EXPECT_EQ(contents(path), c.old);
        // Only the cipher's named temporary may stay behind; it never replaces the file.
        QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        left.removeAll("file.enc");
        EXPECT_EQ(left, QStringList{"file"});
    }
}

TEST(DurableWrites, AnOversizedCloudChoiceFileIsRefused) {
    QTemporaryDir dir;
    QFile cloud(dir.filePath(kCloudChoiceFileName));
    ASSERT_TRUE(cloud.open(QIODevice::WriteOnly));
    ASSERT_TRUE(cloud.resize(kChoiceFileSizeLimit + 1)); // sparse: takes no room on the disk
    cloud.close();
    try {
        MostPerformedByCloud("task", dir.path() + "/");
        ADD_FAILURE() << "read a file above the limit";
    } catch (const TorvaneError& e) {
        EXPECT_EQ(e.text(), "The choice file \"CloudChoice.dat\" is larger than 64 MiB and was not read");
    }
}

} // namespace
