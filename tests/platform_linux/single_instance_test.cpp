#include "platform/linux/single_instance.h"
#include "support/dbus_mock.h"

#include <QDBusConnection>
#include <QThread>
#include <gtest/gtest.h>

namespace {

TEST(SingleInstance, OneNamePerDisplay) {
    const struct {
        const char* display;
        const char* name;
    } cases[] = {
        {":0", "a.b.C.Display_0"},
        {":0.0", "a.b.C.Display_0"},
        {":0.1", "a.b.C.Display_0"},
        {":1", "a.b.C.Display_1"},
        {"localhost:10.0", "a.b.C.Displaylocalhost_10"},
        {"", "a.b.C.Display"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::SingleInstance::busName("a.b.C", c.display), c.name) << c.display;
    EXPECT_EQ(platform::SingleInstance::objectPath("a.b.C"), "/a/b/C");
}

// A tray's StatusNotifierWatcher, answering from its own thread and connection.
class Watcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)

public:
    explicit Watcher(bool host) : m_host(host) {}
    bool hostRegistered() const { return m_host; }

private:
    bool m_host;
};

TEST(SingleInstance, TrayHostIsSeenOnTheBus) {
    if (!DBusMockLogind::available())
        GTEST_SKIP() << "dbus-daemon is not installed";
    for (bool host : {false, true}) {
        DBusMockLogind bus(QStringLiteral("{}"), false);
        ASSERT_TRUE(bus.running()) << bus.error().toStdString();
        QDBusConnection client = QDBusConnection::connectToBus(bus.address(), QStringLiteral("client"));
        EXPECT_FALSE(platform::statusNotifierHostRegistered(client)) << "no watcher yet";

        QThread thread;
        Watcher watcher(host);
        watcher.moveToThread(&thread);
        thread.start();
        QDBusConnection owner = QDBusConnection::connectToBus(bus.address(), QStringLiteral("owner"));
        ASSERT_TRUE(owner.registerObject("/StatusNotifierWatcher", &watcher, QDBusConnection::ExportAllProperties));
        ASSERT_TRUE(owner.registerService("org.kde.StatusNotifierWatcher"));
        EXPECT_EQ(platform::statusNotifierHostRegistered(client), host);

        owner.unregisterObject("/StatusNotifierWatcher");
        thread.quit();
        thread.wait();
        QDBusConnection::disconnectFromBus(QStringLiteral("owner"));
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    }
}

} // namespace

#include "single_instance_test.moc"
