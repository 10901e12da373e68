#pragma once

#include "platform/window_system.h"

#include <QObject>
#include <QTimer>
#include <unordered_map>
#include <unordered_set>
#include <xcb/xcb.h>

class QSocketNotifier;

namespace platform {

class X11WindowSystem;

// Follows the children of the root and their descendants down to the depth where client windows
// are searched, on a connection of its own: new windows, maps, reparenting and changes of the
// title or WM_STATE mark their root child as touched. Touched windows are described through the
// window system once the events of a short burst are in, and handed to the callback.
class X11WindowWatch : public QObject {
public:
    // Throws TorvaneError when the display cannot be opened.
    X11WindowWatch(X11WindowSystem& system, const QString& display, WindowSystem::WindowsChanged changed);
    ~X11WindowWatch() override;

private:
    static constexpr int kDeepest = 2; // the client is the child itself or a descendant up to two down
    static constexpr int kBurstMs = 2;

    void followExisting();
    void followBelow(std::vector<xcb_window_t> windows);
    void follow(xcb_window_t window, xcb_window_t top, int depth);
    void readEvents();
    void handle(const xcb_generic_event_t* event);
    void touch(xcb_window_t window);
    void deliver();

    X11WindowSystem& m_system;
    WindowSystem::WindowsChanged m_changed;
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    xcb_atom_t m_netWmName = XCB_NONE;
    xcb_atom_t m_wmState = XCB_NONE;
    QSocketNotifier* m_notifier = nullptr;
    QTimer m_burst;
    struct Followed {
        xcb_window_t top;
        int depth;
    };
    std::unordered_map<xcb_window_t, Followed> m_followed;
    std::vector<xcb_window_t> m_unexplored; // followed since the last read; their children not yet
    std::vector<xcb_window_t> m_touched;
    std::unordered_set<xcb_window_t> m_touchedSet;
};

} // namespace platform
