#include "support/headless_kwin.h"
#include "support/private_session.h"
#include "support/stop_child.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <stdexcept>
#include <string>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace private_session;

namespace {

const QString SocketName = QStringLiteral("wayland-kwin");

// XWayland's display is the one whose lock file KWin made: the file holds KWin's process id.
QString displayLockedBy(pid_t pid) {
    for (const QString& name :
         QDir(QStringLiteral("/tmp")).entryList({QStringLiteral(".X*-lock")}, QDir::Hidden | QDir::Files)) {
        QFile lock(QStringLiteral("/tmp/") + name);
        if (lock.open(QIODevice::ReadOnly) && lock.readAll().trimmed().toLongLong() == pid)
            return QLatin1Char(':') + name.mid(2, name.size() - 7);
    }
    return {};
}

} // namespace

QString HeadlessKwin::unavailableReason() {
    for (const char* program : {"kwin_wayland", "kbuildsycoca5", "dbus-daemon", "Xwayland"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            return QString::fromLatin1(program) + QStringLiteral(" is not installed");
    return {};
}

QProcessEnvironment HeadlessKwin::kdeEnvironment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "SWAYSOCK", "I3SOCK", "XAUTHORITY",
                             "QT_QPA_PLATFORM", "KDE_FULL_SESSION", "XDG_SESSION_TYPE",
                             // KWin finds its own defaults in the machine's configuration folders.
                             "XDG_CONFIG_DIRS"})
        environment.remove(QString::fromLatin1(name));
    const QString dir = m_dir.path();
    environment.insert(QStringLiteral("HOME"), dir);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir + QStringLiteral("/data"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), dir + QStringLiteral("/cache"));
    environment.insert(QStringLiteral("XDG_STATE_HOME"), dir + QStringLiteral("/state"));
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=") + dir + "/session-bus");
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=") + dir + "/system-bus");
    return environment;
}

HeadlessKwin::HeadlessKwin(const QStringList& trusted) : m_dir(QDir::tempPath() + QStringLiteral("/kwin-XXXXXX")) {
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    const QString dir = m_dir.path();
    const QDir folder(dir);
    for (const char* sub : {"run", "data/applications", "config", "cache", "state"})
        folder.mkpath(QString::fromLatin1(sub));
    chmod(QFile::encodeName(runtimeDir()).constData(), 0700);
    const QProcessEnvironment environment = kdeEnvironment();

    m_sessionBus = startBus(dir, QStringLiteral("session"), environment);
    m_systemBus = startBus(dir, QStringLiteral("system"), environment);
    if (m_sessionBus < 0 || m_systemBus < 0) {
        stop();
        throw std::runtime_error("dbus-daemon did not start");
    }

    for (int i = 0; i < trusted.size(); ++i) {
        const QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=Trusted %1\nExec=%2\n"
                                             "X-KDE-Wayland-Interfaces=org_kde_plasma_window_management\n")
                                  .arg(i)
                                  .arg(trusted[i]);
        if (!writeFile(dir + QStringLiteral("/data/applications/trusted-%1.desktop").arg(i), entry)) {
            stop();
            throw std::runtime_error("cannot write a desktop entry");
        }
    }
    QProcess sycoca;
    sycoca.setProcessEnvironment(environment);
    sycoca.setProcessChannelMode(QProcess::MergedChannels);
    sycoca.start(QStringLiteral("kbuildsycoca5"), {QStringLiteral("--noincremental")});
    if (!sycoca.waitForFinished(kWaitMs) || sycoca.exitCode() != 0) {
        sycoca.kill();
        sycoca.waitForFinished(kWaitMs);
        stop();
        throw std::runtime_error("kbuildsycoca5 failed: " + sycoca.readAll().right(1500).toStdString());
    }

    // The installed binary carries a file capability, which exec refuses in a container; a copy of
    // the same name (KWin's platform plugin checks it) runs.
    const QString kwin = dir + QStringLiteral("/kwin_wayland");
    if (!QFile::copy(QStandardPaths::findExecutable(QStringLiteral("kwin_wayland")), kwin)) {
        stop();
        throw std::runtime_error("cannot copy kwin_wayland");
    }
    const QString log = dir + QStringLiteral("/kwin.log");
    m_kwin = spawn({kwin, QStringLiteral("--virtual"), QStringLiteral("--xwayland"), QStringLiteral("--socket"),
                    SocketName, QStringLiteral("--no-lockscreen"), QStringLiteral("--no-global-shortcuts"),
                    QStringLiteral("--no-kactivities")},
                   environment, log);
    const QString socket = runtimeDir() + '/' + SocketName;
    if (!waitFor(m_kwin, [&] {
            if (m_xwaylandDisplay.isEmpty())
                m_xwaylandDisplay = displayLockedBy(m_kwin);
            return QFile::exists(socket) && !m_xwaylandDisplay.isEmpty() &&
                   QFile::exists(QStringLiteral("/tmp/.X11-unix/X") + m_xwaylandDisplay.mid(1));
        })) {
        stop();
        throw std::runtime_error("KWin did not start: " + lastLines(log).toStdString());
    }
    m_waylandDisplay = socket;
}

HeadlessKwin::~HeadlessKwin() {
    stop();
}

void HeadlessKwin::stop() {
    stopChild(m_kwin); // KWin ends XWayland
    stopChild(m_sessionBus);
    stopChild(m_systemBus);
}

QProcessEnvironment HeadlessKwin::clientEnvironment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("WAYLAND_SOCKET"));
    environment.remove(QStringLiteral("XAUTHORITY"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), m_waylandDisplay);
    environment.insert(QStringLiteral("DISPLAY"), m_xwaylandDisplay);
    return environment;
}

std::unique_ptr<WaylandTestClient> HeadlessKwin::startClient(const QString& title) const {
    return std::make_unique<WaylandTestClient>(clientEnvironment(), title, QString());
}
