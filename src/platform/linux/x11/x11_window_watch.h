#pragma once

#include "platform/window_system.h"

#include "platform/linux/x11/x11_window_stack.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <xcb/xcb.h>

class QSocketNotifier;

namespace platform {

class X11WindowSystem;

// Follows the children of the root and their descendants down to the depth where client windows
// are searched, on a connection of its own: new windows, maps, reparenting and changes of the
// title or WM_STATE mark their root child as touched. Touched windows are described through the
// window system as soon as the events that came together are read, and handed to the callback. The same
// events keep a copy of the stacking order and the tasks current, so a snapshot needs no pass over
// every window.
class X11WindowWatch : public QObject {
public:
    // Throws TorvaneError when the display cannot be opened. `grace`: how long a new window that is
    // still unmapped counts as visible.
    X11WindowWatch(X11WindowSystem& system, const QString& display, WindowSystem::WindowsChanged changed,
                   std::chrono::milliseconds grace);
    ~X11WindowWatch() override;

    // The tasks, top first, as a full enumeration would find them now; none when the copy cannot
    // answer (never filled, too old, or the event stream reported an error).
    std::optional<std::vector<WindowInfo>> cachedWindows();
    // Reads every event the server sent before this call.
    void catchUp();
    // A full enumeration's result replaces the copy; returns the tasks, top first, as they count now.
    std::vector<WindowInfo> reset(const std::vector<xcb_window_t>& bottomToTop,
                                  const std::vector<std::optional<WindowInfo>>& tasks);
    void setNewWindowGrace(std::chrono::milliseconds grace);
    // False once the event stream failed: snapshots then come from full enumerations.
    bool following() const;

private:
    static constexpr qint64 kSafetyNetMs = 10000; // a full enumeration at least this often
    static constexpr int kDeepest = 2;            // the client is the child itself or a descendant up to two down

    void followExisting();
    void followBelow(std::vector<xcb_window_t> windows);
    void follow(xcb_window_t window, xcb_window_t top, int depth);
    // `deliverAtOnce`: touched windows are described before this returns (not during a snapshot,
    // whose caller may be the receiver of what they deliver).
    void readEvents(bool deliverAtOnce);
    // Turns the watch off once its connection failed; true then.
    bool stopIfFailed();
    void handle(const xcb_generic_event_t* event);
    void touch(xcb_window_t window);
    void markStale(xcb_window_t window);
    void deliver();
    // Windows still unmapped when their grace ends are reported again, now as hidden.
    void scheduleGraceEnd();
    void graceEnded();

    X11WindowSystem& m_system;
    WindowSystem::WindowsChanged m_changed;
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    xcb_atom_t m_netWmName = XCB_NONE;
    xcb_atom_t m_wmState = XCB_NONE;
    QSocketNotifier* m_notifier = nullptr;
    QTimer m_burst; // delivers what a read during a snapshot found
    struct Followed {
        xcb_window_t top;
        int depth;
    };
    std::unordered_map<xcb_window_t, Followed> m_followed;
    std::vector<xcb_window_t> m_unexplored; // followed since the last read; their children not yet
    std::vector<xcb_window_t> m_touched;
    std::unordered_set<xcb_window_t> m_touchedSet;
    X11WindowStack m_stack;
    bool m_stackValid = false;
    QElapsedTimer m_sinceReset;
    std::chrono::milliseconds m_grace;
    QTimer m_graceEnd;
};

} // namespace platform
