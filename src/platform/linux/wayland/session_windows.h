#pragma once

#include "platform/linux/wayland/gnome_windows.h"
#include "platform/linux/wayland/kde_windows.h"
#include "platform/linux/wayland/merged_window_system.h"
#include "platform/linux/wayland/sway_ipc.h"
#include "platform/linux/wayland/wlr_toplevels.h"

#include <QString>
#include <functional>
#include <memory>

namespace platform {

// What the session tells about its compositor.
struct SessionEnvironment {
    QString waylandDisplay; // WAYLAND_DISPLAY; empty in an X11 session
    QString swaySocket;     // SWAYSOCK (or I3SOCK)
    QString desktop{};      // XDG_CURRENT_DESKTOP, e.g. "ubuntu:GNOME"
    QString sessionBus{};   // the address of the bus GNOME Shell is on; empty: the session bus
    static SessionEnvironment ofThisProcess();
};

// The compositor's windows chosen for a session.
struct SessionWindows {
    std::unique_ptr<NativeWindowSource> source; // null: X11 windows only
    MergedWindowSystem::XWaylandWindows xwayland = MergedWindowSystem::XWaylandWindows::Marked;
    QString notice; // said once at start, empty when there is nothing to say
};

struct NativeConnectors {
    using Connect = std::function<std::unique_ptr<NativeWindowSource>(const QString&)>;
    Connect sway = connectSwayIpc;
    Connect kde = connectKdeWindows;
    Connect wlr = connectWlrToplevels;
    Connect gnome = [](const QString& sessionBus) { return connectGnomeShell(sessionBus); };
    std::function<bool()> gnomeExtensionInstalled = platform::gnomeExtensionInstalled;
};

inline const QString kNoNativeWindowsNotice =
    QStringLiteral("This Wayland desktop does not let other programs see its windows; only X11 (XWayland) windows "
                   "are guarded.");

inline const QString kGnomeExtensionDisabledNotice = QStringLiteral(
    "Torvane's GNOME Shell extension is installed but not enabled, so only X11 (XWayland) windows are guarded. "
    "Enable it with: gnome-extensions enable torvane@torvane.github.io (if it was installed during this session, "
    "log out and in again first).");

inline const QString kGnomeExtensionMissingNotice = QStringLiteral(
    "GNOME shows its windows to Torvane only through Torvane's GNOME Shell extension (torvane@torvane.github.io), "
    "which is not installed, so only X11 (XWayland) windows are guarded.");

// The richest source the compositor offers: its own IPC first (sway's and GNOME's through Torvane's
// extension tell processes and XWayland windows), then KDE's window management, then the wlroots
// protocol.
SessionWindows connectSessionWindows(const SessionEnvironment& session, const NativeConnectors& connect = {});

} // namespace platform
