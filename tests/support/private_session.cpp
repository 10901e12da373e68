#include "support/private_session.h"
#include "support/spawn_child.h"

#include <QFile>
#include <QStandardPaths>
#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace private_session {

pid_t spawn(const QStringList& arguments, const QProcessEnvironment& environment, const QString& log) {
    std::vector<std::string> args, env;
    for (const QString& a : arguments)
        args.push_back(QFile::encodeName(a).toStdString());
    for (const QString& e : environment.toStringList())
        env.push_back(e.toStdString());
    return spawnChild(std::move(args), std::move(env), log);
}

bool writeFile(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

QString lastLines(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll().right(1500)) : QString();
}

bool waitFor(pid_t& pid, const std::function<bool()>& ready, int stepMs) {
    for (int waited = 0; waited <= kWaitMs; waited += stepMs) {
        if (ready())
            return true;
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            pid = -1; // ended by itself and reaped
            return false;
        }
        usleep(useconds_t(stepMs) * 1000);
    }
    return false;
}

pid_t startBus(const QString& dir, const QString& type, const QProcessEnvironment& environment) {
    const QString config = dir + '/' + type + QStringLiteral("-bus.conf");
    const QString socket = dir + '/' + type + QStringLiteral("-bus");
    const QString text =
        QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                       " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                       "<busconfig><type>%1</type><listen>unix:path=%2</listen><auth>EXTERNAL</auth>\n"
                       "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                       "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n")
            .arg(type, socket);
    if (!writeFile(config, text))
        return -1;
    pid_t bus =
        spawn({QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")), QStringLiteral("--config-file=") + config,
               QStringLiteral("--nofork"), QStringLiteral("--nopidfile")},
              environment, dir + '/' + type + QStringLiteral("-bus.log"));
    if (!waitFor(bus, [&] { return QFile::exists(socket); })) {
        if (bus > 0) {
            kill(bus, SIGKILL);
            waitpid(bus, nullptr, 0);
        }
        return -1;
    }
    return bus;
}

} // namespace private_session
