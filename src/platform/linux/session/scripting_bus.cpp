#include "platform/linux/session/scripting_bus.h"

#include <QDBusArgument>
#include <QDBusMetaType>

namespace platform {

QDBusArgument& operator<<(QDBusArgument& out, const ScriptedTask& task) {
    out.beginStructure();
    out << task.title << task.shown << task.pid;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, ScriptedTask& task) {
    in.beginStructure();
    in >> task.title >> task.shown >> task.pid;
    in.endStructure();
    return in;
}

ScriptingBus::ScriptingBus(ScriptingTarget& target, QObject& host, QDBusConnection bus)
    : QDBusAbstractAdaptor(&host), m_target(target), m_bus(std::move(bus)) {
    qDBusRegisterMetaType<ScriptedTask>();
    qDBusRegisterMetaType<QList<ScriptedTask>>();
}

void ScriptingBus::announce(const ActivityEntry& entry) {
    if (entry.endedOrAskedToClose())
        emit TaskEnded(entry.title, entry.pid, entry.reason, entry.resultText());
}

void ScriptingBus::refuse(const std::optional<ScriptingError>& error, const QDBusMessage& call) {
    if (!error)
        return;
    call.setDelayedReply(true); // the error below is the only reply
    m_bus.send(call.createErrorReply(error->name, error->message));
}

QList<ScriptedTask> ScriptingBus::Tasks() {
    const std::vector<ScriptedTask> tasks = m_target.tasks();
    return QList<ScriptedTask>(tasks.begin(), tasks.end());
}

QStringList ScriptingBus::List(const QString& list, const QDBusMessage& call) {
    QStringList entries;
    refuse(m_target.list(list, entries), call);
    return entries;
}

void ScriptingBus::Add(const QString& list, const QString& title, const QDBusMessage& call) {
    refuse(m_target.add(list, title), call);
}

void ScriptingBus::Remove(const QString& list, const QString& title, const QDBusMessage& call) {
    refuse(m_target.remove(list, title), call);
}

void ScriptingBus::SetProtection(bool on) {
    m_target.setProtection(on);
}

bool ScriptingBus::ProtectionOn() {
    return m_target.protectionOn();
}

} // namespace platform
