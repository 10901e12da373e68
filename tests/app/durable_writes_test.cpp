// A write that breaks off midway (the disk fills up) leaves the old file whole. The list and choice
// files have their own such tests.
#include "app/settings_files.h"
#include "cipher/cipher_file.h"
#include "lists/choice_file.h"
#include "platform/torvane_error.h"
#include "support/file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

TEST(DurableWrites, ACutOffWriteLeavesTheOldFileWhole) {
    const struct {
        const char* kind;
        QByteArray old;
        std::function<void(const QString&)> replace; // writes more than the limit below
    } cases[] = {
        {"settings", QByteArray(28, '\1'),
         [](const QString& p) { settings_files::replaceFile(p, QByteArray(8000, 0)); }},
        {"encrypted", QByteArray(8192, 'x'),
         [](const QString& p) {
             cipherFileInPlace(p, CipherDirection::Encrypt, {1, 2, 3, 4, 5, 6, 7, 8}, {});
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        QTemporaryDir dir;
        QFile file(dir.filePath("file"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.old);
        file.close();
        {
            const FileSizeLimit limit(4096);
            EXPECT_THROW(c.replace(file.fileName()), TorvaneError);
        }
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), c.old);
        // The cipher's named temporary may stay; any other temporary is gone.
        EXPECT_EQ(QDir(dir.path()).entryList({"file*"}, QDir::Files | QDir::Hidden).filter(".tmp"), QStringList());
    }
}

TEST(DurableWrites, AnOversizedCloudChoiceFileIsRefused) {
    QTemporaryDir dir;
    QFile cloud(dir.filePath(kCloudChoiceFileName));
    ASSERT_TRUE(cloud.open(QIODevice::WriteOnly) && cloud.resize(kChoiceFileSizeLimit + 1)); // sparse
    cloud.close();
    try {
        MostPerformedByCloud("task", dir.path() + "/");
        ADD_FAILURE() << "read a file above the limit";
    } catch (const TorvaneError& e) {
        EXPECT_EQ(e.text(), "The choice file \"CloudChoice.dat\" is larger than 64 MiB and was not read");
    }
}

} // namespace
