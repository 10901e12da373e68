#include "lists/choice_merge.h"
#include "platform/torvane_error.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kHeader = "File created by Torvane\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";

QByteArray merged(const QList<QByteArray>& texts) {
    try {
        return mergeChoiceTexts(texts);
    } catch (const TorvaneError& e) {
        return "error: " + e.text().toUtf8();
    }
}

TEST(ChoiceMerge, SumsFirstRecordsInFirstSeenOrder) {
    const struct {
        QList<QByteArray> inputs;
        QByteArray expected;
    } cases[] = {
        // Names differing in case stay apart; a later record of a name in the same input is not counted.
        {{kHeader + "xterm\r\n1\r\n2\r\n0\r\n0\r\n0\r\nxterm\r\n9\r\n9\r\n9\r\n9\r\n9\r\n",
          kHeader + "Xterm\r\n1\r\n0\r\n0\r\n0\r\n0\r\nxterm\r\n0\r\n0\r\n5\r\n0\r\n-1\r\n"},
         kHeader + "xterm\r\n1\r\n2\r\n5\r\n0\r\n-1\r\nXterm\r\n1\r\n0\r\n0\r\n0\r\n0\r\n"},
        // An input without a header, counts as the reader reads them, a short last record.
        {{"b\n3 x\n  4\r\n0\r\n0\r\n0\r\n", kHeader + "a\r\n1\r\n", "b\r\n0\r\n0\r\n0\r\n0\r\n7\r\n"},
         kHeader + "b\r\n3\r\n4\r\n0\r\n0\r\n7\r\na\r\n1\r\n0\r\n0\r\n0\r\n0\r\n"},
        {{kHeader, ""}, kHeader},
        {{"a\r\n9223372036854775807\r\n", "a\r\n1\r\n"}, "error: The counts of \"a\" add up to more than 64 bits hold"},
        {{"a\r\n-9223372036854775808\r\n", "a\r\n-1\r\n"},
         "error: The counts of \"a\" add up to more than 64 bits hold"},
        {{kHeader, "a\r\nmany\r\n"}, "error: Invalid numeric input"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(merged(c.inputs), c.expected) << c.inputs.join("|").constData();
}

} // namespace
