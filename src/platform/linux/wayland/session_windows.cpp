#include "platform/linux/wayland/session_windows.h"

namespace platform {

SessionEnvironment SessionEnvironment::ofThisProcess() {
    SessionEnvironment session;
    session.waylandDisplay = qEnvironmentVariable("WAYLAND_DISPLAY");
    session.swaySocket = qEnvironmentVariable("SWAYSOCK");
    if (session.swaySocket.isEmpty())
        session.swaySocket = qEnvironmentVariable("I3SOCK");
    session.desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    return session;
}

SessionWindows connectSessionWindows(const SessionEnvironment& session, const NativeConnectors& connect) {
    SessionWindows chosen;
    // An X11 session (i3 included) has no windows but X11's.
    if (session.waylandDisplay.isEmpty())
        return chosen;
    if (!session.swaySocket.isEmpty() && (chosen.source = connect.sway(session.swaySocket)))
        return chosen;
    // XDG_CURRENT_DESKTOP is a colon-separated list, e.g. "ubuntu:GNOME".
    const bool gnome = session.desktop.split(QLatin1Char(':')).contains(QStringLiteral("GNOME"), Qt::CaseInsensitive);
    if (gnome && (chosen.source = connect.gnome(session.sessionBus)))
        return chosen;
    chosen.xwayland = MergedWindowSystem::XWaylandWindows::ByTitle;
    if ((chosen.source = connect.kde(session.waylandDisplay)))
        return chosen;
    if ((chosen.source = connect.wlr(session.waylandDisplay)))
        return chosen;
    if (gnome)
        chosen.notice =
            connect.gnomeExtensionInstalled() ? kGnomeExtensionDisabledNotice : kGnomeExtensionMissingNotice;
    else
        chosen.notice = kNoNativeWindowsNotice;
    return chosen;
}

} // namespace platform
