// Torvane's GNOME Shell extension in a private headless GNOME Shell, called over the shell's private
// session bus: the window records, the signals, closing, and the refusal of every other caller.
#include "support/headless_gnome.h"
#include "support/pump_until.h"
#include "support/x11_child.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>

namespace {

const QString Path = QStringLiteral("/io/github/torvane/Shell");
const QString Interface = QStringLiteral("io.github.torvane.Shell1");
const QString AccessDenied = QStringLiteral("org.freedesktop.DBus.Error.AccessDenied");

struct ShellWindow {
    quint64 id = 0;
    QString title;
    bool shown = false;
    uint pid = 0;
    QString appId;
    bool x11 = false;
    uint x11Window = 0;
};

ShellWindow readWindow(const QDBusArgument& argument) {
    ShellWindow w;
    argument.beginStructure();
    argument >> w.id >> w.title >> w.shown >> w.pid >> w.appId >> w.x11 >> w.x11Window;
    argument.endStructure();
    return w;
}

// This process as a client of the shell's private session bus; it keeps every WindowAdded and
// WindowChanged.
class ShellCaller : public QObject {
    Q_OBJECT
public:
    explicit ShellCaller(const HeadlessGnome& gnome)
        : m_bus(QDBusConnection::connectToBus(gnome.sessionBusAddress(), QStringLiteral("gnome-shell-test"))) {
        for (const char* name : {"WindowAdded", "WindowChanged"})
            m_bus.connect(QString(), Path, Interface, name, this, SLOT(onSignal(QDBusMessage)));
    }
    ~ShellCaller() override { QDBusConnection::disconnectFromBus(QStringLiteral("gnome-shell-test")); }

    QDBusMessage call(const QString& method, const QVariantList& arguments = {}) {
        QDBusMessage message =
            QDBusMessage::createMethodCall(QStringLiteral("org.gnome.Shell"), Path, Interface, method);
        message.setArguments(arguments);
        return m_bus.call(message);
    }
    std::vector<ShellWindow> listedFor(uint pid) {
        const QDBusMessage reply = call(QStringLiteral("ListWindows"));
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        std::vector<ShellWindow> found;
        const QDBusArgument array = reply.arguments().value(0).value<QDBusArgument>();
        array.beginArray();
        while (!array.atEnd())
            if (const ShellWindow w = readWindow(array); w.pid == pid)
                found.push_back(w);
        return found;
    }

    bool sent(const QString& name, quint64 id, const QString& title, const QString& appId) const {
        return std::any_of(seen.begin(), seen.end(), [&](const auto& s) {
            return s.first == name && s.second.id == id && s.second.title == title && s.second.appId == appId;
        });
    }

    std::vector<std::pair<QString, ShellWindow>> seen;

private slots:
    void onSignal(const QDBusMessage& message) {
        seen.emplace_back(message.member(), readWindow(message.arguments().value(0).value<QDBusArgument>()));
    }

private:
    QDBusConnection m_bus;
};

// A native window and an XWayland one: listed once with what the shell knows of them, followed
// through a new title where the client can set one, and closed on request.
TEST(GnomeShellExtension, ListsFollowsAndClosesNativeAndX11Windows) {
    QString whyNot;
    const auto gnome = HeadlessGnome::start({QCoreApplication::applicationFilePath()}, whyNot);
    if (!gnome)
        GTEST_SKIP() << whyNot.toStdString();
    ShellCaller shell(*gnome);
    const auto native = gnome->startClient("Native — first", "org.example.NativeTest");
    qputenv("XAUTHORITY", gnome->xauthority().toLocal8Bit()); // x11_child inherits this process's environment
    X11Child x11(gnome->xwaylandDisplay(), {"--window", "--utf8", "X11 — first", "--delete"});
    qunsetenv("XAUTHORITY");

    const struct {
        uint pid;
        QString title, appId;
        bool x11;
        uint x11Window;
        std::function<bool()> retitle, waitClosed;
    } rows[] = {
        {uint(native->pid()), "Native — first", "org.example.NativeTest", false, 0,
         [&] { return native->retitle("Native — second"); }, [&] { return native->waitClosed(); }},
        {x11.pid(), "X11 — first", "", true, x11.windows().at(0).client, nullptr, [&] { return x11.waitForExit(); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.title.toStdString());
        std::vector<ShellWindow> listed;
        ASSERT_TRUE(pumpUntil([&] { return !(listed = shell.listedFor(row.pid)).empty(); }));
        ASSERT_EQ(listed.size(), 1u);
        const ShellWindow w = listed.front();
        EXPECT_EQ(std::tie(w.title, w.shown, w.appId, w.x11, w.x11Window),
                  std::make_tuple(row.title, true, row.appId, row.x11, row.x11Window));
        EXPECT_TRUE(pumpUntil([&] { return shell.sent("WindowAdded", w.id, row.title, row.appId); }))
            << "WindowAdded came without the window's title and app id";
        if (row.retitle) {
            ASSERT_TRUE(row.retitle());
            EXPECT_TRUE(pumpUntil([&] { return shell.sent("WindowChanged", w.id, "Native — second", row.appId); }));
            EXPECT_EQ(shell.listedFor(row.pid).at(0).title, "Native — second");
        }
        const QVariantList id{QVariant::fromValue(w.id)};
        EXPECT_EQ(shell.call(QStringLiteral("Close"), id).arguments().value(0), QVariant(true));
        EXPECT_TRUE(row.waitClosed()) << "the window was not asked to close";
        EXPECT_TRUE(pumpUntil([&] { return shell.listedFor(row.pid).empty(); }));
        EXPECT_EQ(shell.call(QStringLiteral("Close"), id).arguments().value(0), QVariant(false));
    }
}

// Without a setting only /usr/bin/torvane is answered; the test setting lets this test in and no
// other program (gdbus).
TEST(GnomeShellExtension, AnswersOnlyAllowedExecutables) {
    const QString self = QCoreApplication::applicationFilePath();
    for (const QStringList& allowed : {QStringList{}, QStringList{self}}) {
        SCOPED_TRACE(allowed.join(' ').toStdString());
        QString whyNot;
        const auto gnome = HeadlessGnome::start(allowed, whyNot);
        if (!gnome)
            GTEST_SKIP() << whyNot.toStdString();
        ShellCaller shell(*gnome);
        for (const QStringList& call : {QStringList{"ListWindows"}, QStringList{"Close", "1"}}) {
            SCOPED_TRACE(call.first().toStdString());
            const QVariantList arguments =
                call.size() > 1 ? QVariantList{QVariant::fromValue(quint64(1))} : QVariantList{};
            const QDBusMessage own = shell.call(call.first(), arguments);
            EXPECT_EQ(own.type() == QDBusMessage::ReplyMessage, allowed.contains(self))
                << own.errorMessage().toStdString();
            EXPECT_EQ(own.errorName(), allowed.contains(self) ? QString() : AccessDenied);

            QProcess gdbus;
            gdbus.setProcessChannelMode(QProcess::MergedChannels);
            gdbus.start(QStringLiteral("gdbus"),
                        QStringList{"call", "--address", gnome->sessionBusAddress(), "--dest", "org.gnome.Shell",
                                    "--object-path", Path, "--method", Interface + '.' + call.first()} +
                            call.mid(1));
            ASSERT_TRUE(gdbus.waitForFinished(30000));
            EXPECT_TRUE(gdbus.readAll().contains(AccessDenied.toUtf8()));
        }
    }
}

} // namespace

#include "gnome_shell_extension_test.moc"
