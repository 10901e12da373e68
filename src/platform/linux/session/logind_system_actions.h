#pragma once

#include "platform/system_actions.h"

#include <QString>

class QDBusConnection;

namespace platform {

// The shut-down call over systemd-logind on the D-Bus. The stages that can fail carry the texts
// the program reports: no bus, no logind answering, or logind refusing the caller the action.
// Shut down and power off power the machine off, reboot and restart of applications reboot it,
// log off ends this process's session. Without the force flag a block inhibitor on shutdown
// held by any program vetoes the action silently.
class LogindSystemActions : public SystemActions {
public:
    // An empty address means the system bus; tests hand in the address of a private bus.
    explicit LogindSystemActions(const QString& busAddress = QString(), int callTimeoutMs = 10000);
    ~LogindSystemActions() override;
    LogindSystemActions(const LogindSystemActions&) = delete;
    LogindSystemActions& operator=(const LogindSystemActions&) = delete;

    QString exitWindows(std::uint32_t flags) override;

    // The bus connection's name. The final request is sent without waiting for its answer; a
    // later call on the same connection is delivered after it.
    const QString& connectionName() const { return m_connectionName; }

private:
    QDBusConnection connection();
    bool logindAnswers(QDBusConnection& bus);
    bool mayPerform(QDBusConnection& bus, const QString& canMethod);
    QString ownSessionPath(QDBusConnection& bus);
    bool blockedByInhibitor(QDBusConnection& bus);

    QString m_address;
    QString m_connectionName;
    int m_timeoutMs;
};

} // namespace platform
