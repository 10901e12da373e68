#include "platform/linux/net/linux_network_routes.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform::netroutes {

namespace {

constexpr std::uint32_t kRtfUp = 0x0001;
constexpr std::uint32_t kRtfReject = 0x0200;

constexpr int kArphrdEther = 1;
constexpr int kArphrdIeee802 = 6;
constexpr int kArphrdPpp = 512;
constexpr int kArphrdRawIp = 519;
constexpr int kArphrdLoopback = 772;
constexpr int kArphrdIeee80211 = 801;
constexpr int kArphrdIeee80211Radiotap = 803;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Splits one line into at most `N` blank-separated fields; returns how many were found.
template <std::size_t N> std::size_t splitFields(std::string_view line, std::string_view (&fields)[N]) {
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < line.size() && count < N) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i]))
            ++i;
        if (i > start)
            fields[count++] = line.substr(start, i - start);
    }
    return count;
}

bool parseHex(std::string_view text, std::uint32_t& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool allZeros(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == '0'; });
}

InterfaceRoutes& entryFor(std::string_view name, std::vector<InterfaceRoutes>& out) {
    for (InterfaceRoutes& entry : out)
        if (entry.name == name)
            return entry;
    InterfaceRoutes entry;
    entry.name = name;
    out.push_back(std::move(entry));
    return out.back();
}

template <typename Visit> void forEachLine(std::string_view text, Visit visit) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        visit(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
}

std::string_view firstLine(std::string_view text) {
    const std::size_t end = text.find_first_of("\r\n");
    return end == std::string_view::npos ? text : text.substr(0, end);
}

} // namespace

void parseIpv4Routes(std::string_view text, std::vector<InterfaceRoutes>& out) {
    forEachLine(text, [&out](std::string_view line) {
        // Iface Destination Gateway Flags RefCnt Use Metric Mask MTU Window IRTT
        std::string_view f[8];
        if (splitFields(line, f) < 8 || f[0] == "Iface" || f[0] == "*")
            return;
        std::uint32_t destination = 0, flags = 0, mask = 0;
        if (!parseHex(f[1], destination) || !parseHex(f[3], flags) || !parseHex(f[7], mask))
            return;
        if (!(flags & kRtfUp) || (flags & kRtfReject))
            return;
        InterfaceRoutes& entry = entryFor(f[0], out);
        entry.configured = true;
        if (destination == 0 && mask == 0)
            entry.hasDefault = true;
    });
}

void parseIpv6Routes(std::string_view text, std::vector<InterfaceRoutes>& out) {
    forEachLine(text, [&out](std::string_view line) {
        // destination, prefix length, source, source length, next hop, metric, refcnt, use, flags, iface
        std::string_view f[10];
        if (splitFields(line, f) < 10 || f[0].size() != 32)
            return;
        std::uint32_t prefixLength = 0, flags = 0;
        if (!parseHex(f[1], prefixLength) || !parseHex(f[8], flags))
            return;
        // The kernel's null entry (a reject route on lo) fails the first test.
        if (!(flags & kRtfUp) || (flags & kRtfReject))
            return;
        const std::string_view destination = f[0];
        const bool isDefault = prefixLength == 0 && allZeros(destination);
        // Link-local (fe80::/10) and multicast (ff00::/8) routes exist on every up interface and
        // say nothing about it being configured.
        const bool linkLocal = destination.substr(0, 3) >= "fe8" && destination.substr(0, 3) <= "feb";
        const bool multicast = destination.substr(0, 2) == "ff";
        if (!isDefault && (linkLocal || multicast))
            return;
        InterfaceRoutes& entry = entryFor(f[9], out);
        entry.configured = true;
        if (isDefault)
            entry.hasDefault = true;
    });
}

Medium classify(int arphrdType, std::string_view devType, bool wireless) {
    if (devType == "wwan" || devType == "ppp" || arphrdType == kArphrdPpp || arphrdType == kArphrdRawIp)
        return Medium::Modem;
    if (devType == "wlan" || wireless)
        return Medium::Lan;
    if (arphrdType == kArphrdLoopback)
        return Medium::Loopback;
    if (arphrdType == kArphrdEther || arphrdType == kArphrdIeee802 ||
        (arphrdType >= kArphrdIeee80211 && arphrdType <= kArphrdIeee80211Radiotap))
        return Medium::Lan;
    return Medium::Other;
}

Medium readMedium(const std::string& sysRoot, const std::string& name) {
    const std::string dir = sysRoot + "/class/net/" + name;
    std::string buffer;
    int type = -1;
    if (readInto(dir + "/type", buffer)) {
        const std::string_view text = firstLine(buffer);
        int value = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        if (result.ec == std::errc())
            type = value;
    }
    std::string devType;
    if (readInto(dir + "/uevent", buffer)) {
        forEachLine(buffer, [&devType](std::string_view line) {
            if (line.substr(0, 8) == "DEVTYPE=")
                devType = firstLine(line.substr(8));
        });
    }
    struct stat info;
    const bool wireless =
        ::stat((dir + "/wireless").c_str(), &info) == 0 || ::stat((dir + "/phy80211").c_str(), &info) == 0;
    return classify(type, devType, wireless);
}

bool operstateUp(std::string_view operstate) {
    const std::string_view state = firstLine(operstate);
    return state == "up" || state == "unknown";
}

bool readInto(const std::string& path, std::string& buffer) {
    buffer.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // procfs files report a size of 0, so read until the end.
    constexpr std::size_t kChunk = 4096;
    bool ok = true;
    for (;;) {
        const std::size_t used = buffer.size();
        buffer.resize(used + kChunk);
        const ssize_t n = ::read(fd, buffer.data() + used, kChunk);
        if (n < 0 && errno == EINTR) {
            buffer.resize(used);
            continue;
        }
        buffer.resize(used + (n > 0 ? static_cast<std::size_t>(n) : 0));
        if (n <= 0) {
            ok = n == 0;
            break;
        }
    }
    ::close(fd);
    return ok;
}

} // namespace platform::netroutes
