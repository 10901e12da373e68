#include "core/digits_to_int.h"
#include "platform/torvane_error.h"

#include <gtest/gtest.h>

TEST(DigitsToInt, KeepsOnlyDigits) {
    const struct {
        const char16_t* text;
        int expected;
    } cases[] = {
        {u"-12", 12},
        {u"1 024", 1024},
        {u"007", 7},
        {u"", 0},
        {u"abc", 0},
        {u"2147483647", 2147483647},
        {u"a1b2c3", 123},
        {u"\u0661\u0662", 0}, // other scripts' digits are not digits
        {u"00000000000000000000042", 42},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DigitsToInt(QString::fromUtf16(c.text)), c.expected) << QString::fromUtf16(c.text).toStdString();
}

TEST(DigitsToInt, RunAbove32BitsIsAnError) {
    for (const char* text : {"2147483648", "99999999999999999999999", "-2147483649"})
        EXPECT_THROW(DigitsToInt(QString::fromLatin1(text)), TorvaneError) << text;
}
