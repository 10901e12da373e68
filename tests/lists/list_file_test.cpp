#include "lists/list_file.h"
#include "lists/list_file_stream.h"
#include "platform/torvane_error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/file_size_limit.h"
#include <csignal>

namespace {

// Expected streams are spelled out byte by byte; hex() skips blanks.
QByteArray hex(const char* digits) {
    return QByteArray::fromHex(digits);
}

// "TPF0", "TListBox", "tmpBox", Left 951, Top 0, Width 33, Height 33, ItemHeight 13.
const QByteArray kHead = hex("54 50 46 30"
                             "08 54 4C 69 73 74 42 6F 78"
                             "06 74 6D 70 42 6F 78"
                             "04 4C 65 66 74 03 B7 03"
                             "03 54 6F 70 02 00"
                             "05 57 69 64 74 68 02 21"
                             "06 48 65 69 67 68 74 02 21"
                             "0A 49 74 65 6D 48 65 69 67 68 74 02 0D");
// "Items.Strings" and the list start.
const QByteArray kItemsStart = hex("0D 49 74 65 6D 73 2E 53 74 72 69 6E 67 73 01");
// List end, TabOrder 11, Visible false, end of properties, end of children.
const QByteArray kItemsEnd = hex("00");
const QByteArray kTail = hex("08 54 61 62 4F 72 64 65 72 02 0B"
                             "07 56 69 73 69 62 6C 65 08"
                             "00 00");
const QByteArray kSeparatorItem = hex("06 11") + QByteArray("!!!!!ENDLIST!!!!!");

QByteArray streamOf(const QByteArray& items) {
    return kHead + kItemsStart + items + kItemsEnd + kTail;
}

TaskList tasks(const QStringList& titles) {
    TaskList list;
    for (const QString& title : titles)
        list.push_back(TaskEntry{title, 0});
    return list;
}

QString decodeError(const QByteArray& bytes) {
    try {
        decodeListStream(bytes);
    } catch (const TorvaneError& e) {
        return e.text();
    }
    return QStringLiteral("<no error>");
}

TEST(ListFileStream, TwoEmptyListsHoldJustTheSeparators) {
    const QByteArray expected = streamOf(kSeparatorItem + kSeparatorItem);
    EXPECT_EQ(encodeListFile({}, {}), expected);
    const ListFileSections sections = decodeListFile(expected);
    EXPECT_TRUE(sections.safe.empty());
    EXPECT_TRUE(sections.kill.empty());
    EXPECT_TRUE(sections.replacesSafe);
    EXPECT_TRUE(sections.replacesKill);
    EXPECT_TRUE(sections.error.isEmpty());
}

TEST(ListFileStream, EmptyTmpBoxHasNoItemList) {
    EXPECT_EQ(encodeListStream({}), kHead + kTail);
}

struct ItemCase {
    const char* label;
    QString text;
    QByteArray bytes;
};

// One item each: the value type chosen by comparing UTF-8 bytes with UTF-16 units.
std::vector<ItemCase> itemCases() {
    const QByteArray a300(300, 'a');
    return {
        {"ascii", QStringLiteral("xterm"), hex("06 05") + "xterm"},
        {"255 ascii", QString(255, QLatin1Char('b')), hex("06 FF") + QByteArray(255, 'b')},
        {"256 ascii", QString(256, QLatin1Char('c')), hex("0C 00 01 00 00") + QByteArray(256, 'c')},
        {"300 ascii", QString::fromLatin1(a300), hex("0C 2C 01 00 00") + a300},
        {"accented", QString::fromUtf8("Caf\xC3\xA9"), hex("14 05 00 00 00 43 61 66 C3 A9")},
        {"long accented", QString::fromUtf8("\xC3\xA9") + QString(299, QLatin1Char('d')),
         hex("14 2D 01 00 00 C3 A9") + QByteArray(299, 'd')},
        {"greek", QString::fromUtf8("\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1"),
         hex("12 05 00 00 00 A9 03 BC 03 AD 03 B3 03 B1 03")},
        {"greek with ascii", QString::fromUtf8("ab \xCE\xA9\xCE\xBC"), hex("14 07 00 00 00 61 62 20 CE A9 CE BC")},
        {"chinese", QString::fromUtf8("\xE4\xBB\xBB\xE5\x8A\xA1"), hex("12 02 00 00 00 FB 4E A1 52")},
        // A character outside the BMP counts as two units: 4 bytes against 2 * 2 -> wide.
        {"emoji", QString::fromUtf8("\xF0\x9F\x98\x80"), hex("12 02 00 00 00 3D D8 00 DE")},
        {"ascii and emoji", QString::fromUtf8("a\xF0\x9F\x98\x80"), hex("14 05 00 00 00 61 F0 9F 98 80")},
        {"empty", QString(), hex("12 00 00 00 00")},
        // A title cut inside a surrogate pair has no UTF-8 form; it is kept exactly as UTF-16.
        {"lone surrogate", QStringLiteral("ab") + QChar(0xD83D), hex("12 03 00 00 00 61 00 62 00 3D D8")},
    };
}

TEST(ListFileStream, ItemValueTypesFollowTheLengthRule) {
    for (const ItemCase& c : itemCases()) {
        SCOPED_TRACE(c.label);
        const QByteArray expected = streamOf(c.bytes + kSeparatorItem + kSeparatorItem);
        EXPECT_EQ(encodeListFile(tasks({c.text}), {}), expected);
        const ListFileSections back = decodeListFile(expected);
        ASSERT_EQ(back.safe.size(), 1u);
        EXPECT_EQ(back.safe[0].title, c.text);
        EXPECT_EQ(back.safe[0].handle, 0u);
    }
}

TEST(ListFileStream, SectionsKeepOrderAndDropHandles) {
    TaskList safe{{QStringLiteral("one"), 11}, {QStringLiteral("two"), 12}, {QStringLiteral("one"), 13}};
    TaskList kill{{QStringLiteral("bad"), 14}};
    const QByteArray expected = streamOf(hex("06 03") + "one" + hex("06 03") + "two" + hex("06 03") + "one" +
                                         kSeparatorItem + hex("06 03") + "bad" + kSeparatorItem);
    EXPECT_EQ(encodeListFile(safe, kill), expected);
    const ListFileSections back = decodeListFile(expected);
    EXPECT_EQ(back.safe, tasks({"one", "two", "one"}));
    EXPECT_EQ(back.kill, tasks({"bad"}));
}

struct SplitCase {
    const char* label;
    QStringList items;
    QStringList safe;
    QStringList kill;
    bool replacesKill;
    QString error;
};

TEST(ListFileSections, SplitAtSeparators) {
    const QString sep = kListSeparator;
    const std::vector<SplitCase> cases = {
        {"complete", {"a", "b", sep, "c", sep}, {"a", "b"}, {"c"}, true, ""},
        {"after second separator ignored", {"a", sep, "c", sep, "d", sep}, {"a"}, {"c"}, true, ""},
        // A safe entry named like the separator ends the safe section early on the next load.
        {"safe entry equal to separator", {"x", sep, "y", sep, "z", sep}, {"x"}, {"y"}, true, ""},
        {"one separator only", {"a", sep, "c", "d"}, {"a"}, {"c", "d"}, true, "List index out of bounds (4)"},
        {"no separator", {"a", "b"}, {"a", "b"}, {}, false, "List index out of bounds (2)"},
        {"no items", {}, {}, {}, false, "List index out of bounds (0)"},
        {"separator differs in case", {"!!!!!endlist!!!!!", sep, sep}, {"!!!!!endlist!!!!!"}, {}, true, ""},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.label);
        const ListFileSections s = splitListItems(c.items);
        EXPECT_EQ(s.safe, tasks(c.safe));
        EXPECT_EQ(s.kill, tasks(c.kill));
        EXPECT_TRUE(s.replacesSafe);
        EXPECT_EQ(s.replacesKill, c.replacesKill);
        EXPECT_EQ(s.error, c.error);
    }
}

TEST(ListFileSections, SafeSeparatorEntryRoundTrip) {
    const ListFileSections s = decodeListFile(encodeListFile(tasks({"x", kListSeparator, "y"}), tasks({"z"})));
    EXPECT_EQ(s.safe, tasks({"x"}));
    EXPECT_EQ(s.kill, tasks({"y"}));
    EXPECT_TRUE(s.error.isEmpty());
}

TEST(ListFileStream, ReaderToleratesOtherEntriesAndNames) {
    // A different class and object name, Items.Strings first, and properties the writer never
    // produces: an int64, a set, binary data, a nested list, true, an extended and an ident.
    const QByteArray stream = hex("54 50 46 30 03 41 42 43 05 6F 74 68 65 72") + kItemsStart + hex("06 01 71") +
                              kSeparatorItem + kSeparatorItem + kItemsEnd +
                              hex("03 42 69 67 13 01 02 03 04 05 06 07 08"
                                  "03 53 65 74 0B 02 61 62 01 63 00"
                                  "03 42 69 6E 0A 03 00 00 00 FF FE FD"
                                  "03 4C 73 74 01 01 02 05 00 07 01 7A 00"
                                  "03 59 65 73 09"
                                  "03 45 78 74 05 00 00 00 00 00 00 00 80 FF 3F"
                                  "03 49 64 6E 07 04 6E 6F 6E 65") +
                              kTail;
    const ListFileSections s = decodeListFile(stream);
    EXPECT_EQ(s.safe, tasks({"q"}));
    EXPECT_TRUE(s.kill.empty());
    EXPECT_TRUE(s.error.isEmpty());
}

TEST(ListFileStream, MalformedStreamsGiveTheReaderTexts) {
    const QByteArray good = streamOf(hex("06 01 61") + kSeparatorItem + kSeparatorItem);
    const qsizetype itemsAt = kHead.size() + kItemsStart.size();
    const QString items = QStringLiteral("Error reading tmpBox.Items.Strings: ");
    const struct {
        const char* label;
        QByteArray bytes;
        QString error;
    } cases[] = {
        {"empty file", QByteArray(), "Stream read error"},
        {"three bytes", "TPF", "Stream read error"},
        {"wrong signature", "TPF1" + good.mid(4), "Invalid stream format"},
        {"text file", "hello world\r\n", "Invalid stream format"},
        {"cut in class name", good.left(8), "Stream read error"},
        {"cut before a property name", kHead, "Stream read error"},
        {"cut in a property name", good.left(itemsAt - 5), "Stream read error"},
        {"cut after Left's name", good.left(4 + 9 + 7 + 5), "Error reading tmpBox.Left: Stream read error"},
        {"cut in Left's value", good.left(4 + 9 + 7 + 6), "Error reading tmpBox.Left: Stream read error"},
        {"cut in an item", good.left(itemsAt + 2), items + "Stream read error"},
        {"cut before list end", good.left(itemsAt + 3), items + "Stream read error"},
        {"cut before end of children", good.left(good.size() - 1), "Stream read error"},
        {"item of type ident", kHead + kItemsStart + hex("07 01 61 00") + kTail, items + "Invalid property value"},
        {"item of type integer", kHead + kItemsStart + hex("02 05 00") + kTail, items + "Invalid property value"},
        {"item list not a list", kHead + hex("0D") + "Items.Strings" + hex("06 01 61") + kTail,
         items + "Invalid property value"},
        {"huge UTF-16 count", kHead + kItemsStart + hex("12 FF FF FF 7F 41 00") + kTail, items + "Stream read error"},
        {"huge byte length", kHead + kItemsStart + hex("0C FF FF FF FF 41") + kTail, items + "Stream read error"},
        {"huge UTF-8 length", kHead + kItemsStart + hex("14 00 00 00 80 41") + kTail, items + "Stream read error"},
        {"unknown value type", kHead + hex("03 46 6F 6F 0E 00") + kTail,
         "Error reading tmpBox.Foo: Invalid property value"},
        {"child object", kHead + kTail.left(kTail.size() - 1) + hex("01"), "Invalid stream format"},
        {"lists nested too deep", kHead + hex("03 46 6F 6F") + QByteArray(40, '\x01') + QByteArray(40, '\0') + kTail,
         "Error reading tmpBox.Foo: Invalid property value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(decodeError(c.bytes), c.error);
    }
}

class ListFileOnDisk : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    static QByteArray contents(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    static void write(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

TEST_F(ListFileOnDisk, SaveReplacesTheFileAndLoadsBack) {
    const QString file = defaultListFilePath(dir.path() + QLatin1Char('/'));
    ASSERT_EQ(file, path("AllLists.sav"));
    write(file, QByteArray(5000, 'x'));
    saveListFile(file, tasks({"xterm"}), tasks({"bad"}));
    EXPECT_EQ(contents(file),
              streamOf(hex("06 05") + "xterm" + kSeparatorItem + hex("06 03") + "bad" + kSeparatorItem));
    const ListFileSections back = loadListFile(file);
    EXPECT_EQ(back.safe, tasks({"xterm"}));
    EXPECT_EQ(back.kill, tasks({"bad"}));
    EXPECT_TRUE(back.replacesSafe && back.replacesKill);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"AllLists.sav"});
}

TEST_F(ListFileOnDisk, MissingFileIsCreatedEmptyAndListsStay) {
    const QString file = path("new.sav");
    const ListFileSections first = loadListFile(file);
    EXPECT_FALSE(first.replacesSafe);
    EXPECT_FALSE(first.replacesKill);
    EXPECT_TRUE(first.error.isEmpty());
    EXPECT_EQ(contents(file), kHead + kTail);
    // Loading that file before any save: the Safe List is emptied and the section has no end.
    const ListFileSections second = loadListFile(file);
    EXPECT_TRUE(second.replacesSafe);
    EXPECT_FALSE(second.replacesKill);
    EXPECT_EQ(second.error, QStringLiteral("List index out of bounds (0)"));
    EXPECT_THROW(second.throwIfError(), TorvaneError);
}

TEST_F(ListFileOnDisk, FileErrorsNameThePath) {
    const QString inMissingFolder = path("nowhere/AllLists.sav");
    const auto errorOf = [](auto&& action) {
        try {
            action();
        } catch (const TorvaneError& e) {
            return e.text();
        }
        return QStringLiteral("<no error>");
    };
    EXPECT_EQ(errorOf([&] { saveListFile(inMissingFolder, {}, {}); }),
              "Cannot create file \"" + inMissingFolder + "\". No such file or directory");
    EXPECT_EQ(errorOf([&] { loadListFile(inMissingFolder); }),
              "Cannot create file \"" + inMissingFolder + "\". No such file or directory");
    const QString folder = path("folder.sav");
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_EQ(errorOf([&] { loadListFile(folder); }), "Cannot open file \"" + folder + "\". Is a directory");
    EXPECT_TRUE(errorOf([&] { saveListFile(folder, {}, {}); }).startsWith("Cannot create file \"" + folder + "\". "));
    const QString bad = path("bad.sav");
    write(bad, "TPF0\x08TList");
    EXPECT_EQ(errorOf([&] { loadListFile(bad); }), QStringLiteral("Stream read error"));
}

TEST_F(ListFileOnDisk, FailedSaveLeavesThePreviousFileWhole) {
    const QString file = path("AllLists.sav");
    saveListFile(file, tasks({"keep"}), tasks({"old"}));
    const QByteArray before = contents(file);
    QStringList many;
    for (int i = 0; i < 2000; ++i)
        many.append(QStringLiteral("task number %1").arg(i));
    {
        // Writes beyond 4 KiB fail (EFBIG) even for root: the save breaks off mid-file.
        const FileSizeLimit limit(4096);
        try {
            saveListFile(file, tasks(many), {});
            ADD_FAILURE() << "saved beyond the size limit";
        } catch (const TorvaneError& e) {
            EXPECT_EQ(e.text(), "Cannot create file \"" + file + "\". File too large");
        }
    }
    EXPECT_EQ(contents(file), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"AllLists.sav"});
}

} // namespace
