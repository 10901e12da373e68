#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <sys/types.h>

// One run of the wayland_test_client program (built beside the test executables) on a compositor:
// the constructor returns once its window is mapped (throws std::runtime_error when it fails); the
// destructor kills it if it still runs.
class WaylandTestClient {
public:
    WaylandTestClient(const QProcessEnvironment& environment, const QString& title, const QString& appId);
    ~WaylandTestClient();
    WaylandTestClient(const WaylandTestClient&) = delete;
    WaylandTestClient& operator=(const WaylandTestClient&) = delete;

    pid_t pid() const { return m_pid; }
    // Sets a new title; returns once the compositor has received it (false when the client is gone).
    bool retitle(const QString& title);
    // Waits for the compositor to ask the window to close (the client then exits); false when it
    // did not within a generous bound.
    bool waitClosed();
    // Waits for the client to end in any way (e.g. killed); false when it still runs.
    bool waitForExit();
    bool running() const { return m_process.state() != QProcess::NotRunning; }

    static QString programPath();

private:
    bool waitForLine(const QByteArray& line);

    QProcess m_process;
    pid_t m_pid = 0;
};

// A private sway for tests: headless outputs, pixman rendering, no input devices, XWayland on, in a
// temporary XDG_RUNTIME_DIR. sway refuses to run as root, so it runs as user 1000 of a new user
// namespace (which is this user outside it). The constructor returns once the Wayland and IPC
// sockets and XWayland's display exist (throws std::runtime_error when sway does not start); the
// destructor stops sway, which ends XWayland and the clients' connections.
class HeadlessSway {
public:
    // Why no headless sway can run here (not installed, no user namespaces); empty when it can.
    // Tests skip with this reason.
    static QString unavailableReason();

    HeadlessSway();
    ~HeadlessSway();
    HeadlessSway(const HeadlessSway&) = delete;
    HeadlessSway& operator=(const HeadlessSway&) = delete;

    QString runtimeDir() const { return m_runtimeDir.path(); }
    // The absolute path of the Wayland socket, usable as WAYLAND_DISPLAY.
    const QString& waylandDisplay() const { return m_waylandDisplay; }
    // The IPC socket, as SWAYSOCK.
    const QString& swaySocket() const { return m_swaySocket; }
    // XWayland's ":N", as DISPLAY; XWayland starts when the first X client connects.
    const QString& xwaylandDisplay() const { return m_xwaylandDisplay; }
    pid_t pid() const { return m_pid; }
    // The environment of a client of this sway: WAYLAND_DISPLAY, SWAYSOCK, DISPLAY and
    // XDG_RUNTIME_DIR set, on top of this process's own environment.
    QProcessEnvironment clientEnvironment() const;

    std::unique_ptr<WaylandTestClient> startClient(const QString& title, const QString& appId = QString()) const;
    // Runs a sway command through swaymsg (e.g. "[title=x] move scratchpad"); true when sway
    // reports success.
    bool command(const QString& text) const;

private:
    void stop();

    QTemporaryDir m_runtimeDir;
    pid_t m_pid = -1;
    QString m_waylandDisplay;
    QString m_swaySocket;
    QString m_xwaylandDisplay;
};
