#include "lists/choice_merge.h"
#include "platform/torvane_error.h"

#include <gtest/gtest.h>

namespace {

const QByteArray H = "File created by Torvane\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";

TEST(ChoiceMerge, SumsFirstRecordsInFirstSeenOrder) {
    const QByteArray overflow = "The counts of \"a\" add up to more than 64 bits hold";
    const std::pair<QList<QByteArray>, QByteArray> cases[] = {
        // Names differing in case stay apart; only a name's first record in an input counts.
        {{H + "x\r\n1\r\n2\r\n0\r\n0\r\n0\r\nx\r\n9\r\n",
          H + "X\r\n1\r\n0\r\n0\r\n0\r\n0\r\nx\r\n0\r\n0\r\n5\r\n0\r\n-1\r\n"},
         H + "x\r\n1\r\n2\r\n5\r\n0\r\n-1\r\nX\r\n1\r\n0\r\n0\r\n0\r\n0\r\n"},
        // Counts as the reader reads them; the header leads even when the first input lacks it.
        {{"b\n3 x\n  4\r\n0\r\n0\r\n0\r\n", "a\r\n1\r\n"},
         H + "b\r\n3\r\n4\r\n0\r\n0\r\n0\r\na\r\n1\r\n0\r\n0\r\n0\r\n0\r\n"},
        {{"a\r\n9223372036854775807\r\n", "a\r\n1\r\n"}, overflow},
        {{"a\r\n-9223372036854775808\r\n", "a\r\n-1\r\n"}, overflow},
    };
    for (const auto& [inputs, expected] : cases) {
        try {
            EXPECT_EQ(mergeChoiceTexts(inputs), expected);
        } catch (const TorvaneError& e) {
            EXPECT_EQ(e.text().toUtf8(), expected);
        }
    }
}

} // namespace
