#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The pieces of the connection state that come from the kernel's route tables and from sysfs.
namespace platform::netroutes {

// What kind of link an interface is, as far as the connection flags care.
enum class Medium {
    Other,    // tunnels, VPNs and anything unknown: no medium flag
    Lan,      // Ethernet, Wi-Fi, bridges and the like
    Modem,    // PPP and cellular (WWAN)
    Loopback, // never counts as a connection
};

// What the route tables say about one interface.
struct InterfaceRoutes {
    std::string name;
    bool hasDefault = false; // a usable default route leaves through it
    bool configured = false; // it carries at least one usable, non-link-local route
    Medium medium = Medium::Other;
    std::string operstatePath; // its sysfs operstate file, looked up on every check
};

// Adds the interfaces of /proc/net/route (IPv4, main table) and /proc/net/ipv6_route to `out`,
// merging entries of the same name. Malformed lines are skipped.
void parseIpv4Routes(std::string_view text, std::vector<InterfaceRoutes>& out);
void parseIpv6Routes(std::string_view text, std::vector<InterfaceRoutes>& out);

// The medium from an interface's ARPHRD type (-1 when unknown), its uevent DEVTYPE and whether it
// has wireless extensions or a phy80211 link.
Medium classify(int arphrdType, std::string_view devType, bool wireless);

// Reads type, uevent and the wireless markers under `sysRoot`/class/net/`name`.
Medium readMedium(const std::string& sysRoot, const std::string& name);

// Whether an operstate text means the link can carry traffic. "unknown" is what PPP, tunnels and
// many virtual links report while they work.
bool operstateUp(std::string_view operstate);

// The whole of a small file into `buffer` (reusing its storage); false when it cannot be read.
bool readInto(const std::string& path, std::string& buffer);

} // namespace platform::netroutes
