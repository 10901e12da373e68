#include "platform/linux/session/single_instance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QRegularExpression>

namespace platform {

SingleInstance::SingleInstance(const QString& appId, const QString& display)
    : m_name(busName(appId, display)), m_path(objectPath(appId)) {}

SingleInstance::~SingleInstance() {
    if (!m_registered)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(m_name);
    bus.unregisterObject(m_path);
}

QString SingleInstance::busName(const QString& appId, const QString& display) {
    // "host:N.S": the screen number does not make another display.
    QString name = display;
    name.remove(QRegularExpression(QStringLiteral("\\.[0-9]+$")));
    // A bus name element holds only [A-Za-z0-9_-] and does not start with a digit.
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), QStringLiteral("_"));
    return appId + QStringLiteral(".Display") + name;
}

QString SingleInstance::objectPath(const QString& appId) {
    return QLatin1Char('/') + QString(appId).replace(QLatin1Char('.'), QLatin1Char('/'));
}

SingleInstance::Outcome SingleInstance::claim() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return Outcome::NoBus;
    // The object is there before the name, so whoever sees the name can call it.
    // Adaptors: the scripting interface is added to this object (the bus has one object per path).
    if (!bus.registerObject(m_path, this, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAdaptors))
        return Outcome::Failed;
    if (bus.registerService(m_name)) {
        m_registered = true;
        return Outcome::First;
    }
    bus.unregisterObject(m_path);
    QDBusMessage call = QDBusMessage::createMethodCall(m_name, m_path, QStringLiteral("org.freedesktop.Application"),
                                                       QStringLiteral("Activate"));
    call << QVariantMap();
    const QDBusMessage reply = bus.call(call, QDBus::Block, 10000);
    return reply.type() == QDBusMessage::ReplyMessage ? Outcome::Activated : Outcome::Failed;
}

void SingleInstance::Activate(const QVariantMap&) {
    if (onActivate)
        onActivate();
}

bool statusNotifierHostRegistered() {
    return statusNotifierHostRegistered(QDBusConnection::sessionBus());
}

bool statusNotifierHostRegistered(const QDBusConnection& bus) {
    if (!bus.isConnected())
        return false;
    QDBusInterface watcher(QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("/StatusNotifierWatcher"),
                           QStringLiteral("org.kde.StatusNotifierWatcher"), bus);
    return watcher.isValid() && watcher.property("IsStatusNotifierHostRegistered").toBool();
}

} // namespace platform
