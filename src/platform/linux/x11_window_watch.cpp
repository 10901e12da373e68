#include "platform/linux/x11_window_watch.h"

#include "platform/linux/x11_reply.h"
#include "platform/linux/x11_window_system.h"
#include "platform/torvane_error.h"

#include <QSocketNotifier>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace platform {

using x11::collect;

void X11WindowSystem::watchWindows(WindowsChanged changed) {
    m_watch.reset();
    try {
        m_watch = std::make_unique<X11WindowWatch>(*this, m_display, std::move(changed));
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

X11WindowWatch::X11WindowWatch(X11WindowSystem& system, const QString& display, WindowSystem::WindowsChanged changed)
    : m_system(system), m_changed(std::move(changed)) {
    const QByteArray name = display.toLocal8Bit();
    int screenNumber = 0;
    m_connection = xcb_connect(name.isEmpty() ? nullptr : name.constData(), &screenNumber);
    if (xcb_connection_has_error(m_connection)) {
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        throw TorvaneError(QStringLiteral("Cannot open display \"%1\"").arg(display));
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    m_root = screens.data->root;
    m_netWmName = internAtom(m_connection, "_NET_WM_NAME");
    m_wmState = internAtom(m_connection, "WM_STATE");

    // Selected before the existing windows are looked at, so no window falls between the two.
    const std::uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &rootMask);
    followExisting();

    m_burst.setSingleShot(true);
    m_burst.setInterval(kBurstMs);
    connect(&m_burst, &QTimer::timeout, this, [this] { deliver(); });
    m_notifier = new QSocketNotifier(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { readEvents(); });
    // Events that arrived with the replies above are already queued and would not wake the notifier.
    readEvents();
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

void X11WindowWatch::readEvents() {
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            handle(event);
            std::free(event);
        }
        if (m_unexplored.empty())
            break;
        std::vector<xcb_window_t> windows;
        windows.swap(m_unexplored);
        followBelow(std::move(windows));
    }
    xcb_flush(m_connection);
    if (!m_touched.empty() && !m_burst.isActive())
        m_burst.start();
}

void X11WindowWatch::handle(const xcb_generic_event_t* event) {
    // A parent is the root (a new top-level window) or a followed window (a frame's client).
    auto adopt = [this](xcb_window_t window, xcb_window_t parent) {
        if (parent == m_root) {
            follow(window, window, 0);
        } else if (const auto it = m_followed.find(parent); it != m_followed.end()) {
            follow(window, it->second.top, it->second.depth + 1);
        }
        // It may have had children before it was selected.
        if (const auto it = m_followed.find(window); it != m_followed.end() && it->second.depth < kDeepest)
            m_unexplored.push_back(window);
        touch(window);
    };
    switch (event->response_type & 0x7F) {
    case XCB_CREATE_NOTIFY: {
        const auto* e = reinterpret_cast<const xcb_create_notify_event_t*>(event);
        adopt(e->window, e->parent);
        break;
    }
    case XCB_REPARENT_NOTIFY: {
        const auto* e = reinterpret_cast<const xcb_reparent_notify_event_t*>(event);
        if (e->event == e->window)
            break; // the window's own copy; its new parent's copy follows it
        m_followed.erase(e->window);
        adopt(e->window, e->parent);
        break;
    }
    case XCB_MAP_NOTIFY:
        touch(reinterpret_cast<const xcb_map_notify_event_t*>(event)->window);
        break;
    case XCB_PROPERTY_NOTIFY: {
        const auto* e = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (e->atom == XCB_ATOM_WM_NAME || e->atom == m_netWmName || e->atom == m_wmState)
            touch(e->window);
        break;
    }
    case XCB_DESTROY_NOTIFY:
        m_followed.erase(reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window);
        break;
    default:
        break; // errors for windows that vanished before they were followed are harmless
    }
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
    const std::vector<WindowInfo> windows = m_system.windowsOf(tops);
    if (!windows.empty() && m_changed)
        m_changed(windows);
}

} // namespace platform
