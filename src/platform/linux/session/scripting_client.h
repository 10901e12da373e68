#pragma once

#include "platform/remote_scripting.h"

#include <QDBusConnection>
#include <QVariantList>

class QDBusMessage;

namespace platform {

// Calls io.github.torvane.Torvane1 of the Torvane that owns `service` on `bus` (see
// SingleInstance::busName).
class ScriptingClient : public RemoteScripting {
public:
    ScriptingClient(QDBusConnection bus, QString service);

    bool running() override;
    std::optional<QString> tasks(std::vector<ScriptedTask>& out) override;
    std::optional<QString> add(const QString& list, const QString& title) override;
    std::optional<QString> remove(const QString& list, const QString& title) override;
    std::optional<QString> setProtection(bool on) override;

private:
    std::optional<QString> call(const QString& method, const QVariantList& arguments, QDBusMessage* reply = nullptr);

    QDBusConnection m_bus;
    QString m_service;
};

} // namespace platform
