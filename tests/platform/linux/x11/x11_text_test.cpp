#include "platform/linux/x11/x11_text.h"

#include <gtest/gtest.h>

using namespace platform::x11;

TEST(X11Text, PropertyTextEndsAtTheFirstZero) {
    EXPECT_EQ(decodeTextProperty(QByteArrayView("ab\0cd", 5), TextEncoding::Latin1), QStringLiteral("ab"));
    EXPECT_EQ(decodeTextProperty("caf\xc3\xa9", TextEncoding::Utf8), QStringLiteral("café"));
    EXPECT_EQ(decodeTextProperty("caf\xe9", TextEncoding::Latin1), QStringLiteral("café"));
}

TEST(X11Text, CompoundText) {
    const struct {
        const char* bytes;
        const char16_t* expected;
    } cases[] = {
        {"plain", u"plain"},
        {"caf\xe9", u"café"},                                  // Latin-1 is the initial right half
        {"a\x1b%G\xe6\xa8\x99\xe9\xa1\x8c\x1b%@b", u"a標題b"}, // embedded UTF-8
        {"x\x1b%G\xc3\xa9", u"xé"},                            // UTF-8 to the end
        {"\x1b-B\xb1\x1b-A\xe9", u"ąé"},                       // Latin-2, then Latin-1 again
        {"\x1b$(B\x30\x21\x1b(Bok", u"亜ok"},                  // JIS X 0208 in GL
        {"\x1b-F\xc5\xeb\x1b-L\xc0\xe3", u"ΕλРу"},             // Greek, then Cyrillic
        {"\x1b$)C\xc7\xd1\x1b$)A\xd6\xd0", u"한中"},           // KS C 5601, GB 2312 in GR
        {"\x1b)I\xb6\x1b(J\\~", u"ｶ¥‾"},                       // JIS X 0201 katakana and Roman
        {"\x1b%/2\x80\x8b"
         "big5-0\x02\xa4\xa4\xa4\xe5!",
         u"中文!"},                             // extended segment
        {"\x1b$(Z\x21\x21\x1b(Bx", u"\ufffdx"}, // an unknown set, one character
        {"\x9b"
         "1]rtl\x9b]",
         u"rtl"}, // direction changes carry no text
        {"tab\there", u"tab\there"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decodeCompoundText(c.bytes), QString::fromUtf16(c.expected)) << c.bytes;
}

TEST(X11Text, CutToTitleLength) {
    EXPECT_EQ(cutTitle(QString(300, u'x')), QString(256, u'x'));
    EXPECT_EQ(cutTitle(QString(256, u'x')), QString(256, u'x'));
    EXPECT_EQ(cutTitle(QString(255, u'x') + QStringLiteral("😀")), QString(255, u'x'));
    EXPECT_EQ(cutTitle(QString(254, u'x') + QStringLiteral("😀y")), QString(254, u'x') + QStringLiteral("😀"));
}
