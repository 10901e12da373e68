#include "support/x11_child.h"

#include <QCoreApplication>
#include <stdexcept>

namespace {
constexpr int WaitMs = 30000; // a bound against hanging, not a speed check
}

QString X11Child::programPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/x11_child");
}

X11Child::X11Child(const QString& display, const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(programPath(), arguments);
    if (!m_process.waitForStarted(WaitMs))
        throw std::runtime_error("x11_child did not start: " + m_process.errorString().toStdString());
    m_pid = static_cast<std::uint32_t>(m_process.processId());
    for (;;) {
        while (!m_process.canReadLine()) {
            if (m_process.waitForReadyRead(WaitMs))
                continue;
            // A kill-listed window may be killed before the child's round trip is back.
            if (m_process.state() == QProcess::NotRunning && m_process.exitStatus() == QProcess::CrashExit)
                return;
            throw std::runtime_error("x11_child did not get ready");
        }
        const QList<QByteArray> words = m_process.readLine().trimmed().split(' ');
        if (words.value(0) == "ready")
            break;
        if (words.size() == 3 && words[0] == "window")
            m_windows.push_back({words[1].toUInt(), words[2].toUInt()});
    }
}

X11Child::~X11Child() {
    if (running()) {
        m_process.kill();
        m_process.waitForFinished(WaitMs);
    }
}

bool X11Child::waitForExit() {
    return !running() || m_process.waitForFinished(WaitMs);
}
