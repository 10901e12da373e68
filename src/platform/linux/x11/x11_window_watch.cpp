#include "platform/linux/x11/x11_window_watch.h"

#include "platform/linux/x11/x11_reply.h"
#include "platform/linux/x11/x11_window_system.h"
#include "platform/torvane_error.h"

#include <QSocketNotifier>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace platform {

using x11::collect;

void X11WindowSystem::watchWindows(WindowsChanged changed) {
    m_watch.reset();
    if (!changed)
        return;
    try {
        m_watch = std::make_unique<X11WindowWatch>(*this, m_display, std::move(changed), m_newWindowGrace);
    } catch (const TorvaneError&) {
        // Without a watch the half-second tick still enforces everything.
    }
}

namespace {

constexpr std::uint32_t kChildMask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;

xcb_atom_t internAtom(xcb_connection_t* c, const char* name) {
    auto reply = collect(xcb_intern_atom_reply, c, xcb_intern_atom(c, 0, std::strlen(name), name));
    return reply ? reply->atom : XCB_NONE;
}

} // namespace

void X11WindowSystem::setNewWindowGrace(std::chrono::milliseconds grace) {
    m_newWindowGrace = grace;
    if (m_watch)
        m_watch->setNewWindowGrace(grace);
}

bool X11WindowSystem::watching() const {
    return m_watch && m_watch->following();
}

X11WindowWatch::X11WindowWatch(X11WindowSystem& system, const QString& display, WindowSystem::WindowsChanged changed,
                               std::chrono::milliseconds grace)
    : m_system(system), m_changed(std::move(changed)), m_grace(grace) {
    m_connection = X11WindowSystem::connect(display, m_root);
    m_netWmName = internAtom(m_connection, "_NET_WM_NAME");
    m_wmState = internAtom(m_connection, "WM_STATE");

    // Selected before the existing windows are looked at, so no window falls between the two.
    const std::uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &rootMask);
    followExisting();

    m_burst.setSingleShot(true);
    m_burst.setInterval(0);
    connect(&m_burst, &QTimer::timeout, this, [this] { deliver(); });
    m_graceEnd.setSingleShot(true);
    connect(&m_graceEnd, &QTimer::timeout, this, [this] { graceEnded(); });
    m_notifier = new QSocketNotifier(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { readEvents(true); });
    // Events that arrived with the replies above are already queued and would not wake the notifier.
    readEvents(false);
}

X11WindowWatch::~X11WindowWatch() {
    delete m_notifier;
    xcb_disconnect(m_connection);
}

// Every window down to the clients' depth. Each window is selected before its children are asked
// for, so a child made in between is reported by an event instead.
void X11WindowWatch::followExisting() {
    auto tree = collect(xcb_query_tree_reply, m_connection, xcb_query_tree(m_connection, m_root));
    if (!tree)
        return;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    std::vector<xcb_window_t> tops(children, children + xcb_query_tree_children_length(tree.get()));
    for (xcb_window_t top : tops)
        follow(top, top, 0);
    followBelow(std::move(tops));
}

// Follows the descendants of followed windows, one level per round trip.
void X11WindowWatch::followBelow(std::vector<xcb_window_t> windows) {
    while (!windows.empty()) {
        std::vector<xcb_query_tree_cookie_t> cookies;
        for (xcb_window_t w : windows)
            cookies.push_back(xcb_query_tree(m_connection, w));
        std::vector<xcb_window_t> next;
        for (std::size_t i = 0; i < windows.size(); ++i) {
            auto tree = collect(xcb_query_tree_reply, m_connection, cookies[i]);
            const auto parent = m_followed.find(windows[i]);
            if (!tree || parent == m_followed.end())
                continue;
            const Followed above = parent->second;
            const xcb_window_t* children = xcb_query_tree_children(tree.get());
            for (int j = 0; j < xcb_query_tree_children_length(tree.get()); ++j) {
                follow(children[j], above.top, above.depth + 1);
                if (above.depth + 1 < kDeepest)
                    next.push_back(children[j]);
            }
        }
        windows = std::move(next);
    }
}

void X11WindowWatch::follow(xcb_window_t window, xcb_window_t top, int depth) {
    if (depth > kDeepest)
        return;
    m_followed[window] = {top, depth};
    const std::uint32_t mask = depth < kDeepest ? kChildMask : std::uint32_t(XCB_EVENT_MASK_PROPERTY_CHANGE);
    xcb_change_window_attributes(m_connection, window, XCB_CW_EVENT_MASK, &mask);
}

bool X11WindowWatch::following() const {
    return m_notifier && m_notifier->isEnabled();
}

bool X11WindowWatch::stopIfFailed() {
    if (!xcb_connection_has_error(m_connection))
        return false;
    // A closed socket stays readable: left on, the notifier would wake the loop for ever.
    if (m_notifier && m_notifier->isEnabled()) {
        m_notifier->setEnabled(false);
        qWarning("The window watch lost its X connection; the task lists now read every window each time");
    }
    m_stackValid = false;
    return true;
}

void X11WindowWatch::readEvents(bool deliverAtOnce) {
    if (stopIfFailed())
        return;
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            handle(event);
            std::free(event);
        }
        // Waiting for more events, or for the children of new windows to be followed, would only
        // delay a kill: a window is described as soon as it is seen.
        if (deliverAtOnce && !m_touched.empty()) {
            m_burst.stop();
            deliver();
            if (stopIfFailed())
                return;
        }
        if (!m_unexplored.empty()) {
            std::vector<xcb_window_t> windows;
            windows.swap(m_unexplored);
            followBelow(std::move(windows));
            continue;
        }
        // Writing may read what the server sent meanwhile into the queue, where the socket's
        // readiness no longer announces it.
        xcb_flush(m_connection);
        xcb_generic_event_t* queued = xcb_poll_for_queued_event(m_connection);
        if (!queued)
            break;
        handle(queued);
        std::free(queued);
    }
    if (stopIfFailed())
        return;
    // Read during a snapshot: described once the snapshot is done.
    if (!m_touched.empty() && !m_burst.isActive())
        m_burst.start();
}

void X11WindowWatch::handle(const xcb_generic_event_t* event) {
    // A parent is the root (a new top-level window) or a followed window (a frame's client).
    auto adopt = [this](xcb_window_t window, xcb_window_t parent) {
        if (parent == m_root) {
            m_stack.add(window);
            follow(window, window, 0);
        } else if (const auto it = m_followed.find(parent); it != m_followed.end()) {
            follow(window, it->second.top, it->second.depth + 1);
        }
        // It may have had children before it was selected.
        if (const auto it = m_followed.find(window); it != m_followed.end() && it->second.depth < kDeepest)
            m_unexplored.push_back(window);
        markStale(window);
        touch(window);
    };
    switch (event->response_type & 0x7F) {
    case 0: {
        // A window that vanished before it was selected is harmless; anything else may have cost
        // an event, so the next snapshot comes from a full enumeration.
        if (reinterpret_cast<const xcb_generic_error_t*>(event)->error_code != XCB_WINDOW)
            m_stackValid = false;
        break;
    }
    case XCB_CREATE_NOTIFY: {
        const auto* e = reinterpret_cast<const xcb_create_notify_event_t*>(event);
        adopt(e->window, e->parent);
        if (e->parent == m_root) {
            m_stack.noteCreated(e->window, X11WindowStack::Clock::now());
            if (!m_graceEnd.isActive())
                scheduleGraceEnd();
        }
        break;
    }
    case XCB_REPARENT_NOTIFY: {
        // One copy comes to the old parent's followers, one to the new parent's.
        const auto* e = reinterpret_cast<const xcb_reparent_notify_event_t*>(event);
        if (e->event == e->parent) {
            adopt(e->window, e->parent);
        } else {
            markStale(e->window);
            if (e->event == m_root)
                m_stack.remove(e->window);
        }
        break;
    }
    case XCB_DESTROY_NOTIFY: {
        const auto* e = reinterpret_cast<const xcb_destroy_notify_event_t*>(event);
        if (e->event == m_root)
            m_stack.remove(e->window);
        else
            markStale(e->window);
        m_followed.erase(e->window);
        break;
    }
    case XCB_MAP_NOTIFY: {
        const auto* e = reinterpret_cast<const xcb_map_notify_event_t*>(event);
        markStale(e->window);
        touch(e->window);
        break;
    }
    case XCB_UNMAP_NOTIFY:
        markStale(reinterpret_cast<const xcb_unmap_notify_event_t*>(event)->window);
        break;
    case XCB_CONFIGURE_NOTIFY: {
        const auto* e = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
        if (e->event == m_root)
            m_stack.placeAbove(e->window, e->above_sibling);
        break;
    }
    case XCB_CIRCULATE_NOTIFY: {
        const auto* e = reinterpret_cast<const xcb_circulate_notify_event_t*>(event);
        if (e->event == m_root && e->place == XCB_PLACE_ON_TOP)
            m_stack.placeOnTop(e->window);
        else if (e->event == m_root)
            m_stack.placeAtBottom(e->window);
        break;
    }
    case XCB_PROPERTY_NOTIFY: {
        const auto* e = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (e->atom == XCB_ATOM_WM_NAME || e->atom == m_netWmName || e->atom == m_wmState) {
            markStale(e->window);
            touch(e->window);
        }
        break;
    }
    default:
        break;
    }
}

void X11WindowWatch::markStale(xcb_window_t window) {
    if (const auto it = m_followed.find(window); it != m_followed.end())
        m_stack.markStale(it->second.top);
}

void X11WindowWatch::catchUp() {
    // A round trip: every event of a request the server carried out before it is in the queue then.
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    readEvents(false);
}

std::vector<WindowInfo> X11WindowWatch::reset(const std::vector<xcb_window_t>& bottomToTop,
                                              const std::vector<std::optional<WindowInfo>>& tasks) {
    m_stack.reset(bottomToTop, tasks);
    m_stackValid = true;
    m_sinceReset.restart();
    return m_stack.tasks(X11WindowStack::Clock::now(), m_grace);
}

std::optional<std::vector<WindowInfo>> X11WindowWatch::cachedWindows() {
    if (!m_stackValid || m_sinceReset.elapsed() >= kSafetyNetMs || xcb_connection_has_error(m_connection))
        return std::nullopt;
    catchUp();
    if (!m_stackValid)
        return std::nullopt;
    const std::vector<xcb_window_t> stale = m_stack.takeStale();
    if (!stale.empty()) {
        std::vector<std::optional<WindowInfo>> tasks = m_system.describeTops(stale);
        for (std::size_t i = 0; i < stale.size(); ++i)
            m_stack.setTask(stale[i], std::move(tasks[i]));
    }
    return m_stack.tasks(X11WindowStack::Clock::now(), m_grace);
}

void X11WindowWatch::setNewWindowGrace(std::chrono::milliseconds grace) {
    m_grace = grace;
    scheduleGraceEnd();
}

void X11WindowWatch::scheduleGraceEnd() {
    m_graceEnd.stop();
    if (const auto first = m_stack.firstCreation()) {
        const auto left = *first + m_grace - X11WindowStack::Clock::now();
        m_graceEnd.start(std::max(std::chrono::milliseconds(0), std::chrono::ceil<std::chrono::milliseconds>(left)));
    }
}

void X11WindowWatch::graceEnded() {
    for (xcb_window_t top : m_stack.takeMatured(X11WindowStack::Clock::now(), m_grace))
        touch(top);
    if (!m_touched.empty())
        deliver();
    scheduleGraceEnd();
}

void X11WindowWatch::touch(xcb_window_t window) {
    const auto it = m_followed.find(window);
    if (it == m_followed.end())
        return;
    const xcb_window_t top = it->second.top;
    if (m_touchedSet.insert(top).second)
        m_touched.push_back(top);
}

void X11WindowWatch::deliver() {
    std::vector<xcb_window_t> tops;
    tops.swap(m_touched);
    m_touchedSet.clear();
    std::vector<bool> told(tops.size());
    // Hands on the tasks among `tasks` not handed on yet.
    const auto handOn = [&](const std::vector<std::optional<WindowInfo>>& tasks) {
        std::vector<WindowInfo> windows;
        const auto now = X11WindowStack::Clock::now();
        for (std::size_t i = 0; i < tops.size(); ++i) {
            if (tasks[i] && !told[i]) {
                told[i] = true;
                WindowInfo task = *tasks[i];
                m_stack.applyGrace(tops[i], task, now, m_grace);
                windows.push_back(std::move(task));
            }
        }
        if (!windows.empty() && m_changed)
            m_changed(windows);
    };
    // A new window is its own client until a window manager frames it: its title is known after the
    // first round trip, and a kill-listed one need not wait for the frames searched meanwhile.
    handOn(m_system.describeTops(tops, handOn));
}

} // namespace platform
