// The GNOME source against a stand-in for the shell's extension on a private bus of the test's own.
#include "platform/fake/fake_platform.h"
#include "platform/linux/wayland/session_windows.h"
#include "support/dbus_mock.h"
#include "support/pump_until.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>
#include <QThread>
#include <gtest/gtest.h>
#include <mutex>

struct ShellWindow { // (tsbusbu)
    quint64 id = 0;
    QString title{};
    bool shown = true;
    uint pid = 0;
    QString appId{};
    bool x11 = false;
    uint x11Window = 0;
};
QDBusArgument& operator<<(QDBusArgument& a, const ShellWindow& w) {
    a.beginStructure();
    a << w.id << w.title << w.shown << w.pid << w.appId << w.x11 << w.x11Window;
    a.endStructure();
    return a;
}
const QDBusArgument& operator>>(const QDBusArgument& a, ShellWindow&) {
    return a;
} // never received

namespace {

using namespace platform;
const QString kPath = QStringLiteral("/io/github/torvane/Shell");
const QString kInterface = QStringLiteral("io.github.torvane.Shell1");

// Owns org.gnome.Shell on the bus and answers from a thread of its own, since the source's first
// list is a blocking call. `answer`: "windows", "denied", "no object" or "no name".
class FakeShell : public QDBusVirtualObject {
public:
    FakeShell(const QString& address, const QString& answer, QList<ShellWindow> windows)
        : m_bus(QDBusConnection::connectToBus(address, QStringLiteral("fake-shell"))), m_denied(answer == "denied"),
          m_windows(std::move(windows)) {
        qDBusRegisterMetaType<ShellWindow>();
        qDBusRegisterMetaType<QList<ShellWindow>>();
        moveToThread(&m_thread);
        m_thread.start();
        if (answer != "no name")
            m_bus.registerService(QStringLiteral("org.gnome.Shell"));
        if (answer != "no object" && answer != "no name")
            m_bus.registerVirtualObject(kPath, this);
    }
    ~FakeShell() override {
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-shell"));
        m_thread.quit();
        m_thread.wait();
    }
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& call, const QDBusConnection& bus) override {
        std::lock_guard lock(mutex);
        if (m_denied)
            return bus.send(call.createErrorReply(QDBusError::AccessDenied, "Only Torvane may ask"));
        if (call.member() == "Close")
            closed.push_back(call.arguments().at(0).toULongLong());
        return bus.send(call.member() == "Close" ? call.createReply(true)
                                                 : call.createReply(QVariant::fromValue(m_windows)));
    }
    void emitSignal(const char* name, const QVariant& argument) {
        m_bus.send(QDBusMessage::createSignal(kPath, kInterface, name) << argument);
    }

    std::mutex mutex;
    std::vector<quint64> closed;

private:
    QDBusConnection m_bus;
    bool m_denied;
    QList<ShellWindow> m_windows;
    QThread m_thread;
};

} // namespace

// A GNOME session takes the extension's windows, only while it answers; its XWayland window is
// listed once, by X11.
TEST(GnomeShellWindows, ListsFollowsAndClosesTheShellsWindows) {
    DBusMockLogind bus({}, false);
    ASSERT_TRUE(bus.running()) << bus.error().toStdString();
    for (const char* answer : {"denied", "no object", "no name"}) {
        FakeShell refusing(bus.address(), answer, {{7, "Notes"}});
        EXPECT_EQ(connectGnomeShell(bus.address()), nullptr) << answer;
    }
    FakeShell shell(bus.address(), "windows",
                    {{7, "Notes", true, 4242, "org.gnome.TextEditor"}, {8, "xterm", true, 8, "XTerm", true, 0x400001}});
    SessionWindows session = connectSessionWindows({"wayland-0", "", "ubuntu:GNOME", bus.address()});
    ASSERT_TRUE(session.source);
    EXPECT_EQ(session.xwayland, MergedWindowSystem::XWaylandWindows::Marked);
    const std::vector<NativeWindow> listed = session.source->windows();
    ASSERT_EQ(listed.size(), 2u);
    const auto [notes, xterm] = std::pair(listed[0], listed[1]);
    EXPECT_EQ(std::tuple(notes.title, notes.visible, notes.pid, notes.appId, xterm.xwayland, xterm.x11Window),
              std::tuple(QString("Notes"), true, 4242u, QString("org.gnome.TextEditor"), true, 0x400001u));
    EXPECT_TRUE(notes.handle & xterm.handle & kNativeHandleBit && notes.handle != xterm.handle);

    fake::FakePlatform x11;
    x11.addWindow("xterm", true, 8);
    MergedWindowSystem merged(x11, std::move(session.source), session.xwayland, {1, {}});
    std::vector<NativeWindow> seen;
    merged.nativeSource()->watch([&](const auto& w) { seen.insert(seen.end(), w.begin(), w.end()); });
    shell.emitSignal("WindowAdded", QVariant::fromValue(ShellWindow{9, "Music", true, 4444}));
    shell.emitSignal("WindowRemoved", QVariant::fromValue(quint64{9}));
    shell.emitSignal("WindowChanged", QVariant::fromValue(ShellWindow{7, "Notes — final", false, 4242}));
    ASSERT_TRUE(pumpUntil([&] { return !seen.empty() && seen.back().title == "Notes — final"; }));
    EXPECT_EQ(std::pair(seen.back().handle, seen.back().visible), std::pair(notes.handle, false));
    std::vector<std::pair<QString, ProcessId>> desktop;
    for (const WindowInfo& w : merged.topLevelWindows())
        desktop.emplace_back(w.title, merged.windowProcessId(w.handle));
    EXPECT_EQ(desktop, (decltype(desktop){{"Notes — final", 4242}, {"xterm", 8}}));

    merged.postCloseMessage(notes.handle);
    EXPECT_TRUE(pumpUntil([&] { return std::lock_guard(shell.mutex), shell.closed == std::vector<quint64>{7}; }));
}

// The taking of an answering extension is shown above, on a bus.
TEST(SessionWindows, GnomeWithoutTheExtensionSaysHowToEnableIt) {
    // Desktop, the extension is installed; the bus the extension was asked on and the notice.
    const std::tuple<const char*, bool, const char*, QString> cases[] = {
        {"ubuntu:GNOME", true, "bus", kGnomeExtensionDisabledNotice},
        {"GNOME", false, "bus", kGnomeExtensionMissingNotice},
        {"KDE", true, "", kNoNativeWindowsNotice}};
    for (const auto& [desktop, installed, asked, notice] : cases) {
        SCOPED_TRACE(desktop);
        QString askedOn;
        const auto none = [](const QString&) { return std::unique_ptr<NativeWindowSource>(); };
        const auto gnome = [&](const QString& bus) { return askedOn = bus, std::unique_ptr<NativeWindowSource>(); };
        const auto s =
            connectSessionWindows({"w", "", desktop, "bus"}, {none, none, none, gnome, [&] { return installed; }});
        EXPECT_EQ(std::pair(askedOn, s.notice), std::pair(QString(asked), notice));
    }
}
