#include "tasks/recognition.h"
#include "tasks/recognition_resemblance.h"
#include "tasks/task_list_index.h"

#include <gtest/gtest.h>

namespace {

RecognitionOptions noFilters() {
    RecognitionOptions o;
    o.lengthFilter = false;
    o.minimumLengthFilter = false;
    return o;
}

} // namespace

TEST(Recognition, TotalModeNeedsARunLongerThanA) {
    const struct {
        const char* x;
        const char* y;
        bool expected;
    } cases[] = {
        {"Untitled - Notepad", "report.txt - Notepad", true}, // shares " - Notepad" (10)
        {"abcdefgXYZ", "QRSabcdefg", true},                   // a run of 7
        {"abcdefXYZ", "QRSabcdef", false},                    // at most 6 in a row
        {"abc", "xxabcxx", true},                             // contained, however short
        {"xxabcxx", "abc", true},                             // containing
        {"Abcdefgh", "abcdefgh", true},                       // case counts, but "bcdefgh" is 7 long
        {"", "", false},                                      // nothing occurs in an empty text
        {"", "abc", false},
        {"abc", "", false},
    };
    for (const auto& c : cases) {
        const QString x = QString::fromLatin1(c.x), y = QString::fromLatin1(c.y);
        EXPECT_EQ(ResembleByCount(x, y, 6, noFilters()), c.expected) << c.x << " / " << c.y;
    }
    EXPECT_FALSE(ResembleByCount(u"Abcdefg", u"abcdefg", 6, noFilters())); // "bcdefg" is only 6
}

TEST(Recognition, MinimumLengthFilterDiffersBetweenModes) {
    RecognitionOptions o = noFilters();
    o.minimumLengthFilter = true;
    o.minimumLength = 3;
    // Total mode rules out lengths up to and including N, even for containment.
    EXPECT_FALSE(ResembleByCount(u"abc", u"xxabcxx", 6, o));
    EXPECT_TRUE(ResembleByCount(u"abcd", u"xxabcdxx", 6, o));
    // Percent mode only rules out names shorter than N.
    o.percentMode = true;
    EXPECT_TRUE(ResembleByPercent(u"abc", u"xxabcxx", 10, o));
    EXPECT_FALSE(ResembleByPercent(u"ab", u"xxabxx", 10, o));
}

TEST(Recognition, LengthFilterTiedToTheRunLength) {
    RecognitionOptions o = noFilters();
    o.lengthFilter = true;
    EXPECT_FALSE(ResembleByCount(u"abcdef", u"xabcdefx", 6, o)); // 6 <= a
    EXPECT_TRUE(ResembleByCount(u"abcdefg", u"xabcdefgx", 6, o));
    // Percent mode, p = 40: a 10-character name needs the other to be longer than 6.
    o.percentMode = true;
    EXPECT_FALSE(ResembleByPercent(u"abcdef", u"abcdefghij", 40, o));
    EXPECT_TRUE(ResembleByPercent(u"abcdefg", u"abcdefghij", 40, o));
}

TEST(Recognition, PercentModeRunLengths) {
    // p = 60, X of 10: runs of 7 characters of X are searched in Y (Y's own share is larger).
    const QString x = QStringLiteral("0123456789");
    EXPECT_TRUE(ResembleByPercent(x, u"......3456789..........", 60, noFilters()));
    EXPECT_FALSE(ResembleByPercent(x, u"......345678...........", 60, noFilters()));
    // The shorter text's share decides: 50 % of 4 is 2, so a run of 3 is enough.
    EXPECT_TRUE(ResembleByPercent(u"abcd", u"xxxxxxxxxxxxbcdxxxxx", 50, noFilters()));
    // p = 100: no run is short enough.
    EXPECT_FALSE(ResembleByPercent(u"same", u"same", 100, noFilters()));
    // 50 % of 1 rounds to 0: one shared character is enough.
    EXPECT_TRUE(ResembleByPercent(u"a", u"xay", 50, noFilters()));
    // No containment test: 75 % of 2 rounds to 2, so even equal names need a run of 3.
    EXPECT_FALSE(ResembleByPercent(u"ab", u"ab", 75, noFilters()));
    EXPECT_TRUE(ResembleByCount(u"ab", u"ab", 6, noFilters()));
}

TEST(Recognition, SharesRoundToEvenInExtendedPrecision) {
    const struct {
        int percent;
        int length;
        std::int64_t expected;
    } cases[] = {
        {50, 5, 2},
        {10, 5, 0},
        {50, 3, 2},
        {50, 1, 0},
        {30, 5, 2},
        {70, 5, 4},
        {100, 256, 256},
        {0, 256, 0},
        {10, 15, 2},
        {90, 15, 14},
        {10, 25, 2},
        {10, 35, 4},
        {60, 10, 6},
        // Where extended precision parts from both double precision and exact arithmetic.
        {9, 650, 59},
        {15, 190, 29},
        {21, 150, 31},
        {7, 150, 10},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundedShare(c.percent, c.length), c.expected) << c.percent << "% of " << c.length;
}

TEST(Recognition, FindTaskStages) {
    TaskList list = {{"alpha", 11}, {"beta", 12}, {"same", 13}, {"gamma", 14}, {"Untitled - Notepad", 15},
                     {"same", 16}};
    const RecognitionOptions o;
    EXPECT_EQ(FindTask(list, u"same", 0, o), 5);
    EXPECT_EQ(FindTask(list, u"other", 0, o), -1);
    EXPECT_EQ(FindTask(list, u"report.txt - Notepad", 0, o), -1); // handle 0: exact title only
    EXPECT_EQ(FindTask(list, u"completely different", 14, o), 3); // by handle
    EXPECT_EQ(FindTask(list, u"report.txt - Notepad", 99, o), 4); // by resemblance
    EXPECT_EQ(FindTask(list, u"same", 14, o), 5);                 // the exact title comes first
    EXPECT_EQ(FindTask(list, u"", 13, o), 2);                     // no exact stage for an empty name
    RecognitionOptions plain = o;
    plain.cleverProcessing = false;
    EXPECT_EQ(FindTask(list, u"report.txt - Notepad", 99, plain), -1);
    // The highest resembling index wins.
    list.push_back({"Another - Notepad", 17});
    EXPECT_EQ(FindTask(list, u"report.txt - Notepad", 99, o), 6);
}

TEST(Recognition, MarkerNeverMatchesAHandle) {
    TaskList list = {{"a", 0}, {"b", 0xFFFFFFFFu}, {"c", 1}};
    EXPECT_EQ(FindTask(list, u"zzz", kNoHandleMarker, RecognitionOptions()), -1);
    EXPECT_EQ(FindTaskByHandle(list, 0xFFFFFFFFu), 1);
}

TEST(Recognition, AddTaskIfAbsentUsesResemblanceOnlyWhenClever) {
    const TaskList start = {{"Untitled - Notepad", 5}};
    RecognitionOptions o;
    TaskList list = start;
    EXPECT_FALSE(AddTaskIfAbsent(list, "report.txt - Notepad", 7, o));
    EXPECT_EQ(list, start);
    // The new entry's handle is never looked up: handle 5 is in the list but the name is added.
    o.cleverProcessing = false;
    EXPECT_TRUE(AddTaskIfAbsent(list, "report.txt - Notepad", 5, o));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.back(), (TaskEntry{"report.txt - Notepad", 5}));
    EXPECT_FALSE(AddTaskIfAbsent(list, "report.txt - Notepad", 9, o));
}

TEST(Recognition, UnreadableNumbersFailOnlyWhenUsed) {
    RecognitionOptions o;
    o.runLength = OptionNumber::fromText("99999999999");
    const TaskList list = {{"alpha", 1}};
    EXPECT_EQ(FindTask(list, u"alpha", 0, o), 0);
    EXPECT_EQ(FindTask(list, u"beta", 0, o), -1);
    EXPECT_EQ(FindTask(list, u"beta", 1, o), 0);
    EXPECT_EQ(FindTask(TaskList{}, u"beta", 2, o), -1);
    try {
        FindTask(list, u"beta", 2, o);
        ADD_FAILURE() << "no error";
    } catch (const TorvaneError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("'99999999999' is not a valid integer value"));
    }
    // The minimum length is read only while its filter is on.
    RecognitionOptions m;
    m.minimumLength = OptionNumber::fromText("x99999999999");
    m.minimumLengthFilter = false;
    EXPECT_NO_THROW(NamesResemble(u"abc", u"def", m));
    m.minimumLengthFilter = true;
    EXPECT_THROW(NamesResemble(u"abc", u"def", m), TorvaneError);
}

TEST(Recognition, TextHelpers) {
    EXPECT_EQ(SubText(u"abcdef", 2, 4), QStringLiteral("bcd"));
    EXPECT_EQ(SubText(u"abcdef", 4, 3), QString());
    EXPECT_EQ(SubText(u"abcdef", 6, 6), QStringLiteral("f"));
    EXPECT_EQ(LimitNameLength(QString(40, QChar('x')), 32), QString(32, QChar('x')));
    EXPECT_EQ(LimitNameLength("short", 32), QStringLiteral("short"));
    EXPECT_EQ(LimitNameLength("short", 0), QString());
    EXPECT_EQ(LimitNameLength("short", -4), QString());
    // Surrogate halves are separate code units.
    const QString emoji = QString::fromUtf16(u"a\U0001F600b");
    EXPECT_EQ(LimitNameLength(emoji, 2).size(), 2);
    EXPECT_EQ(SubText(emoji, 3, 3), QString(QChar(char16_t(0xDE00))));
}

// Undecodable characters stand for unknown originals: two garbled titles are never the same task,
// and no run through one counts. Only the handle still finds such a title (stored with handle 3).
TEST(Recognition, UndecodableCharactersMatchNothing) {
    const QString garbled = QString(8, QChar(0xFFFD));
    const struct {
        QString title, name;
        LookupHandle handle;
        int expected;
    } cases[] = {
        {garbled, garbled, 0, -1},
        {garbled, garbled, 7, -1}, // nor by resemblance
        {garbled, QStringLiteral("other"), 3, 0},
        {QStringLiteral("Edit \uFFFD.txt"), QStringLiteral("Edit \uFFFD.doc"), 7, -1}, // "Edit \uFFFD." is 7
        {QStringLiteral("Editor x\uFFFD"), QStringLiteral("Editor x"), 7, 0},          // clean containment
        {QStringLiteral("ab\uFFFDcdefgh\uFFFDij"), QStringLiteral("\uFFFDcdefgh\uFFFD"), 7, -1},
    };
    for (const auto& c : cases) {
        const TaskList list = {{c.title, 3}};
        EXPECT_EQ(FindTask(list, c.name, c.handle, noFilters()), c.expected) << c.name.toStdString();
        EXPECT_EQ(TaskListIndex(list).find(list, c.name, c.handle, noFilters()), c.expected) << c.name.toStdString();
    }
}
