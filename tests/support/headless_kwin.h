#pragma once

#include "support/headless_sway.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <sys/types.h>

// A private KWin for tests: a virtual output, XWayland on, its own session and system buses, and
// its home, runtime, data and cache folders in one temporary folder. KWin shows every window only
// to programs whose desktop entry starts them by their absolute path; `trusted` names them, and
// their entries are in KService's cache before KWin starts. The constructor returns once the
// Wayland socket and XWayland's display exist (throws std::runtime_error when KWin does not
// start); the destructor stops KWin and the buses.
class HeadlessKwin {
public:
    // Why no KWin can run here (a program missing); empty when it can. Tests skip with this reason.
    static QString unavailableReason();

    explicit HeadlessKwin(const QStringList& trusted);
    ~HeadlessKwin();
    HeadlessKwin(const HeadlessKwin&) = delete;
    HeadlessKwin& operator=(const HeadlessKwin&) = delete;

    QString runtimeDir() const { return m_dir.path() + QStringLiteral("/run"); }
    // The absolute path of the Wayland socket, usable as WAYLAND_DISPLAY.
    const QString& waylandDisplay() const { return m_waylandDisplay; }
    // XWayland's ":N", as DISPLAY.
    const QString& xwaylandDisplay() const { return m_xwaylandDisplay; }
    // WAYLAND_DISPLAY, DISPLAY and XDG_RUNTIME_DIR set, on top of this process's own environment.
    QProcessEnvironment clientEnvironment() const;

    std::unique_ptr<WaylandTestClient> startClient(const QString& title) const;

private:
    void stop();
    QProcessEnvironment kdeEnvironment() const;

    QTemporaryDir m_dir;
    pid_t m_sessionBus = -1;
    pid_t m_systemBus = -1;
    pid_t m_kwin = -1;
    QString m_waylandDisplay;
    QString m_xwaylandDisplay;
};
