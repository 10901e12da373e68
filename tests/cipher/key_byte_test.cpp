#include "cipher/cipher_key.h"
#include "cipher/cipher_stream.h"
#include "key_byte_cases.h"
#include "platform/torvane_error.h"
#include "support/literal_cipher.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <set>

namespace {

std::array<int, 8> sumsOf(const KeyByteCase& c) {
    std::array<int, 8> w{};
    for (int i = 0; i < 8; ++i)
        w[i] = c.read[i] + c.written[i];
    return w;
}

void expectCase(const KeyByteCase& c) {
    SCOPED_TRACE(testing::Message() << "codes " << int(c.codes[0]) << ' ' << int(c.codes[1]) << ' ' << int(c.codes[2])
                                    << ' ' << int(c.codes[3]) << ' ' << int(c.codes[4]) << ' ' << int(c.codes[5]) << ' '
                                    << int(c.codes[6]) << ' ' << int(c.codes[7]));
    EXPECT_EQ(cipherKeySum(sumsOf(c), c.codes), c.sum);
    EXPECT_EQ(KeyByte(c.read, c.written, c.codes), c.byte);
    EXPECT_EQ(literal::keyByte(c.read, c.written, c.codes), c.byte);
    CipherStream stream(c.codes, CipherDirection::Encrypt);
    EXPECT_EQ(stream.exactKeyByte(sumsOf(c)), c.byte);
    EXPECT_EQ(stream.keyByte(sumsOf(c)), c.byte);
}

} // namespace

TEST(KeyByte, EveryCodeRowMatchesIndependentExtendedArithmetic) {
    for (const KeyByteCase& c : kSingleCodeCases)
        expectCase(c);
}

TEST(KeyByte, EightCodesSumInKeyOrderWithDoubleRounding) {
    for (const KeyByteCase& c : kMixedCodeCases)
        expectCase(c);
}

TEST(KeyByte, AllCodesZeroGivesZero) {
    const CipherCodes zero{};
    const CipherHistory full{255, 255, 255, 255, 255, 255, 255, 255};
    EXPECT_EQ(KeyByte(full, full, zero), 0);
    EXPECT_EQ(KeyByte({}, {}, zero), 0);
}

TEST(KeyByte, NegativeSumsWrapInTwosComplement) {
    // Code 23 subtracts 3 * w: w = 1 gives -3, whose low byte is 253.
    const CipherCodes codes{23, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(KeyByte({1}, {0}, codes), 253);
    // The sum rounds to the nearest integer, halves to the even neighbour.
    EXPECT_EQ(cipherByteFromSum(2.5), 2);
    EXPECT_EQ(cipherByteFromSum(3.5), 4);
    EXPECT_EQ(cipherByteFromSum(-2.5), 254);
    EXPECT_EQ(cipherByteFromSum(-3.5), 252);
    EXPECT_EQ(cipherByteFromSum(256.4), 0);
}

TEST(CipherCode, FromBoxText) {
    const struct {
        const char* text;
        int code;
    } cases[] = {
        {"", 0},    {"000", 0},  {"0", 0},     {"7", 7},   {"169", 169}, {"170", 1},  {"255", 86},
        {"256", 0}, {"257", 1},  {"425", 169}, {"426", 1}, {"1a2", 12},  {"abc", 0},  {" 88 ", 88},
        {"-5", 5},  {"0170", 1}, {"511", 86},  {"512", 0}, {"1000", 63}, {"099", 99}, {"x1y8z8", 19},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cipherCodeFromText(QString::fromLatin1(c.text)), c.code) << c.text;
}

TEST(CipherCode, TooManyDigitsIsAnError) {
    EXPECT_THROW(cipherCodeFromText(QStringLiteral("99999999999")), TorvaneError);
}

TEST(CipherCode, FormatCodePadsBelowHundredWithOneZero) {
    EXPECT_EQ(FormatCode(11), QStringLiteral("011"));
    EXPECT_EQ(FormatCode(88), QStringLiteral("088"));
    EXPECT_EQ(FormatCode(99), QStringLiteral("099"));
    EXPECT_EQ(FormatCode(100), QStringLiteral("100"));
    EXPECT_EQ(FormatCode(188), QStringLiteral("188"));
    EXPECT_EQ(FormatCode(5), QStringLiteral("05"));
}

TEST(CipherCode, RandomCodesHaveDigitsOneToEight) {
    QRandomGenerator random(42);
    std::set<int> ones, tens, hundreds;
    for (int n = 0; n < 2000; ++n) {
        const int code = randomCipherCode(random);
        ASSERT_TRUE((code >= 11 && code <= 88) || (code >= 111 && code <= 188)) << code;
        ones.insert(code % 10);
        tens.insert(code / 10 % 10);
        hundreds.insert(code / 100);
    }
    EXPECT_EQ(ones, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(tens, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(hundreds, (std::set<int>{0, 1}));
}
