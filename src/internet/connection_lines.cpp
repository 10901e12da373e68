#include "internet/connection_lines.h"

namespace {

constexpr std::uint32_t kModem = 0x01;
constexpr std::uint32_t kLan = 0x02;
constexpr std::uint32_t kProxy = 0x04;
constexpr std::uint32_t kConfigured = 0x40;

} // namespace

bool connectionQueryAnswered(std::uint32_t flags) {
    return (flags & (kModem | kLan | kProxy | kConfigured)) != 0;
}

bool connectionQueryRepeats(std::uint32_t flags) {
    return !connectionQueryAnswered(flags) && flags < 8;
}

ConnectionReport connectionReport(std::uint32_t flags) {
    ConnectionReport report;
    if (flags > 6) {
        report.lines << QStringLiteral("Connected to the internet");
        report.connected = true;
    }
    if (flags == 0)
        report.lines << QStringLiteral("No connections");
    if (flags & kProxy)
        report.lines << QStringLiteral("Proxy Server enabled");
    if (flags & kLan)
        report.lines << QStringLiteral("Lan connected");
    if (flags & kModem)
        report.lines << QStringLiteral("Modem connected");
    return report;
}
