#include "platform/linux/session/scripting_client.h"

#include "platform/linux/session/scripting_bus.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

namespace platform {

ScriptingClient::ScriptingClient(QDBusConnection bus, QString service)
    : m_bus(std::move(bus)), m_service(std::move(service)) {}

bool ScriptingClient::running() {
    if (!m_bus.isConnected() || !m_bus.interface())
        return false;
    const QDBusReply<bool> owned = m_bus.interface()->isServiceRegistered(m_service);
    return owned.isValid() && owned.value();
}

std::optional<QString> ScriptingClient::call(const QString& method, const QVariantList& arguments,
                                             QDBusMessage* reply) {
    QDBusMessage message = QDBusMessage::createMethodCall(m_service, QString::fromLatin1(ScriptingBus::kPath),
                                                          QString::fromLatin1(ScriptingBus::kInterface), method);
    message.setArguments(arguments);
    // Waiting in an event loop lets a Torvane served by this very process answer as well.
    const QDBusMessage answer = m_bus.call(message, QDBus::BlockWithGui);
    if (answer.type() == QDBusMessage::ErrorMessage)
        return answer.errorMessage().isEmpty() ? answer.errorName() : answer.errorMessage();
    if (answer.type() != QDBusMessage::ReplyMessage)
        return QStringLiteral("Torvane did not answer.");
    if (reply)
        *reply = answer;
    return std::nullopt;
}

std::optional<QString> ScriptingClient::tasks(std::vector<ScriptedTask>& out) {
    QDBusMessage reply;
    if (auto error = call(QStringLiteral("Tasks"), {}, &reply))
        return error;
    if (reply.arguments().isEmpty() || !reply.arguments().constFirst().canConvert<QDBusArgument>() ||
        reply.signature() != QLatin1String("a(sbu)"))
        return QStringLiteral("Torvane answered Tasks with \"%1\" instead of a list of tasks.").arg(reply.signature());
    const QDBusArgument list = reply.arguments().constFirst().value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        ScriptedTask task;
        list >> task;
        out.push_back(task);
    }
    list.endArray();
    return std::nullopt;
}

std::optional<QString> ScriptingClient::add(const QString& list, const QString& title) {
    return call(QStringLiteral("Add"), {list, title});
}

std::optional<QString> ScriptingClient::remove(const QString& list, const QString& title) {
    return call(QStringLiteral("Remove"), {list, title});
}

std::optional<QString> ScriptingClient::setProtection(bool on) {
    return call(QStringLiteral("SetProtection"), {on});
}

} // namespace platform
