#include "internet/address_extraction.h"
#include "internet/connection_lines.h"

#include <gtest/gtest.h>

TEST(AddressExtraction, TakesTheTextAfterAddressAndOneCharacter) {
    const struct {
        QString body;
        std::optional<QString> expected;
    } cases[] = {
        {QStringLiteral("<html><head><title>Current IP Check</title></head><body>Current IP Address: "
                        "203.0.113.7</body></html>\r\n"),
         QStringLiteral("203.0.113.7")},
        {QStringLiteral("Address:203.0.113.7</b>"), QStringLiteral("03.0.113.7")},
        {QStringLiteral("Address: 2001:db8::1"), QStringLiteral("2001:db8::1")},
        {QStringLiteral("Address: 198.51.100.4\r\n"), QStringLiteral("198.51.100.4\r\n")},
        {QStringLiteral("Address: a<b>Address: c<"), QStringLiteral("a")},
        {QStringLiteral("<p>x</p>Address: <b>1.2.3.4</b>"), QString()},
        {QStringLiteral("Address: "), QString()},
        {QStringLiteral("Address:"), QString()},
        {QStringLiteral("Address:  10.0.0.1<"), QStringLiteral(" 10.0.0.1")},
        {QStringLiteral("IP address: 10.0.0.1"), std::nullopt},
        {QStringLiteral("<html>203.0.113.7</html>"), std::nullopt},
        {QString(), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(extractAddress(c.body), c.expected) << c.body.toStdString();
}

TEST(ConnectionLines, WholeValueTestsThenTheMedia) {
    const QString connected = QStringLiteral("Connected to the internet");
    const QString none = QStringLiteral("No connections");
    const QString proxy = QStringLiteral("Proxy Server enabled");
    const QString lan = QStringLiteral("Lan connected");
    const QString modem = QStringLiteral("Modem connected");
    const struct {
        std::uint32_t flags;
        QStringList lines;
        bool connected;
    } cases[] = {
        {0, {none}, false},
        {0x01, {modem}, false},
        {0x02, {lan}, false},
        {0x05, {proxy, modem}, false},
        {0x06, {proxy, lan}, false},
        {0x07, {connected, proxy, lan, modem}, true},
        {0x08, {connected}, true},
        {0x12, {connected, lan}, true},
        {0x20, {connected}, true},
        {0x40, {connected}, true},
        {0x42, {connected, lan}, true},
        {0x41, {connected, modem}, true},
    };
    for (const auto& c : cases) {
        const ConnectionReport report = connectionReport(c.flags);
        EXPECT_EQ(report.lines, c.lines) << c.flags;
        EXPECT_EQ(report.connected, c.connected) << c.flags;
    }
}

TEST(ConnectionLines, OnlyAnUnansweredQueryBelowEightIsRepeated) {
    EXPECT_TRUE(connectionQueryRepeats(0));
    for (std::uint32_t flags : {0x01u, 0x02u, 0x04u, 0x05u, 0x08u, 0x10u, 0x20u, 0x40u, 0x42u})
        EXPECT_FALSE(connectionQueryRepeats(flags)) << flags;
    EXPECT_FALSE(connectionQueryAnswered(0x08));
    EXPECT_FALSE(connectionQueryAnswered(0x20));
    EXPECT_TRUE(connectionQueryAnswered(0x40));
}
