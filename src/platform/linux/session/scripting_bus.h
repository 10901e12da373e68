#pragma once

#include "platform/activity.h"
#include "platform/scripting_target.h"

#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>

namespace platform {

// A task on the bus: the structure (sbu).
QDBusArgument& operator<<(QDBusArgument& out, const ScriptedTask& task);
const QDBusArgument& operator>>(const QDBusArgument& in, ScriptedTask& task);

// io.github.torvane.Torvane1 at /io/github/torvane/Torvane: the program's scripting interface,
// described by data/io.github.torvane.Torvane1.xml. The bus allows one object per path, and the
// program's org.freedesktop.Application object is there already: this interface is an adaptor
// added to it (to any `host` registered at that path with ExportAdaptors).
class ScriptingBus : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.torvane.Torvane1")

public:
    static constexpr const char* kPath = "/io/github/torvane/Torvane";
    static constexpr const char* kInterface = "io.github.torvane.Torvane1";

    // `host` outlives this adaptor; refusals are answered on `bus`, where the host is registered.
    ScriptingBus(ScriptingTarget& target, QObject& host, QDBusConnection bus);
    // Sends TaskEnded for an entry where Torvane ended a task or asked it to close.
    void announce(const ActivityEntry& entry);

signals:
    Q_SCRIPTABLE void TaskEnded(const QString& title, uint pid, const QString& reason, const QString& result);

public slots:
    Q_SCRIPTABLE QList<platform::ScriptedTask> Tasks();
    // The message is the call itself, so a refusal can answer it with an error (an adaptor has no
    // QDBusContext); it is not part of the interface.
    Q_SCRIPTABLE QStringList List(const QString& list, const QDBusMessage& call);
    Q_SCRIPTABLE void Add(const QString& list, const QString& title, const QDBusMessage& call);
    Q_SCRIPTABLE void Remove(const QString& list, const QString& title, const QDBusMessage& call);
    Q_SCRIPTABLE void SetProtection(bool on);
    Q_SCRIPTABLE bool ProtectionOn();

private:
    void refuse(const std::optional<ScriptingError>& error, const QDBusMessage& call);

    ScriptingTarget& m_target;
    QDBusConnection m_bus;
};

} // namespace platform

Q_DECLARE_METATYPE(platform::ScriptedTask)
