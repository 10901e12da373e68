#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// One run of the x11_child program (built beside the test executables) on a given display: the
// constructor returns once its windows exist (throws std::runtime_error when it fails to start);
// the destructor kills it if it still runs. One killed before it got ready (a kill-listed window
// can die that fast) returns without windows, no longer running.
class X11Child {
public:
    struct Window {
        std::uint32_t client = 0; // the window that carries the title
        std::uint32_t top = 0;    // the child of the root: the client itself or its frame
    };

    X11Child(const QString& display, const QStringList& arguments);
    ~X11Child();
    X11Child(const X11Child&) = delete;
    X11Child& operator=(const X11Child&) = delete;

    std::uint32_t pid() const { return m_pid; }
    const std::vector<Window>& windows() const { return m_windows; }
    // Waits for the program to end by itself or by a signal; false when it is still running after
    // a generous bound.
    bool waitForExit();
    bool running() const { return m_process.state() != QProcess::NotRunning; }
    // Whether it ended by a signal (e.g. was killed) rather than returning.
    bool crashed() const { return m_process.exitStatus() == QProcess::CrashExit; }
    int exitCode() const { return m_process.exitCode(); }
    // What it printed after "ready" and was not read yet.
    QByteArray output() { return m_process.readAllStandardOutput(); }

    static QString programPath();

private:
    QProcess m_process;
    std::uint32_t m_pid = 0;
    std::vector<Window> m_windows;
};
