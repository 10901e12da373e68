#pragma once
// A private D-Bus daemon for tests of the logind client. The daemon starts python3-dbusmock's
// logind template by bus activation at the first message to org.freedesktop.login1, so tests
// never reach the machine's own logind. Needs the packages dbus-daemon and python3-dbusmock.

#include <QProcess>
#include <QString>
#include <QDir>
#include <QTemporaryDir>

class DBusMockLogind {
public:
    // `templateParameters`: the template's JSON parameters, e.g. {"CanPowerOff": "no"}. Without
    // `withLogind` the bus has no logind to start.
    explicit DBusMockLogind(const QString& templateParameters = QStringLiteral("{}"), bool withLogind = true);
    ~DBusMockLogind();
    DBusMockLogind(const DBusMockLogind&) = delete;
    DBusMockLogind& operator=(const DBusMockLogind&) = delete;

    bool running() const { return !m_address.isEmpty(); }
    // Why the daemon did not start.
    const QString& error() const { return m_error; }
    const QString& address() const { return m_address; }
    // The calls the mock logged, one line each ("timestamp method args").
    QString callLog() const;

    // True when dbus-daemon and python3-dbusmock are installed.
    static bool available();

private:
    static QString python();
    bool writeFiles(const QString& templateParameters, bool withLogind);

    // Named here: the default name follows the application's name, which may hold a blank, and a
    // bus address may not.
    QTemporaryDir m_dir{QDir::tempPath() + QStringLiteral("/torvane-bus-XXXXXX")};
    QProcess m_daemon;
    QString m_address;
    QString m_error;
};
