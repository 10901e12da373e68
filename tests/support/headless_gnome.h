#pragma once

#include "support/headless_sway.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <stdexcept>
#include <sys/types.h>

// A private GNOME Shell for tests: headless, one virtual monitor, XWayland on, its own session and
// system buses, and its home, runtime, config and data folders in one temporary folder, with
// Torvane's extension from the build tree installed and enabled. GSettings keeps its values in a
// key file there, so the extension's allowed-executables can name the test's own callers before
// the shell starts. The constructor returns once the Wayland socket, XWayland and the enabled
// extension are there; the destructor stops the shell and the buses.
class HeadlessGnome {
public:
    // The shell itself did not come up here (e.g. no usable renderer): the tests skip on it.
    struct NotStarted : std::runtime_error {
        using std::runtime_error::runtime_error;
    };

    // Why no GNOME Shell can run here (a program missing); empty when it can. Tests skip with it.
    static QString unavailableReason();
    // A started shell, or null with `whyNot` set when none can run or the shell does not come up;
    // the extension failing still throws, as a fault of Torvane's rather than of the machine.
    static std::unique_ptr<HeadlessGnome> start(const QStringList& allowedExecutables, QString& whyNot);

    // `allowedExecutables` replaces the extension's default caller list when not empty. Throws
    // NotStarted when the shell does not start, std::runtime_error when the extension fails.
    explicit HeadlessGnome(const QStringList& allowedExecutables = {});
    ~HeadlessGnome();
    HeadlessGnome(const HeadlessGnome&) = delete;
    HeadlessGnome& operator=(const HeadlessGnome&) = delete;

    QString runtimeDir() const { return m_dir.path() + QStringLiteral("/run"); }
    QString sessionBusAddress() const { return QStringLiteral("unix:path=") + m_dir.path() + "/session-bus"; }
    // The absolute path of the Wayland socket, usable as WAYLAND_DISPLAY.
    const QString& waylandDisplay() const { return m_waylandDisplay; }
    // XWayland's ":N" and the cookie file it wants, as DISPLAY and XAUTHORITY.
    const QString& xwaylandDisplay() const { return m_xwaylandDisplay; }
    const QString& xauthority() const { return m_xauthority; }
    // WAYLAND_DISPLAY, DISPLAY, XAUTHORITY, XDG_RUNTIME_DIR and the session bus set, on top of this
    // process's own environment.
    QProcessEnvironment clientEnvironment() const;

    std::unique_ptr<WaylandTestClient> startClient(const QString& title, const QString& appId) const;

private:
    void stop();
    QProcessEnvironment shellEnvironment() const;
    void enableExtension();

    QTemporaryDir m_dir;
    pid_t m_sessionBus = -1;
    pid_t m_systemBus = -1;
    pid_t m_shell = -1;
    QString m_waylandDisplay;
    QString m_xwaylandDisplay;
    QString m_xauthority;
};
