#include "help/help_index.h"

#include <gtest/gtest.h>

using help::HelpTopic;

namespace {

struct IndexCase {
    const char* name;
    QByteArray data;
    QList<HelpTopic> expected;
};

HelpTopic topic(const char* title, const char* file) {
    return {QString::fromUtf8(title), QString::fromUtf8(file)};
}

} // namespace

TEST(HelpIndex, ParsesLinePairs) {
    const std::vector<IndexCase> cases = {
        {"empty file", "", {}},
        {"one pair", "Intro\r\nintro.txt\r\n", {topic("Intro", "intro.txt")}},
        {"no final line end", "Intro\r\nintro.txt", {topic("Intro", "intro.txt")}},
        {"two pairs", "A\r\na.txt\r\nB\r\nb.txt\r\n", {topic("A", "a.txt"), topic("B", "b.txt")}},
        {"odd count, last title without line end", "A\r\na.txt\r\nB", {topic("A", "a.txt"), topic("B", "")}},
        {"odd count, last title with line end", "A\r\na.txt\r\nB\r\n", {topic("A", "a.txt"), topic("B", "")}},
        {"LF line ends", "A\na.txt\nB\nb.txt\n", {topic("A", "a.txt"), topic("B", "b.txt")}},
        {"lone CR line ends", "A\ra.txt\r", {topic("A", "a.txt")}},
        {"blanks kept", "  Two  words \r\n sub/x.txt\r\n", {topic("  Two  words ", " sub/x.txt")}},
        {"empty lines are lines", "\r\n\r\nA\r\na.txt\r\n", {topic("", ""), topic("A", "a.txt")}},
        {"trailing empty line gives an empty entry", "A\r\na.txt\r\n\r\n", {topic("A", "a.txt"), topic("", "")}},
        {"UTF-8 titles", "Température\r\ntemp.txt\r\n", {topic("Température", "temp.txt")}},
        {"CR LF LF is two line ends", "A\r\n\nB\r\n", {topic("A", ""), topic("B", "")}},
    };
    for (const IndexCase& c : cases)
        EXPECT_EQ(help::parseHelpIndex(c.data), c.expected) << c.name;
}

TEST(HelpIndex, TopicTextKeepsEveryCharacterAndOneBreakPerLineEnd) {
    const std::vector<std::pair<QByteArray, QString>> cases = {
        {"", ""},
        {"Line one\r\nLine two\r\n", "Line one\nLine two\n"},
        {"a\r\n\r\nb", "a\n\nb"},
        {"a\nb\rc", "a\nb\nc"},
        {"\tTabbed  text, \"quotes\" & <tags>", "\tTabbed  text, \"quotes\" & <tags>"},
        {"Ctrl+Alt+F8 \xc3\xa9", QString::fromUtf8("Ctrl+Alt+F8 é")},
    };
    for (const auto& [data, expected] : cases)
        EXPECT_EQ(help::topicDisplayText(data), expected) << data.constData();
}

TEST(HelpIndex, UpperCaseTouchesOnlyAsciiLetters) {
    const std::vector<std::pair<QString, QString>> cases = {
        {"abc xyz", "ABC XYZ"},
        {"MiXeD 123", "MIXED 123"},
        {"[`{@", "[`{@"},
        {QString::fromUtf8("é ä ß ı"), QString::fromUtf8("é ä ß ı")},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(help::asciiUpper(text), expected) << text.toStdString();
}

TEST(HelpIndex, FindNextTitle) {
    const QStringList titles = {"Overview",   "Task Management",   "RAM Management", QString::fromUtf8("Élan"),
                                "Encryption", "task action window"};
    struct Case {
        const char* name;
        QStringList titles;
        QString text;
        int current;
        int expected;
    };
    const std::vector<Case> cases = {
        {"lower case finds mixed case", titles, "management", -1, 1},
        {"upper case finds lower case", titles, "ACTION", -1, 5},
        {"next match below the selection", titles, "management", 1, 2},
        {"no selection starts at the first title", titles, "over", -1, 0},
        {"wraps round to the top", titles, "overview", 5, 0},
        {"wraps round to the current title itself", titles, "encrypt", 4, 4},
        {"last title selected, only match at the top", titles, "view", 5, 0},
        {"accented letters compare as they are", titles, QString::fromUtf8("élan"), -1, -1},
        {"accented letter with the same case", titles, QString::fromUtf8("Élan"), -1, 3},
        {"no match at all", titles, "temperature", 2, -1},
        {"no match without a selection", titles, "temperature", -1, -1},
        {"empty text matches nothing", titles, "", -1, -1},
        {"empty text with a selection", titles, "", 2, -1},
        {"empty list", {}, "a", -1, -1},
        {"blank is a character", titles, "k m", -1, 1},
        {"non-letters compare exactly", {"[x]", "{x}"}, "{", -1, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(help::findNextTitle(c.titles, c.text, c.current), c.expected) << c.name;
}
