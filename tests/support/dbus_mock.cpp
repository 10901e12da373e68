#include "support/dbus_mock.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace {

bool writeText(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(text.toUtf8()) >= 0;
}

} // namespace

// Debian's python3-dbusmock lives in the system interpreter's packages, which a python3 earlier
// on PATH (a virtual environment, pyenv) may not see.
QString DBusMockLogind::python() {
    if (QFile::exists(QStringLiteral("/usr/bin/python3")))
        return QStringLiteral("/usr/bin/python3");
    return QStandardPaths::findExecutable(QStringLiteral("python3"));
}

bool DBusMockLogind::available() {
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty() || python().isEmpty())
        return false;
    QProcess probe;
    probe.start(python(), {QStringLiteral("-c"), QStringLiteral("import dbusmock")});
    return probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
}

bool DBusMockLogind::writeFiles(const QString& templateParameters, bool withLogind) {
    const QString dir = m_dir.path();
    const QString config =
        QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                       " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                       "<busconfig>\n"
                       "  <type>session</type>\n"
                       "  <listen>unix:path=%1/bus</listen>\n"
                       "  <auth>EXTERNAL</auth>\n"
                       "  <servicedir>%1/services</servicedir>\n"
                       "  <policy context=\"default\">\n"
                       "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                       "    <allow eavesdrop=\"true\"/>\n"
                       "    <allow own=\"*\"/>\n"
                       "  </policy>\n"
                       "</busconfig>\n")
            .arg(dir);
    if (!writeText(dir + QStringLiteral("/bus.conf"), config) || !QDir().mkpath(dir + QStringLiteral("/services")))
        return false;
    if (!withLogind)
        return true;

    QString parameters = templateParameters;
    parameters.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    const QString script = QStringLiteral("#!/bin/sh\n"
                                          "export DBUS_SYSTEM_BUS_ADDRESS='unix:path=%1/bus'\n"
                                          "exec '%2' -m dbusmock --template logind -l '%1/logind.log' -p '%3'\n")
                               .arg(dir, python(), parameters);
    const QString scriptPath = dir + QStringLiteral("/start-logind");
    if (!writeText(scriptPath, script) ||
        !QFile::setPermissions(scriptPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return false;
    const QString service = QStringLiteral("[D-BUS Service]\nName=org.freedesktop.login1\nExec=%1\n").arg(scriptPath);
    return writeText(dir + QStringLiteral("/services/org.freedesktop.login1.service"), service);
}

DBusMockLogind::DBusMockLogind(const QString& templateParameters, bool withLogind) {
    if (!m_dir.isValid() || !writeFiles(templateParameters, withLogind)) {
        m_error = QStringLiteral("cannot write the bus configuration");
        return;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : env.keys()) {
        if (name.startsWith(QLatin1String("DBUS_")))
            env.remove(name);
    }
    m_daemon.setProcessEnvironment(env);
    m_daemon.setProcessChannelMode(QProcess::SeparateChannels);
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--config-file=") + m_dir.path() + QStringLiteral("/bus.conf"),
                    QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    if (!m_daemon.waitForStarted(30000)) {
        m_error = QStringLiteral("dbus-daemon did not start: ") + m_daemon.errorString();
        return;
    }
    // The daemon prints its address once it listens.
    QByteArray line;
    while (!line.contains('\n') && m_daemon.state() == QProcess::Running && m_daemon.waitForReadyRead(30000))
        line += m_daemon.readAllStandardOutput();
    if (!line.contains('\n')) {
        m_error =
            QStringLiteral("dbus-daemon gave no address: ") + QString::fromLocal8Bit(m_daemon.readAllStandardError());
        return;
    }
    m_address = QString::fromUtf8(line.left(line.indexOf('\n'))).trimmed();
}

DBusMockLogind::~DBusMockLogind() {
    // The mock leaves by itself when its bus goes away.
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(10000)) {
            m_daemon.kill();
            m_daemon.waitForFinished(10000);
        }
    }
}

QString DBusMockLogind::callLog() const {
    QFile file(m_dir.path() + QStringLiteral("/logind.log"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}
