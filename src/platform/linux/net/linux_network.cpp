#include "platform/linux/net/linux_network.h"

#include "platform/linux/net/linux_network_multi.h"

namespace platform {

using namespace netroutes;

LinuxNetwork::LinuxNetwork(const QString& procRoot, const QString& sysRoot, HttpSettings http,
                           std::chrono::milliseconds reuseWithin)
    : m_ipv4Path(procRoot.toStdString() + "/net/route"), m_ipv6Path(procRoot.toStdString() + "/net/ipv6_route"),
      m_sysRoot(sysRoot.toStdString()), m_http(std::move(http)), m_reuseWithin(reuseWithin) {}

// Reads both route tables; the interfaces are parsed again, and their kinds looked up in sysfs,
// only when a table has changed since the last check.
void LinuxNetwork::refreshInterfaces() {
    bool changed = !m_haveTables;
    readInto(m_ipv4Path, m_scratch);
    if (m_scratch != m_ipv4Routes) {
        m_ipv4Routes.swap(m_scratch);
        changed = true;
    }
    readInto(m_ipv6Path, m_scratch);
    if (m_scratch != m_ipv6Routes) {
        m_ipv6Routes.swap(m_scratch);
        changed = true;
    }
    m_haveTables = true;
    if (!changed)
        return;
    m_interfaces.clear();
    parseIpv4Routes(m_ipv4Routes, m_interfaces);
    parseIpv6Routes(m_ipv6Routes, m_interfaces);
    for (InterfaceRoutes& entry : m_interfaces) {
        entry.medium = readMedium(m_sysRoot, entry.name);
        entry.operstatePath = m_sysRoot + "/class/net/" + entry.name + "/operstate";
    }
}

std::uint32_t LinuxNetwork::connectionState() {
    const auto now = std::chrono::steady_clock::now();
    if (m_haveLastFlags && now - m_lastCheck < m_reuseWithin)
        return m_lastFlags;
    refreshInterfaces();

    auto mediumFlag = [](Medium medium) -> std::uint32_t {
        switch (medium) {
        case Medium::Lan:
            return ConnectionLan;
        case Medium::Modem:
            return ConnectionModem;
        default:
            return 0;
        }
    };
    // An interface whose operstate cannot be read counts as up: its routes exist, and IPv4
    // routes are flushed when an interface is taken down.
    auto isUp = [this](const InterfaceRoutes& entry) {
        return !readInto(entry.operstatePath, m_scratch) || operstateUp(m_scratch);
    };

    // With a default route the media are those of the interfaces that carry one; without, the
    // media of the configured interfaces tell what is there, without claiming a connection.
    bool anyDefault = false;
    std::uint32_t defaultMedia = 0;
    std::uint32_t configuredMedia = 0;
    for (const InterfaceRoutes& entry : m_interfaces) {
        if (entry.medium == Medium::Loopback || entry.name == "lo")
            continue;
        if (!entry.hasDefault && anyDefault)
            continue;
        if (!isUp(entry))
            continue;
        if (entry.hasDefault) {
            anyDefault = true;
            defaultMedia |= mediumFlag(entry.medium);
        } else if (entry.configured) {
            configuredMedia |= mediumFlag(entry.medium);
        }
    }
    m_lastFlags = anyDefault ? (ConnectionConfigured | defaultMedia) : configuredMedia;
    m_lastCheck = now;
    m_haveLastFlags = true;
    return m_lastFlags;
}

} // namespace platform
