#pragma once

#include "platform/linux/wayland/session_windows.h"
#include "platform/linux/x11/x11_window_system.h"
#include <QMap>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <initializer_list>
#include <optional>

// The built program, copied into a temporary folder (its BaseDir) and started on a display. It sees
// no session bus unless `environment` names one.
class RunningTorvane {
public:
    // `prepare` may lay files into the BaseDir before the program starts; `environment` adds to or
    // replaces the test's own; a non-empty `executable` is started where it is instead of a copy.
    explicit RunningTorvane(const QString& display,
                            const std::function<void(const QString& baseDir)>& prepare = nullptr,
                            const QMap<QString, QString>& environment = {}, const QString& executable = {});
    ~RunningTorvane();

    const QString& baseDir() const { return m_baseDir; }
    QProcess& process() { return m_process; }
    bool waitForExit(int ms);

private:
    QTemporaryDir m_dir;
    QString m_baseDir;
    QProcess m_process;
};

// The first shown top-level window whose title starts with `prefix` (the main window's caption
// grows a status after the first tick), or else the first hidden one.
std::optional<platform::WindowInfo> findWindowByPrefix(platform::X11WindowSystem& x, const QString& prefix);

// Runs xdotool on `display`; true when it succeeded.
bool runXdotool(const QString& display, const QStringList& arguments);

// Polls `condition` while the event loop runs, up to `ms` milliseconds.
bool waitUntil(const std::function<bool()>& condition, int ms);

// "Settings.ini" as a first start saves it, with the given records (counted from 1) switched on too.
QByteArray firstStartSettings(std::initializer_list<int> alsoOn = {});
// A `prepare` step for RunningTorvane that lays `settings` down as its "Settings.ini".
std::function<void(const QString& baseDir)> withSettings(const QByteArray& settings);

// Openbox managing `display`, with its configuration and cache in a folder of its own.
class Openbox {
public:
    explicit Openbox(const QString& display);
    ~Openbox();
    bool running() const { return m_process.state() == QProcess::Running; }

private:
    QTemporaryDir m_home;
    QProcess m_process;
};

// How Torvane's merged view of a Wayland session lists its main window and the window "Safe native":
// each by the first seven characters of its title and its kind, e.g. "Safe na native, Torvane X11".
// Copies the built program and its help into `dir`, where it then keeps its lists: "Safe native"
// in the Safe List, "Doomed native" and every caption its own main window can show in the Kill
// List. Returns the copy's path; throws std::runtime_error when a file cannot be written.
QString torvaneWithNativeLists(const QString& dir);

std::string mainAndSafeAsTorvaneSees(platform::X11WindowSystem& x11, platform::SessionWindows session);
