#include "app/command_line.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(CommandLine, MergeChoicesWritesOutOrLeavesItUntouched) {
    QTemporaryDir dir;
    const auto path = [&dir](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    const auto write = [](const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    const auto read = [](const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    };
    const QByteArray header = "File created by Torvane\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
    write(path("a"), header + "vi\r\n1\r\n0\r\n0\r\n0\r\n2\r\n");
    write(path("bad"), "vi\r\n1\r\nten\r\n");
    write(path("out"), "old");
    const struct {
        QStringList inputs;
        int status;
        QString err;
        QByteArray out;
    } cases[] = {
        {{path("a"), path("bad")}, 1, "torvane: " + path("bad") + ": Invalid numeric input\n", "old"},
        {{path("a"), path("none")}, 1, "torvane: " + path("none") + ": No such file\n", "old"},
        {{}, 1, "torvane: --merge-choices needs at least one choice file to read\n", "old"},
        {{path("a"), path("a")}, 0, "", header + "vi\r\n2\r\n0\r\n0\r\n0\r\n4\r\n"},
    };
    for (const auto& c : cases) {
        const CommandLineAnswer answer =
            readCommandLine(QStringList{"torvane", "--merge-choices", path("out")} + c.inputs);
        EXPECT_TRUE(answer.exit);
        EXPECT_EQ(answer.status, c.status) << answer.err.toStdString();
        EXPECT_EQ(answer.err, c.err);
        EXPECT_EQ(read(path("out")), c.out);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3); // no temporary left
}

} // namespace
