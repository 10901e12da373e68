#include "platform/linux/session/logind_system_actions.h"
#include "support/dbus_mock.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QDBusVariant>
#include <gtest/gtest.h>
#include <optional>

// Every test here talks to a private bus with a mock logind; none reaches the machine's logind.

namespace {

const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kMock = QStringLiteral("org.freedesktop.DBus.Mock");

struct Call {
    QString method;
    QVariantList args;
};

class LogindTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(DBusMockLogind::available()) << "the packages dbus-daemon and python3-dbusmock are needed";
    }
    void TearDown() override { stopBus(); }

    void startBus(const QString& parameters = QStringLiteral("{}"), bool withLogind = true) {
        stopBus();
        mock.emplace(parameters, withLogind);
        ASSERT_TRUE(mock->running()) << mock->error().toStdString();
        actions.emplace(mock->address());
    }

    void stopBus() {
        actions.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("logind-test-setup"));
        mock.reset();
    }

    QDBusConnection setupBus() {
        return QDBusConnection::connectToBus(mock->address(), QStringLiteral("logind-test-setup"));
    }

    QDBusMessage mockCall(const QString& path, const QString& method, const QVariantList& args = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(kLogind, path, kMock, method);
        message.setArguments(args);
        return setupBus().call(message);
    }

    // Replaces or adds a manager method on the mock; `code` sets `ret` from `args`.
    void addManagerMethod(const QString& name, const QString& in, const QString& out, const QString& code) {
        const QDBusMessage reply = mockCall(kManagerPath, QStringLiteral("AddMethod"), {kManager, name, in, out, code});
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }

    void addSession(const QString& id) {
        const QDBusMessage reply = mockCall(kManagerPath, QStringLiteral("AddSession"),
                                            {id, QStringLiteral("seat0"), quint32(1000), QStringLiteral("user"), true});
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }

    // The calls an object of the mock received, asked on the connection the client used, so the
    // client's unanswered last request is already among them.
    std::vector<Call> calls(const QString& path) {
        QDBusMessage message = QDBusMessage::createMethodCall(kLogind, path, kMock, QStringLiteral("GetCalls"));
        const QDBusMessage reply = QDBusConnection(actions->connectionName()).call(message);
        std::vector<Call> result;
        if (reply.type() != QDBusMessage::ReplyMessage) {
            ADD_FAILURE() << reply.errorMessage().toStdString();
            return result;
        }
        const QDBusArgument list = reply.arguments().value(0).value<QDBusArgument>();
        list.beginArray();
        while (!list.atEnd()) {
            Call call;
            quint64 timestamp = 0;
            list.beginStructure();
            list >> timestamp >> call.method;
            list.beginArray();
            while (!list.atEnd()) {
                QDBusVariant value;
                list >> value;
                call.args << value.variant();
            }
            list.endArray();
            list.endStructure();
            result.push_back(call);
        }
        list.endArray();
        return result;
    }

    // The calls that change the machine's state.
    std::vector<Call> actionCalls(const QString& path = kManagerPath) {
        std::vector<Call> result;
        for (const Call& call : calls(path)) {
            if (call.method == QLatin1String("PowerOff") || call.method == QLatin1String("Reboot") ||
                call.method == QLatin1String("Terminate") || call.method == QLatin1String("TerminateSession"))
                result.push_back(call);
        }
        return result;
    }

    std::optional<DBusMockLogind> mock;
    std::optional<platform::LogindSystemActions> actions;
};

TEST_F(LogindTest, ShutDownTypesReachTheirLogindMethod) {
    startBus();
    const struct {
        std::uint32_t flags;
        const char* method;
    } cases[] = {
        {1, "PowerOff"}, {1 + 4, "PowerOff"}, {8, "PowerOff"}, {8 + 4, "PowerOff"},
        {2, "Reboot"},   {2 + 4, "Reboot"},   {64, "Reboot"},  {64 + 4, "Reboot"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(mockCall(kManagerPath, QStringLiteral("ClearCalls")).type(), QDBusMessage::ReplyMessage);
        EXPECT_EQ(actions->exitWindows(c.flags), QString()) << c.flags;
        const auto made = actionCalls();
        ASSERT_EQ(made.size(), 1u) << c.flags;
        EXPECT_EQ(made[0].method, QString::fromLatin1(c.method)) << c.flags;
        EXPECT_EQ(made[0].args, QVariantList{true}) << c.flags;
    }
}

TEST_F(LogindTest, LogOffTerminatesTheSessionOfThisProcess) {
    startBus();
    addSession(QStringLiteral("c7"));
    addManagerMethod(QStringLiteral("GetSessionByPID"), QStringLiteral("u"), QStringLiteral("o"),
                     QStringLiteral("ret = '/org/freedesktop/login1/session/c7'"));
    const QString session = QStringLiteral("/org/freedesktop/login1/session/c7");
    for (const std::uint32_t flags : {0u, 4u}) {
        ASSERT_EQ(mockCall(session, QStringLiteral("ClearCalls")).type(), QDBusMessage::ReplyMessage);
        ASSERT_EQ(mockCall(kManagerPath, QStringLiteral("ClearCalls")).type(), QDBusMessage::ReplyMessage);
        EXPECT_EQ(actions->exitWindows(flags), QString());
        const auto made = actionCalls(session);
        ASSERT_EQ(made.size(), 1u) << flags;
        EXPECT_EQ(made[0].method, QStringLiteral("Terminate"));
        EXPECT_TRUE(actionCalls().empty());

        bool askedForOwnPid = false;
        for (const Call& call : calls(kManagerPath)) {
            if (call.method == QLatin1String("GetSessionByPID"))
                askedForOwnPid = call.args.value(0).toLongLong() == QCoreApplication::applicationPid();
        }
        EXPECT_TRUE(askedForOwnPid);
    }
}

TEST_F(LogindTest, LogOffOutsideASessionFallsBackToTheUsersDisplaySession) {
    startBus();
    addSession(QStringLiteral("c2"));
    addManagerMethod(QStringLiteral("GetSession"), QStringLiteral("s"), QStringLiteral("o"),
                     QStringLiteral("ret = '/org/freedesktop/login1/session/c2' if args[0] == 'auto' else '/'"));
    EXPECT_EQ(actions->exitWindows(0), QString());
    const auto made = actionCalls(QStringLiteral("/org/freedesktop/login1/session/c2"));
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0].method, QStringLiteral("Terminate"));
}

TEST_F(LogindTest, LogOffWithoutAnySessionIsRefused) {
    startBus();
    addManagerMethod(QStringLiteral("GetSession"), QStringLiteral("s"), QStringLiteral("o"),
                     QStringLiteral("raise dbus.exceptions.DBusException('no session', "
                                    "name='org.freedesktop.login1.NoSuchSession')"));
    EXPECT_EQ(actions->exitWindows(4), QStringLiteral("AdjustTokenPrivileges() Failed"));
}

TEST_F(LogindTest, CanAnswersDecideWhetherTheCallerMayAct) {
    const struct {
        const char* answer;
        bool allowed;
    } cases[] = {{"yes", true}, {"challenge", true}, {"no", false}, {"na", false}};
    for (const auto& c : cases) {
        const QString answer = QString::fromLatin1(c.answer);
        startBus(QStringLiteral("{\"CanPowerOff\": \"%1\", \"CanReboot\": \"%1\"}").arg(answer));
        for (const std::uint32_t flags : {1u + 4u, 2u, 8u, 64u + 4u}) {
            EXPECT_EQ(actions->exitWindows(flags),
                      c.allowed ? QString() : QStringLiteral("AdjustTokenPrivileges() Failed"))
                << c.answer << " " << flags;
        }
        EXPECT_EQ(actionCalls().size(), c.allowed ? 4u : 0u) << c.answer;
    }
}

TEST_F(LogindTest, BlockInhibitorOnShutdownVetoesUnlessForced) {
    const struct {
        const char* what;
        const char* mode;
        bool vetoes;
    } cases[] = {
        {"shutdown", "block", true},
        {"sleep:shutdown:idle", "block", true},
        {"shutdown", "delay", false},
        {"sleep", "block", false},
    };
    for (const auto& c : cases) {
        startBus();
        QDBusMessage inhibit =
            QDBusMessage::createMethodCall(kLogind, kManagerPath, kManager, QStringLiteral("Inhibit"));
        inhibit << QString::fromLatin1(c.what) << QStringLiteral("test") << QStringLiteral("busy")
                << QString::fromLatin1(c.mode);
        const QDBusMessage held = setupBus().call(inhibit);
        ASSERT_EQ(held.type(), QDBusMessage::ReplyMessage) << held.errorMessage().toStdString();
        // The inhibitor lasts while this descriptor stays open.
        const QDBusUnixFileDescriptor fd = held.arguments().value(0).value<QDBusUnixFileDescriptor>();
        ASSERT_TRUE(fd.isValid());

        for (const std::uint32_t flags : {0u, 1u, 2u, 8u, 64u}) {
            if (flags == 0)
                addSession(QStringLiteral("c1"));
            addManagerMethod(QStringLiteral("GetSessionByPID"), QStringLiteral("u"), QStringLiteral("o"),
                             QStringLiteral("ret = '/org/freedesktop/login1/session/c1'"));
            const QString target = flags == 0 ? QStringLiteral("/org/freedesktop/login1/session/c1") : kManagerPath;
            ASSERT_EQ(mockCall(target, QStringLiteral("ClearCalls")).type(), QDBusMessage::ReplyMessage);
            EXPECT_EQ(actions->exitWindows(flags), QString());
            EXPECT_EQ(actionCalls(target).size(), c.vetoes ? 0u : 1u) << c.what << " " << c.mode << " " << flags;
            ASSERT_EQ(mockCall(target, QStringLiteral("ClearCalls")).type(), QDBusMessage::ReplyMessage);
            EXPECT_EQ(actions->exitWindows(flags + 4), QString());
            EXPECT_EQ(actionCalls(target).size(), 1u) << c.what << " " << c.mode << " forced " << flags;
        }
    }
}

TEST_F(LogindTest, NoLogindOnTheBus) {
    startBus(QStringLiteral("{}"), false);
    for (const std::uint32_t flags : {0u, 1u, 2u, 8u, 64u})
        EXPECT_EQ(actions->exitWindows(flags), QStringLiteral("LookupPrivilegeValue() Failed"));
}

TEST_F(LogindTest, NoBusAtTheAddress) {
    platform::LogindSystemActions unreachable(QStringLiteral("unix:path=/nonexistent/torvane-test/bus"));
    for (const std::uint32_t flags : {0u, 5u})
        EXPECT_EQ(unreachable.exitWindows(flags), QStringLiteral("OpenProcessToken() Failed"));
}

} // namespace
