#include "e2e/running_torvane.h"
#include "lists/list_file.h"
#include "platform/linux/wayland/merged_window_system.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <stdexcept>

RunningTorvane::RunningTorvane(const QString& display, const std::function<void(const QString&)>& prepare,
                               const QMap<QString, QString>& environment, const QString& executable) {
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    m_baseDir = m_dir.path() + QLatin1Char('/');
    QString exe = executable;
    if (exe.isEmpty()) {
        exe = m_baseDir + QStringLiteral("torvane");
        if (!QFile::copy(QStringLiteral(TORVANE_EXE), exe))
            throw std::runtime_error("cannot copy the program");
        QDir().mkpath(m_baseDir + QStringLiteral("Help"));
        for (const QString& name : QDir(QStringLiteral(TORVANE_HELP_DIR)).entryList(QDir::Files))
            QFile::copy(QStringLiteral(TORVANE_HELP_DIR "/") + name, m_baseDir + QStringLiteral("Help/") + name);
    }
    if (prepare)
        prepare(m_baseDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    // Never the machine's session bus: a socket nobody listens on leaves the program without one.
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=") + m_baseDir + "no-bus");
    for (auto it = environment.begin(); it != environment.end(); ++it)
        env.insert(it.key(), it.value());
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    m_process.start(exe, {});
    if (!m_process.waitForStarted(10000))
        throw std::runtime_error("torvane did not start");
}

RunningTorvane::~RunningTorvane() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool RunningTorvane::waitForExit(int ms) {
    return m_process.state() == QProcess::NotRunning || m_process.waitForFinished(ms);
}

bool waitUntil(const std::function<bool()>& condition, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        if (condition())
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    return condition();
}

std::optional<platform::WindowInfo> findWindowByPrefix(platform::X11WindowSystem& x, const QString& prefix) {
    std::optional<platform::WindowInfo> hidden;
    for (const platform::WindowInfo& w : x.topLevelWindows()) {
        if (!w.title.startsWith(prefix))
            continue;
        if (w.visible)
            return w;
        if (!hidden)
            hidden = w;
    }
    return hidden;
}

bool runXdotool(const QString& display, const QStringList& arguments) {
    QProcess p;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    p.setProcessEnvironment(environment);
    p.start(QStringLiteral("xdotool"), arguments);
    return p.waitForFinished(10000) && p.exitCode() == 0;
}

QByteArray firstStartSettings(std::initializer_list<int> alsoOn) {
    QByteArray records(28, '\0');
    for (int record : {3, 4, 5, 7, 9, 10, 11, 16, 18, 19, 20, 23, 24, 28})
        records[record - 1] = 1;
    for (int record : alsoOn)
        records[record - 1] = 1;
    return records;
}

std::function<void(const QString&)> withSettings(const QByteArray& settings) {
    return [settings](const QString& baseDir) {
        QFile file(baseDir + "Settings.ini");
        if (!file.open(QIODevice::WriteOnly) || file.write(settings) != settings.size())
            throw std::runtime_error("cannot write Settings.ini");
    };
}

Openbox::Openbox(const QString& display) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display);
    for (const char* variable : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        environment.insert(variable, m_home.path());
    m_process.setProcessEnvironment(environment);
    m_process.start("openbox", {"--sm-disable"});
    if (!m_process.waitForStarted(20000))
        throw std::runtime_error("openbox did not start");
}

Openbox::~Openbox() {
    m_process.kill();
    m_process.waitForFinished(5000);
}

std::string mainAndSafeAsTorvaneSees(platform::X11WindowSystem& x11, platform::SessionWindows session) {
    platform::MergedWindowSystem merged(x11, std::move(session.source), session.xwayland, {0, {"torvane"}});
    QStringList seen;
    for (const platform::WindowInfo& w : merged.topLevelWindows())
        if (w.title.startsWith("Torvane  ") || w.title == "Safe native")
            seen << w.title.left(7) + (platform::MergedWindowSystem::isNative(w.handle) ? " native" : " X11");
    return seen.join(", ").toStdString();
}

QString torvaneWithNativeLists(const QString& dir) {
    const QString exe = dir + QStringLiteral("/torvane");
    if (!QFile::copy(TORVANE_EXE, exe) || !QDir().mkpath(dir + QStringLiteral("/Help")))
        throw std::runtime_error("cannot copy the program");
    for (const QString& name : QDir(TORVANE_HELP_DIR).entryList(QDir::Files))
        QFile::copy(QStringLiteral(TORVANE_HELP_DIR "/") + name, dir + QStringLiteral("/Help/") + name);
    TaskList kill{{"Doomed native", 0}, {"Torvane", 0}};
    for (int percent = 0; percent <= 100; ++percent) {
        kill.push_back({QStringLiteral("Torvane  %1 % free memory").arg(percent), 0});
        kill.push_back({QStringLiteral("Torvane  %1 % free memory, 0 C core temperature").arg(percent), 0});
    }
    QFile list(defaultListFilePath(dir + '/'));
    if (!list.open(QIODevice::WriteOnly) || list.write(encodeListFile({{"Safe native", 0}}, kill)) < 0)
        throw std::runtime_error("cannot write the lists");
    return exe;
}
