#include "support/headless_sway.h"
#include "support/spawn_child.h"
#include "support/stop_child.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int WaitMs = 30000; // a bound against hanging, not a speed check
const QString XDisplayFile = QStringLiteral("xwayland-display");

// The environment sway starts with: this process's own, without anything that would point it or its
// children at another session.
std::vector<std::string> swayEnvironment(const QString& runtimeDir) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "SWAYSOCK", "I3SOCK", "XAUTHORITY"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    environment.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
    environment.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
    environment.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
    std::vector<std::string> entries;
    for (const QString& entry : environment.toStringList())
        entries.push_back(entry.toStdString());
    return entries;
}

QString lastLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = file.readAll();
    return QString::fromUtf8(text.right(1500));
}

} // namespace

QString HeadlessSway::unavailableReason() {
    static const QString reason = [] {
        if (QStandardPaths::findExecutable(QStringLiteral("sway")).isEmpty())
            return QStringLiteral("sway is not installed");
        if (QStandardPaths::findExecutable(QStringLiteral("unshare")).isEmpty())
            return QStringLiteral("unshare is not installed");
        QProcess probe;
        probe.start(QStringLiteral("unshare"), {QStringLiteral("-U"), QStringLiteral("--map-user=1000"),
                                                QStringLiteral("--map-group=1000"), QStringLiteral("true")});
        if (!probe.waitForFinished(WaitMs) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
            return QStringLiteral("user namespaces are not available (unshare -U failed)");
        return QString();
    }();
    return reason;
}

HeadlessSway::HeadlessSway() : m_runtimeDir(QDir::tempPath() + QStringLiteral("/headless-sway-XXXXXX")) {
    if (!m_runtimeDir.isValid())
        throw std::runtime_error("no temporary runtime folder");
    const QString dir = m_runtimeDir.path();
    // The namespace's user is not the folder's owner there, so it may write only when anyone may.
    chmod(QFile::encodeName(dir).constData(), 0777);
    const QString config = dir + QStringLiteral("/config");
    const QString log = dir + QStringLiteral("/sway.log");
    {
        // sway sets DISPLAY for its children once XWayland has its display number; one of them writes
        // it down, renaming so a reader never sees half of it.
        QFile file(config);
        const QString target = dir + QLatin1Char('/') + XDisplayFile;
        if (!file.open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write the sway configuration");
        file.write(QStringLiteral("xwayland enable\nexec sh -c \"echo \\$DISPLAY > %1.tmp && mv %1.tmp %1\"\n")
                       .arg(target)
                       .toUtf8());
    }

    std::vector<std::string> args = {QStandardPaths::findExecutable(QStringLiteral("unshare")).toStdString(),
                                     "-U",
                                     "--map-user=1000",
                                     "--map-group=1000",
                                     "sway",
                                     "-c",
                                     config.toStdString()};
    m_pid = spawnChild(std::move(args), swayEnvironment(dir), log);

    const QDir folder(dir);
    for (int waited = 0; m_waylandDisplay.isEmpty() || m_swaySocket.isEmpty() || m_xwaylandDisplay.isEmpty();
         waited += 10) {
        if (waitpid(m_pid, nullptr, WNOHANG) == m_pid)
            m_pid = -1; // ended by itself and reaped
        if (m_pid < 0 || waited > WaitMs) {
            stop();
            throw std::runtime_error("sway did not start: " + lastLines(log).toStdString());
        }
        usleep(10000);
        for (const QString& name : folder.entryList({QStringLiteral("wayland-*")}, QDir::System))
            if (!name.endsWith(QLatin1String(".lock")))
                m_waylandDisplay = folder.filePath(name);
        const QStringList ipc = folder.entryList({QStringLiteral("sway-ipc.*.sock")}, QDir::System);
        if (!ipc.isEmpty())
            m_swaySocket = folder.filePath(ipc.first());
        QFile display(folder.filePath(XDisplayFile));
        if (display.open(QIODevice::ReadOnly))
            m_xwaylandDisplay = QString::fromUtf8(display.readAll()).trimmed();
    }
}

HeadlessSway::~HeadlessSway() {
    stop();
}

void HeadlessSway::stop() {
    stopChild(m_pid);
}

QProcessEnvironment HeadlessSway::clientEnvironment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("WAYLAND_SOCKET"));
    environment.remove(QStringLiteral("XAUTHORITY"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), m_waylandDisplay);
    environment.insert(QStringLiteral("SWAYSOCK"), m_swaySocket);
    environment.insert(QStringLiteral("DISPLAY"), m_xwaylandDisplay);
    return environment;
}

std::unique_ptr<WaylandTestClient> HeadlessSway::startClient(const QString& title, const QString& appId) const {
    return std::make_unique<WaylandTestClient>(clientEnvironment(), title, appId);
}

bool HeadlessSway::command(const QString& text) const {
    QProcess swaymsg;
    swaymsg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    swaymsg.start(QStringLiteral("swaymsg"), {QStringLiteral("-s"), m_swaySocket, text});
    return swaymsg.waitForFinished(WaitMs) && swaymsg.exitStatus() == QProcess::NormalExit && swaymsg.exitCode() == 0;
}

QString WaylandTestClient::programPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/wayland_test_client");
}

WaylandTestClient::WaylandTestClient(const QProcessEnvironment& environment, const QString& title,
                                     const QString& appId) {
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList arguments{title};
    if (!appId.isEmpty())
        arguments << appId;
    m_process.start(programPath(), arguments);
    if (!m_process.waitForStarted(WaitMs))
        throw std::runtime_error("wayland_test_client did not start: " + m_process.errorString().toStdString());
    m_pid = static_cast<pid_t>(m_process.processId());
    if (!waitForLine("ready " + QByteArray::number(m_pid)))
        throw std::runtime_error("wayland_test_client did not map its window");
}

WaylandTestClient::~WaylandTestClient() {
    if (running()) {
        m_process.kill();
        m_process.waitForFinished(WaitMs);
    }
}

bool WaylandTestClient::waitForLine(const QByteArray& line) {
    for (;;) {
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(WaitMs))
                return false;
        }
        if (m_process.readLine().trimmed() == line)
            return true;
    }
}

bool WaylandTestClient::retitle(const QString& title) {
    if (!running())
        return false;
    m_process.write("title " + title.toUtf8() + '\n');
    return waitForLine("retitled");
}

bool WaylandTestClient::waitClosed() {
    return waitForLine("closed") && waitForExit();
}

bool WaylandTestClient::waitForExit() {
    return !running() || m_process.waitForFinished(WaitMs);
}
