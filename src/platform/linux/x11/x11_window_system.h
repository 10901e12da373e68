#pragma once

#include "platform/window_system.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <xcb/xcb.h>

namespace platform {

class X11WindowWatch;

// The desktop of one X11 display, through a connection of its own.
class X11WindowSystem : public WindowSystem {
public:
    // Where the owner of a window is looked up: the server's knowledge of its local client first, or
    // only the _NET_WM_PID property the client claims (the fallback alone, for tests).
    enum class OwnerLookup { ServerThenProperty, PropertyOnly };

    // Connects to `display` (":N"), to $DISPLAY when empty. Throws TorvaneError when it cannot.
    explicit X11WindowSystem(const QString& display = {}, OwnerLookup lookup = OwnerLookup::ServerThenProperty);
    ~X11WindowSystem() override;
    X11WindowSystem(const X11WindowSystem&) = delete;
    X11WindowSystem& operator=(const X11WindowSystem&) = delete;

    std::vector<WindowInfo> topLevelWindows() override;
    // The tasks of the given children of the root that are their own client, known after the first
    // round trip, while frames are still searched for theirs; none for every other child.
    using FirstAnswers = std::function<void(const std::vector<std::optional<WindowInfo>>&)>;
    // The task of each given child of the root, in that order; none for one that is no task.
    // `firstAnswers`, when given, hears early of the children that needed no search below them, if
    // others still do.
    std::vector<std::optional<WindowInfo>> describeTops(const std::vector<xcb_window_t>& tops,
                                                        const FirstAnswers& firstAnswers = {});
    // How often topLevelWindows() asked the server about every window (while watching, the events
    // keep the answer current and a full pass runs only now and then as a safety net).
    int fullEnumerations() const { return m_fullEnumerations; }
    ProcessId windowProcessId(WindowHandle window) override;
    void postCloseMessage(WindowHandle window) override;
    // Watches through a connection of its own, so that its events never mix with enumeration replies.
    void watchWindows(WindowsChanged changed) override;
    // While watching, a window created unmapped counts as visible until this much time has passed
    // since its creation, so that one is not called hidden while the window manager maps it.
    void setNewWindowGrace(std::chrono::milliseconds grace);
    // Whether a watch follows the server's events (false without one, or once its connection failed).
    bool watching() const;

    xcb_connection_t* connection() const { return m_connection; }
    // Opens `display` ($DISPLAY when empty) and finds its root. Throws TorvaneError when it cannot.
    static xcb_connection_t* connect(const QString& display, xcb_window_t& root);
    xcb_window_t rootWindow() const { return m_root; }

    struct Atoms {
        xcb_atom_t wmState = XCB_NONE;
        xcb_atom_t netWmName = XCB_NONE;
        xcb_atom_t utf8String = XCB_NONE;
        xcb_atom_t compoundText = XCB_NONE;
        xcb_atom_t wmProtocols = XCB_NONE;
        xcb_atom_t wmDeleteWindow = XCB_NONE;
        xcb_atom_t netWmPid = XCB_NONE;
    };

private:
    bool usable() const;
    // The title from the replies of _NET_WM_NAME and WM_NAME of one window (either may be null).
    QString titleFrom(const xcb_get_property_reply_t* netWmName, const xcb_get_property_reply_t* wmName) const;

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    Atoms m_atoms;
    OwnerLookup m_lookup;
    bool m_hasClientIds = false; // X-Resource 1.2 or later
    QByteArray m_hostName;
    QString m_display;
    std::unique_ptr<X11WindowWatch> m_watch;
    int m_fullEnumerations = 0;
    std::chrono::milliseconds m_newWindowGrace{1000};
};

} // namespace platform
