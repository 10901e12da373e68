#pragma once

#include "platform/activity.h"
#include "platform/scripting_target.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>

namespace platform {

struct BusTask {
    QString title;
    bool shown = false;
    uint pid = 0;
};

// io.github.torvane.Torvane1 at /io/github/torvane/Torvane: the program's scripting interface,
// described by data/io.github.torvane.Torvane1.xml.
class ScriptingBus : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.torvane.Torvane1")

public:
    static constexpr const char* kPath = "/io/github/torvane/Torvane";

    ScriptingBus(ScriptingTarget& target, QDBusConnection bus);
    ~ScriptingBus() override;
    // False when the path is taken on the bus.
    bool registered() const { return m_registered; }
    // Sends TaskEnded for an entry where Torvane ended a task or asked it to close.
    void announce(const ActivityEntry& entry);

signals:
    Q_SCRIPTABLE void TaskEnded(const QString& title, uint pid, const QString& reason, const QString& result);

public slots:
    Q_SCRIPTABLE QList<platform::BusTask> Tasks();
    Q_SCRIPTABLE QStringList List(const QString& list);
    Q_SCRIPTABLE void Add(const QString& list, const QString& title);
    Q_SCRIPTABLE void Remove(const QString& list, const QString& title);
    Q_SCRIPTABLE void SetProtection(bool on);
    Q_SCRIPTABLE bool ProtectionOn();

private:
    void refuse(const std::optional<ScriptingError>& error);

    ScriptingTarget& m_target;
    QDBusConnection m_bus;
    bool m_registered = false;
};

} // namespace platform

Q_DECLARE_METATYPE(platform::BusTask)
