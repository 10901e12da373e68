#include "platform/linux/net/linux_network.h"
#include "platform/linux/net/linux_network_routes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;
using namespace platform::netroutes;

namespace {

const QByteArray kIpv4Header = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
const QByteArray kIpv6Null = "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
                             "00000000000000000000000000000000 ffffffff 00000001 00000000 00200200       lo\n";
const QByteArray kIpv6Loopback = "00000000000000000000000000000001 80 00000000000000000000000000000000 00 "
                                 "00000000000000000000000000000000 00000000 00000002 00000000 80200001       lo\n";

QByteArray ipv4Default(const QByteArray& iface) {
    return iface + "\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n";
}
QByteArray ipv4Subnet(const QByteArray& iface) {
    return iface + "\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n";
}
QByteArray ipv6Route(const QByteArray& destination, const QByteArray& length, const QByteArray& flags,
                     const QByteArray& iface) {
    return destination + " " + length + " 00000000000000000000000000000000 00 fe800000000000000000000000000001 " +
           "00000400 00000001 00000000 " + flags + "     " + iface + "\n";
}
QByteArray ipv6Default(const QByteArray& iface) {
    return ipv6Route("00000000000000000000000000000000", "00", "00000003", iface);
}
QByteArray ipv6LinkLocal(const QByteArray& iface) {
    return ipv6Route("fe800000000000000000000000000000", "40", "00000001", iface) +
           ipv6Route("ff000000000000000000000000000000", "08", "00000001", iface);
}
QByteArray ipv6Global(const QByteArray& iface) {
    return ipv6Route("20010db8000000000000000000000000", "40", "00000001", iface);
}

struct Link {
    QByteArray name;
    int type;
    QByteArray devType; // empty: no DEVTYPE line
    QByteArray operstate;
    bool wireless = false;
};

// A procfs and sysfs tree with the given route tables and interfaces.
class NetworkTree {
public:
    NetworkTree(const QByteArray& ipv4, const std::optional<QByteArray>& ipv6, const std::vector<Link>& links) {
        write("proc/net/route", ipv4);
        if (ipv6)
            write("proc/net/ipv6_route", *ipv6);
        for (const Link& link : links) {
            const QString dir = QStringLiteral("sys/class/net/") + QString::fromLatin1(link.name);
            write(dir + "/type", QByteArray::number(link.type) + "\n");
            QByteArray uevent = "INTERFACE=" + link.name + "\nIFINDEX=3\n";
            if (!link.devType.isEmpty())
                uevent = "DEVTYPE=" + link.devType + "\n" + uevent;
            write(dir + "/uevent", uevent);
            write(dir + "/operstate", link.operstate + "\n");
            if (link.wireless)
                QDir(m_dir.path()).mkpath(dir + "/wireless");
        }
    }
    void write(const QString& relative, const QByteArray& text) {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }
    QString proc() const { return m_dir.filePath(QStringLiteral("proc")); }
    QString sys() const { return m_dir.filePath(QStringLiteral("sys")); }
    std::uint32_t state() {
        LinuxNetwork network(proc(), sys(), {}, std::chrono::milliseconds(0));
        return network.connectionState();
    }

private:
    QTemporaryDir m_dir;
};

const Link eth0{"eth0", 1, "", "up"};
const Link wlan0{"wlan0", 1, "wlan", "up"};
const Link ppp0{"ppp0", 512, "ppp", "unknown"};
const Link wwan0{"wwan0", 65534, "wwan", "unknown"};
const Link wg0{"wg0", 65534, "wireguard", "unknown"};
const Link lo{"lo", 772, "", "unknown"};

} // namespace

TEST(LinuxNetworkState, FlagsFromRouteTablesAndLinks) {
    const struct {
        const char* name;
        QByteArray ipv4;
        std::optional<QByteArray> ipv6;
        std::vector<Link> links;
        std::uint32_t expected;
    } cases[] = {
        {"nothing configured", kIpv4Header, kIpv6Null + kIpv6Loopback, {lo}, 0},
        {"link-local only", kIpv4Header, ipv6LinkLocal("eth0") + kIpv6Null, {eth0, lo}, 0},
        {"no default route, LAN configured", kIpv4Header + ipv4Subnet("eth0"), kIpv6Null, {eth0, lo}, 0x02},
        {"IPv4 only over Ethernet",
         kIpv4Header + ipv4Default("eth0") + ipv4Subnet("eth0"),
         kIpv6Null,
         {eth0, lo},
         0x42},
        {"IPv4 without IPv6 support", kIpv4Header + ipv4Default("eth0"), std::nullopt, {eth0}, 0x42},
        {"IPv6 only over Wi-Fi",
         kIpv4Header,
         ipv6LinkLocal("wlan0") + ipv6Default("wlan0") + kIpv6Null,
         {wlan0, lo},
         0x42},
        {"Wi-Fi known by its wireless folder",
         kIpv4Header + ipv4Default("wlp2s0"),
         kIpv6Null,
         {{"wlp2s0", 1, "", "up", true}},
         0x42},
        {"PPP", kIpv4Header + ipv4Default("ppp0"), kIpv6Null, {ppp0, lo}, 0x41},
        {"cellular", kIpv4Header, ipv6Default("wwan0"), {wwan0}, 0x41},
        {"PPP and Ethernet both default",
         kIpv4Header + ipv4Default("ppp0") + ipv4Default("eth0"),
         kIpv6Null,
         {ppp0, eth0},
         0x43},
        {"the medium is the default route's",
         kIpv4Header + ipv4Default("ppp0") + ipv4Subnet("eth0"),
         kIpv6Null,
         {ppp0, eth0},
         0x41},
        {"VPN tunnel: configured, no medium", kIpv4Header + ipv4Default("wg0"), kIpv6Null, {wg0}, 0x40},
        {"default route on a link that is down",
         kIpv4Header + ipv4Default("eth0"),
         kIpv6Null,
         {{"eth0", 1, "", "down"}},
         0},
        {"down default, configured Wi-Fi",
         kIpv4Header + ipv4Default("eth0"),
         ipv6Global("wlan0"),
         {{"eth0", 1, "", "down"}, wlan0},
         0x02},
        {"dormant Wi-Fi", kIpv4Header + ipv4Default("wlan0"), kIpv6Null, {{"wlan0", 1, "wlan", "dormant"}}, 0},
        {"unreachable default",
         kIpv4Header + "*\t00000000\t00000000\t0201\t0\t0\t0\t00000000\t0\t0\t0\n",
         kIpv6Null,
         {},
         0},
        {"link unknown to sysfs", kIpv4Header + ipv4Default("eth9"), kIpv6Null, {}, 0x40},
        {"malformed lines", "garbage\n\neth0 zz 0 0003 0 0 0 00000000\n", QByteArray("short line eth0\n"), {eth0}, 0},
    };
    for (const auto& c : cases) {
        NetworkTree tree(c.ipv4, c.ipv6, c.links);
        EXPECT_EQ(tree.state(), c.expected) << c.name;
    }
}

TEST(LinuxNetworkState, NoProcfsMeansNoConnection) {
    LinuxNetwork network(QStringLiteral("/nonexistent/proc"), QStringLiteral("/nonexistent/sys"), {},
                         std::chrono::milliseconds(0));
    EXPECT_EQ(network.connectionState(), 0u);
}

TEST(LinuxNetworkState, FollowsChangesOfTablesAndLinkState) {
    NetworkTree tree(kIpv4Header + ipv4Subnet("eth0"), kIpv6Null, {eth0, ppp0});
    LinuxNetwork network(tree.proc(), tree.sys(), {}, std::chrono::milliseconds(0));
    EXPECT_EQ(network.connectionState(), 0x02u);
    tree.write(QStringLiteral("proc/net/route"), kIpv4Header + ipv4Subnet("eth0") + ipv4Default("eth0"));
    EXPECT_EQ(network.connectionState(), 0x42u);
    tree.write(QStringLiteral("sys/class/net/eth0/operstate"), "down\n");
    EXPECT_EQ(network.connectionState(), 0u);
    tree.write(QStringLiteral("sys/class/net/eth0/operstate"), "up\n");
    tree.write(QStringLiteral("proc/net/route"), kIpv4Header + ipv4Default("ppp0"));
    EXPECT_EQ(network.connectionState(), 0x41u);
}

TEST(LinuxNetworkState, ARepeatWithinTheReuseWindowReadsNothing) {
    NetworkTree tree(kIpv4Header + ipv4Default("eth0"), kIpv6Null, {eth0});
    LinuxNetwork network(tree.proc(), tree.sys(), {}, std::chrono::hours(1));
    EXPECT_EQ(network.connectionState(), 0x42u);
    tree.write(QStringLiteral("proc/net/route"), kIpv4Header);
    EXPECT_EQ(network.connectionState(), 0x42u);
}

TEST(LinuxNetworkState, ThisMachineGivesAPlausibleValue) {
    LinuxNetwork network;
    const std::uint32_t flags = network.connectionState();
    EXPECT_EQ(flags & ~std::uint32_t(0x43), 0u);
}

TEST(LinuxNetworkLinks, Classification) {
    const struct {
        int type;
        const char* devType;
        bool wireless;
        Medium expected;
    } cases[] = {
        {1, "", false, Medium::Lan},           {1, "bridge", false, Medium::Lan},
        {1, "wlan", false, Medium::Lan},       {1, "", true, Medium::Lan},
        {512, "", false, Medium::Modem},       {519, "", false, Medium::Modem},
        {65534, "wwan", false, Medium::Modem}, {1, "wwan", false, Medium::Modem},
        {772, "", false, Medium::Loopback},    {65534, "", false, Medium::Other},
        {776, "", false, Medium::Other},       {-1, "", false, Medium::Other},
    };
    for (const auto& c : cases)
        EXPECT_EQ(classify(c.type, c.devType, c.wireless), c.expected) << c.type << " " << c.devType;
}

TEST(LinuxNetworkLinks, Operstates) {
    for (const char* up : {"up\n", "unknown\n", "up"})
        EXPECT_TRUE(operstateUp(up)) << up;
    for (const char* down : {"down\n", "dormant\n", "lowerlayerdown\n", "notpresent\n", "testing\n", ""})
        EXPECT_FALSE(operstateUp(down)) << down;
}
