#include "app/settings_files.h"
#include "platform/torvane_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace settings_files;

namespace {

QString errorText(const std::function<void()>& action) {
    try {
        action();
    } catch (const TorvaneError& e) {
        return e.text();
    }
    return {};
}

TEST(SettingsCodec, FieldsAreLittleEndianSigned32) {
    Fields fields{};
    fields[0] = 1024;
    fields[4] = -65521;
    fields[14] = 0x12345678;
    const QByteArray bytes = encodeFields(fields);
    ASSERT_EQ(bytes.size(), 60);
    EXPECT_EQ(bytes.mid(0, 4), QByteArray::fromHex("00040000"));
    EXPECT_EQ(bytes.mid(16, 4), QByteArray::fromHex("0f00ffff"));
    EXPECT_EQ(bytes.mid(56, 4), QByteArray::fromHex("78563412"));
    RecordReader reader(bytes);
    for (std::int32_t expected : fields)
        EXPECT_EQ(reader.readField(), expected);
}

TEST(SettingsCodec, FlagsAreOneBytePerRecordAndAnyNonZeroIsTrue) {
    Flags flags{};
    flags[0] = true;
    flags[27] = true;
    const QByteArray bytes = encodeFlags(flags);
    ASSERT_EQ(bytes.size(), 28);
    EXPECT_EQ(bytes.count('\1'), 2);
    EXPECT_EQ(bytes.at(0), '\1');
    EXPECT_EQ(bytes.at(27), '\1');

    RecordReader reader(QByteArray::fromHex("000102ff80"));
    const bool expected[] = {false, true, true, true, true};
    for (bool e : expected)
        EXPECT_EQ(reader.readFlag(), e);
}

TEST(SettingsCodec, ReadingPastTheEndFailsAtThatRecordOnly) {
    const struct {
        const char* name;
        QByteArray bytes;
        int fieldsRead; // before the failure; -1: none fails within 15
    } cases[] = {
        {"empty", {}, 0},
        {"one whole record", QByteArray(4, '\0'), 1},
        {"a partial record", QByteArray(7, '\0'), 1},
        {"all fifteen", QByteArray(60, '\0'), -1},
        {"extra bytes ignored", QByteArray(64, '\0'), -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordReader reader(c.bytes);
        int read = 0;
        const QString error = errorText([&] {
            for (int i = 0; i < kFieldCount; ++i, ++read)
                reader.readField();
        });
        if (c.fieldsRead < 0) {
            EXPECT_TRUE(error.isEmpty());
        } else {
            EXPECT_EQ(error, "Read beyond end of file");
            EXPECT_EQ(read, c.fieldsRead);
        }
    }
}

TEST(SettingsCodec, ReplaceFileLeavesOnlyTheNewFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Settings.ini");
    replaceFile(path, QByteArray(40, 'x'));
    replaceFile(path, encodeFlags(Flags{}));
    EXPECT_EQ(readWholeFile(path), QByteArray(28, '\0'));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Settings.ini"});
}

TEST(SettingsCodec, FileErrorsCarryTheProgramsTexts) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("Configures.ini");
    ASSERT_TRUE(QDir().mkdir(folder));
    // A folder in place of the file: EISDIR has no text of its own.
    EXPECT_EQ(errorText([&] { readWholeFile(folder); }), "I/O error 21");
    EXPECT_EQ(errorText([&] { removeFileIfPresent(folder); }), "I/O error 21");
    EXPECT_FALSE(errorText([&] { replaceFile(folder, "x"); }).isEmpty());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    // Nothing to delete is no error.
    EXPECT_TRUE(errorText([&] { removeFileIfPresent(dir.filePath("Settings.ini")); }).isEmpty());
}

} // namespace
