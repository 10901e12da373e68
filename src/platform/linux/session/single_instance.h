#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>

class QDBusConnection;

namespace platform {

// One Torvane per user and display: the first one owns a well-known name on the session bus and
// answers org.freedesktop.Application.Activate there; a later start asks it to show its window
// and ends.
class SingleInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    enum class Outcome {
        First,     // this process owns the name now
        Activated, // another one runs and was asked to show itself
        NoBus,     // no session bus: nothing to coordinate with
        Failed,    // another one owns the name but did not answer
    };

    // `appId` is the program's reverse-DNS id; `display` the X display the program runs on.
    SingleInstance(const QString& appId, const QString& display);
    ~SingleInstance() override;

    // Claims the name, or asks its owner to show itself.
    Outcome claim();

    // The well-known name for `appId` on `display` (":0.0" and ":0" name the same display).
    static QString busName(const QString& appId, const QString& display);
    static QString objectPath(const QString& appId);

    // Runs when another start asks this one to show itself.
    std::function<void()> onActivate;

public slots:
    void Activate(const QVariantMap& platformData);

private:
    QString m_name;
    QString m_path;
    bool m_registered = false;
};

// True when the session bus has a StatusNotifierItem host, which is when Qt shows the tray icon
// through D-Bus; such hosts report a click as a trigger and never a double click.
bool statusNotifierHostRegistered();
bool statusNotifierHostRegistered(const QDBusConnection& bus);

} // namespace platform
