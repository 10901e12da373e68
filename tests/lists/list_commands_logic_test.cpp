#include "lists/list_commands_logic.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

TaskList listOf(const QStringList& titles) {
    TaskList list;
    for (const QString& t : titles)
        list.push_back({t, 0});
    return list;
}

TEST(ListCommandsSearch, FoldsOnlyBasicLatinLetters) {
    const struct {
        QString title;
        QString text;
        bool matches;
    } cases[] = {
        {"NOTEPAD - README", "pad", true},       // small Latin finds capitals
        {"notepad", "PAD", true},                // and capitals find small letters
        {"Mozilla Firefox", "zilla fire", true}, // blanks and mixed case
        {"CAFÉ", "é", false},                    // an accented capital does not find its small form
        {"café", "É", false},                    // nor the other way round
        {"CAFÉ", "caf\u00C9", true},             // the accented letter itself must be equal
        {"STRASSE", "ß", false},                 // no multi-letter folding
        {"\u0131", "I", false},                  // dotless i is not a basic Latin letter
        {"[a]", "[A]", true},                    // punctuation stays as it is
        {"Editor", "", false},                   // an empty search text matches nothing
        {"", "a", false},
        {"Edit", "Editor", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(searchMatches(c.title, c.text), c.matches) << c.title.toStdString() << " / " << c.text.toStdString();
    EXPECT_EQ(asciiUpperCase(u"az{`@AZ\u00E9\u00FF"), QStringView(u"AZ{`@AZ\u00E9\u00FF").toString());
}

TEST(ListCommandsSearch, SearchesOnFromTheCurrentEntryAndWrapsAround) {
    const TaskList list = listOf({"alpha", "Beta one", "gamma", "beta two", "delta"});
    const struct {
        QString text;
        int current;
        int expected;
    } cases[] = {
        {"beta", -1, 1},                                 // no current entry: from the top
        {"beta", 0, 1},  {"beta", 1, 3}, {"beta", 3, 1}, // wraps to the top
        {"beta", 4, 1},                                  // after the last entry: from the top
        {"gamma", 2, 2},                                 // only the current entry matches: itself
        {"GAMMA", 3, 2},                                 // wrapped search reaches the current entry
        {"zeta", 2, -1}, {"", 0, -1},    {"a", 4, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(findNextMatch(list, c.text, c.current), c.expected) << c.text.toStdString() << " from " << c.current;
    EXPECT_EQ(findNextMatch({}, u"a", -1), -1);
}

TEST(ListCommandsSameTask, EqualWindowOrEqualTitle) {
    const TaskList list = {{"Editor", 0x10}, {"Loaded from file", 0}};
    const struct {
        TaskEntry task;
        bool same;
    } cases[] = {
        {{"Renamed editor", 0x10}, true}, // same window under another title
        {{"Editor", 0x99}, true},         // same title, other window
        {{"editor", 0x99}, false},        // case counts
        {{"Editor - x", 0x99}, false},    // no resemblance here
        {{"Other", 0}, false},            // handle 0 is no window and matches no stored 0
        {{"Loaded from file", 0x77}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(containsSameTask(list, c.task), c.same) << c.task.title.toStdString();
    EXPECT_FALSE(containsSameTask({}, {"Editor", 0x10}));
}

} // namespace
