#include "app/command_line.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(CommandLine, MergeChoicesWritesOutWholeOrLeavesIt) {
    QTemporaryDir dir;
    const QString a = dir.filePath("a"), bad = dir.filePath("bad"), out = dir.filePath("out");
    const QByteArray header = "File created by Torvane\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
    for (const auto& [path, bytes] :
         {std::pair{a, header + "vi\r\n1\r\n0\r\n0\r\n0\r\n2\r\n"}, std::pair{bad, QByteArray("vi\r\n1\r\nten\r\n")},
          std::pair{out, QByteArray("old")}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    const std::tuple<QStringList, QString, QByteArray> cases[] = {
        {{a, bad}, "torvane: " + bad + ": Invalid numeric input\n", "old"},
        {{a, dir.filePath("none")}, "torvane: " + dir.filePath("none") + ": No such file\n", "old"},
        {{}, "torvane: --merge-choices needs at least one choice file to read\n", "old"},
        {{a, a}, "", header + "vi\r\n2\r\n0\r\n0\r\n0\r\n4\r\n"}};
    for (const auto& [inputs, err, bytes] : cases) {
        const CommandLineAnswer answer = readCommandLine(QStringList{"torvane", "--merge-choices", out} + inputs);
        EXPECT_TRUE(answer.exit && answer.status == (err.isEmpty() ? 0 : 1));
        EXPECT_EQ(answer.err, err);
        QFile written(out);
        EXPECT_TRUE(written.open(QIODevice::ReadOnly) && written.readAll() == bytes) << answer.err.toStdString();
    }
}

} // namespace
