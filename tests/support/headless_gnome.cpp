#include "support/headless_gnome.h"
#include "support/private_session.h"
#include "support/stop_child.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#ifndef TORVANE_SHELL_EXTENSION_DIR
#error "TORVANE_SHELL_EXTENSION_DIR names the extension staged in the build tree"
#endif

using namespace private_session;

namespace {

const QString ShellService = QStringLiteral("org.gnome.Shell");

QString readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A string array in GVariant's text form, as the key file keeps it.
QString variantStrings(const QStringList& items) {
    QStringList quoted;
    for (QString item : items)
        quoted << QLatin1Char('\'') + item.replace('\\', "\\\\").replace('\'', "\\'") + QLatin1Char('\'');
    return QLatin1Char('[') + quoted.join(QStringLiteral(", ")) + QLatin1Char(']');
}

} // namespace

QString HeadlessGnome::unavailableReason() {
    for (const char* program : {"gnome-shell", "dbus-daemon", "Xwayland"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            return QString::fromLatin1(program) + QStringLiteral(" is not installed");
    return {};
}

std::unique_ptr<HeadlessGnome> HeadlessGnome::start(const QStringList& allowedExecutables, QString& whyNot) {
    whyNot = unavailableReason();
    if (!whyNot.isEmpty())
        return nullptr;
    try {
        return std::make_unique<HeadlessGnome>(allowedExecutables);
    } catch (const NotStarted& e) {
        whyNot = QString::fromStdString(e.what());
        return nullptr;
    }
}

QProcessEnvironment HeadlessGnome::shellEnvironment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "SWAYSOCK", "I3SOCK", "XAUTHORITY",
                             "QT_QPA_PLATFORM", "XDG_SESSION_TYPE", "XDG_CURRENT_DESKTOP", "GSETTINGS_SCHEMA_DIR"})
        environment.remove(QString::fromLatin1(name));
    const QString dir = m_dir.path();
    environment.insert(QStringLiteral("HOME"), dir);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir + QStringLiteral("/data"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), dir + QStringLiteral("/cache"));
    environment.insert(QStringLiteral("XDG_STATE_HOME"), dir + QStringLiteral("/state"));
    environment.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
    environment.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), sessionBusAddress());
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=") + dir + "/system-bus");
    return environment;
}

HeadlessGnome::HeadlessGnome(const QStringList& allowedExecutables)
    : m_dir(QDir::tempPath() + QStringLiteral("/gnome-XXXXXX")) {
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    const QString dir = m_dir.path();
    const QDir folder(dir);
    for (const char* sub : {"run", "data/gnome-shell/extensions", "config/glib-2.0/settings", "cache", "state"})
        folder.mkpath(QString::fromLatin1(sub));
    chmod(QFile::encodeName(runtimeDir()).constData(), 0700);
    const QString extension = QStringLiteral(TORVANE_SHELL_EXTENSION_DIR);
    if (!QFile::link(extension, dir + "/data/gnome-shell/extensions/" + QFileInfo(extension).fileName()))
        throw std::runtime_error("cannot link the extension");
    if (!allowedExecutables.isEmpty() &&
        !writeFile(dir + "/config/glib-2.0/settings/keyfile",
                   QStringLiteral("[org/gnome/shell/extensions/torvane]\nallowed-executables=%1\n")
                       .arg(variantStrings(allowedExecutables))))
        throw std::runtime_error("cannot write the settings");
    const QProcessEnvironment environment = shellEnvironment();

    m_sessionBus = startBus(dir, QStringLiteral("session"), environment);
    m_systemBus = startBus(dir, QStringLiteral("system"), environment);
    if (m_sessionBus < 0 || m_systemBus < 0) {
        stop();
        throw std::runtime_error("dbus-daemon did not start");
    }

    const QString log = dir + QStringLiteral("/gnome-shell.log");
    m_shell = spawn({QStandardPaths::findExecutable(QStringLiteral("gnome-shell")), QStringLiteral("--headless"),
                     QStringLiteral("--wayland"), QStringLiteral("--virtual-monitor"), QStringLiteral("1024x768")},
                    environment, log);
    // Mutter names both displays in its log; the cookie file appears once XWayland is set up.
    static const QRegularExpression waylandName(QStringLiteral("Using Wayland display name '([^']+)'"));
    static const QRegularExpression x11Name(QStringLiteral("Using public X11 display (:[0-9]+)"));
    if (!waitFor(
            m_shell,
            [&] {
                const QString text = readFile(log);
                const QRegularExpressionMatch wayland = waylandName.match(text), x11 = x11Name.match(text);
                const QStringList cookies =
                    QDir(runtimeDir())
                        .entryList({QStringLiteral(".mutter-Xwaylandauth.*")}, QDir::Hidden | QDir::Files);
                if (!wayland.hasMatch() || !x11.hasMatch() || cookies.isEmpty())
                    return false;
                m_waylandDisplay = runtimeDir() + '/' + wayland.captured(1);
                m_xwaylandDisplay = x11.captured(1);
                m_xauthority = runtimeDir() + '/' + cookies.first();
                return QFile::exists(m_waylandDisplay) &&
                       QFile::exists(QStringLiteral("/tmp/.X11-unix/X") + m_xwaylandDisplay.mid(1));
            },
            50)) {
        stop();
        throw NotStarted("GNOME Shell did not start: " + lastLines(log).toStdString());
    }
    try {
        enableExtension();
    } catch (...) {
        stop();
        throw;
    }
}

// The shell ignores a request made before its extension system is up, so it is repeated until the
// extension reports itself enabled, or failed.
void HeadlessGnome::enableExtension() {
    const QString uuid = QFileInfo(QStringLiteral(TORVANE_SHELL_EXTENSION_DIR)).fileName();
    const QString name = QStringLiteral("headless-gnome-") + m_dir.path().section('/', -1);
    QString error = QStringLiteral("the shell never answered");
    {
        QDBusConnection bus = QDBusConnection::connectToBus(sessionBusAddress(), name);
        const auto call = [&](const QString& method) {
            QDBusMessage message = QDBusMessage::createMethodCall(ShellService, QStringLiteral("/org/gnome/Shell"),
                                                                  QStringLiteral("org.gnome.Shell.Extensions"), method);
            message << uuid;
            return bus.call(message, QDBus::Block, kWaitMs);
        };
        for (int waited = 0; waited <= kWaitMs && m_shell > 0; waited += 100) {
            call(QStringLiteral("EnableExtension"));
            const QDBusMessage info = call(QStringLiteral("GetExtensionInfo"));
            if (info.type() == QDBusMessage::ReplyMessage && !info.arguments().isEmpty()) {
                QVariantMap fields;
                info.arguments().first().value<QDBusArgument>() >> fields;
                const int state = qRound(fields.value(QStringLiteral("state")).toDouble());
                if (state == 1) // ENABLED
                    error.clear();
                else if (state == 3 || state == 4) // ERROR, OUT_OF_DATE
                    error = QStringLiteral("state %1: %2").arg(state).arg(fields.value("error").toString());
                if (error.isEmpty() || state == 3 || state == 4)
                    break;
            }
            usleep(100000);
            if (waitpid(m_shell, nullptr, WNOHANG) == m_shell)
                m_shell = -1;
        }
    }
    QDBusConnection::disconnectFromBus(name);
    if (!error.isEmpty())
        throw std::runtime_error("the extension was not enabled: " + error.toStdString());
}

HeadlessGnome::~HeadlessGnome() {
    stop();
}

void HeadlessGnome::stop() {
    stopChild(m_shell); // the shell ends XWayland
    stopChild(m_sessionBus);
    stopChild(m_systemBus);
}

QProcessEnvironment HeadlessGnome::clientEnvironment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("WAYLAND_SOCKET"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), m_waylandDisplay);
    environment.insert(QStringLiteral("DISPLAY"), m_xwaylandDisplay);
    environment.insert(QStringLiteral("XAUTHORITY"), m_xauthority);
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), sessionBusAddress());
    return environment;
}

std::unique_ptr<WaylandTestClient> HeadlessGnome::startClient(const QString& title, const QString& appId) const {
    return std::make_unique<WaylandTestClient>(clientEnvironment(), title, appId);
}
