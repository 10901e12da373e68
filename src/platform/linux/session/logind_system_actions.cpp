#include "platform/linux/session/logind_system_actions.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>

namespace platform {

namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kSession = QStringLiteral("org.freedesktop.login1.Session");

const QString kNoBus = QStringLiteral("OpenProcessToken() Failed");
const QString kNoLogind = QStringLiteral("LookupPrivilegeValue() Failed");
const QString kNotAllowed = QStringLiteral("AdjustTokenPrivileges() Failed");

constexpr std::uint32_t kShutdown = 0x01;
constexpr std::uint32_t kReboot = 0x02;
constexpr std::uint32_t kForce = 0x04;
constexpr std::uint32_t kPowerOff = 0x08;
constexpr std::uint32_t kRestartApps = 0x40;

enum class Action { PowerOff, Reboot, LogOff };

Action actionFor(std::uint32_t flags) {
    if (flags & (kShutdown | kPowerOff))
        return Action::PowerOff;
    if (flags & (kReboot | kRestartApps))
        return Action::Reboot;
    return Action::LogOff;
}

QDBusMessage managerCall(const QString& method) {
    return QDBusMessage::createMethodCall(kService, kManagerPath, kManager, method);
}

bool isReply(const QDBusMessage& reply, const char* signature) {
    return reply.type() == QDBusMessage::ReplyMessage && reply.signature() == QLatin1String(signature);
}

} // namespace

LogindSystemActions::LogindSystemActions(const QString& busAddress, int callTimeoutMs)
    : m_address(busAddress),
      m_connectionName(QStringLiteral("torvane-logind-%1").arg(reinterpret_cast<quintptr>(this), 0, 16)),
      m_timeoutMs(callTimeoutMs) {}

LogindSystemActions::~LogindSystemActions() {
    QDBusConnection::disconnectFromBus(m_connectionName);
}

QDBusConnection LogindSystemActions::connection() {
    QDBusConnection bus(m_connectionName);
    if (bus.isConnected())
        return bus;
    // A connection that failed or was lost stays registered under its name until dropped.
    QDBusConnection::disconnectFromBus(m_connectionName);
    if (m_address.isEmpty())
        return QDBusConnection::connectToBus(QDBusConnection::SystemBus, m_connectionName);
    return QDBusConnection::connectToBus(m_address, m_connectionName);
}

// Ping starts logind by bus activation when it is not running yet.
bool LogindSystemActions::logindAnswers(QDBusConnection& bus) {
    const auto ping = QDBusMessage::createMethodCall(
        kService, kManagerPath, QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    return bus.call(ping, QDBus::Block, m_timeoutMs).type() == QDBusMessage::ReplyMessage;
}

bool LogindSystemActions::mayPerform(QDBusConnection& bus, const QString& canMethod) {
    const QDBusMessage reply = bus.call(managerCall(canMethod), QDBus::Block, m_timeoutMs);
    if (!isReply(reply, "s"))
        return false;
    const QString answer = reply.arguments().value(0).toString();
    return answer == QLatin1String("yes") || answer == QLatin1String("challenge");
}

// The session of this process, or, for a process started outside any session (an application
// scope of the user's service manager), the user's display session.
QString LogindSystemActions::ownSessionPath(QDBusConnection& bus) {
    QDBusMessage byPid = managerCall(QStringLiteral("GetSessionByPID"));
    byPid << quint32(QCoreApplication::applicationPid());
    QDBusMessage reply = bus.call(byPid, QDBus::Block, m_timeoutMs);
    if (!isReply(reply, "o")) {
        QDBusMessage automatic = managerCall(QStringLiteral("GetSession"));
        automatic << QStringLiteral("auto");
        reply = bus.call(automatic, QDBus::Block, m_timeoutMs);
        if (!isReply(reply, "o"))
            return {};
    }
    return reply.arguments().value(0).value<QDBusObjectPath>().path();
}

// logind lets a privileged caller override block inhibitors, so they are looked up here rather
// than left to logind: the action is vetoed for every caller alike. When the list cannot be read
// the action goes ahead and logind applies its own rules.
bool LogindSystemActions::blockedByInhibitor(QDBusConnection& bus) {
    const QDBusMessage reply = bus.call(managerCall(QStringLiteral("ListInhibitors")), QDBus::Block, m_timeoutMs);
    if (!isReply(reply, "a(ssssuu)"))
        return false;
    const QDBusArgument list = reply.arguments().value(0).value<QDBusArgument>();
    bool blocked = false;
    list.beginArray();
    while (!list.atEnd()) {
        QString what, who, why, mode;
        quint32 uid = 0, pid = 0;
        list.beginStructure();
        list >> what >> who >> why >> mode >> uid >> pid;
        list.endStructure();
        if (mode == QLatin1String("block") && what.split(QLatin1Char(':')).contains(QLatin1String("shutdown")))
            blocked = true;
    }
    list.endArray();
    return blocked;
}

QString LogindSystemActions::exitWindows(std::uint32_t flags) {
    QDBusConnection bus = connection();
    if (!bus.isConnected())
        return kNoBus;
    if (!logindAnswers(bus))
        return kNoLogind;

    const Action action = actionFor(flags);
    QDBusMessage request;
    if (action == Action::LogOff) {
        const QString session = ownSessionPath(bus);
        if (session.isEmpty())
            return kNotAllowed;
        request = QDBusMessage::createMethodCall(kService, session, kSession, QStringLiteral("Terminate"));
    } else {
        const bool powerOff = action == Action::PowerOff;
        if (!mayPerform(bus, powerOff ? QStringLiteral("CanPowerOff") : QStringLiteral("CanReboot")))
            return kNotAllowed;
        request = managerCall(powerOff ? QStringLiteral("PowerOff") : QStringLiteral("Reboot"));
        request << true; // interactive: a "challenge" answer lets polkit ask the user
    }

    if (!(flags & kForce) && blockedByInhibitor(bus))
        return {};

    // The outcome is not reported, and waiting for it would freeze the window while polkit asks.
    request.setInteractiveAuthorizationAllowed(true);
    bus.asyncCall(request);
    return {};
}

} // namespace platform
