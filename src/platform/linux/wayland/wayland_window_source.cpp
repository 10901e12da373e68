#include "platform/linux/wayland/wayland_window_source.h"

#include "platform/linux/x11/x11_text.h"

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <wayland-client.h>

namespace platform {

namespace {

constexpr int kBurstMs = 2;
// Roundtrips at start: globals, the windows' announcements, their first state.
constexpr int kStartRoundtrips = 4;

bool sameState(const NativeWindow& a, const NativeWindow& b) {
    return a.title == b.title && a.visible == b.visible && a.pid == b.pid && a.appId == b.appId &&
           a.x11Window == b.x11Window && a.xwayland == b.xwayland;
}

} // namespace

wl_display* WaylandWindowSource::openDisplay(const QString& name) {
    const QByteArray bytes = name.toLocal8Bit();
    return wl_display_connect(bytes.isEmpty() ? nullptr : bytes.constData());
}

WaylandWindowSource::WaylandWindowSource(wl_display* display, const wl_interface& manager, std::uint32_t highestVersion)
    : m_display(display), m_managerInterface(manager), m_highestVersion(highestVersion) {
    m_burst.setSingleShot(true);
    m_burst.setInterval(kBurstMs);
    QObject::connect(&m_burst, &QTimer::timeout, [this] { deliver(); });
}

WaylandWindowSource::~WaylandWindowSource() {
    dropManager();
    m_notifier.reset();
    if (m_registry)
        wl_registry_destroy(m_registry);
    wl_display_disconnect(m_display);
}

bool WaylandWindowSource::start() {
    static const wl_registry_listener listener{
        .global =
            [](void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version) {
                static_cast<WaylandWindowSource*>(data)->bindGlobal(registry, name, interface, version);
            },
        .global_remove = [](void*, wl_registry*, std::uint32_t) {},
    };
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &listener, this);
    for (int i = 0; i < kStartRoundtrips; ++i) {
        if (wl_display_roundtrip(m_display) < 0)
            return false;
        if (i > 0 && !awaitingState())
            break;
    }
    if (!m_manager)
        return false;
    m_notifier = std::make_unique<QSocketNotifier>(wl_display_get_fd(m_display), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { readEvents(); });
    return true;
}

void WaylandWindowSource::bindGlobal(wl_registry* registry, std::uint32_t name, const char* interface,
                                     std::uint32_t version) {
    if (m_manager || std::strcmp(interface, m_managerInterface.name) != 0)
        return;
    m_managerVersion = std::min(version, m_highestVersion);
    m_manager = wl_registry_bind(registry, name, &m_managerInterface, m_managerVersion);
    managerBound();
}

void WaylandWindowSource::dropManager() {
    if (m_manager)
        wl_proxy_destroy(static_cast<wl_proxy*>(m_manager));
    m_manager = nullptr;
}

bool WaylandWindowSource::awaitingState() const {
    return std::any_of(m_entries.begin(), m_entries.end(), [](const auto& e) { return !e->listed; });
}

std::vector<NativeWindow> WaylandWindowSource::windows() {
    readEvents();
    std::vector<NativeWindow> out;
    if (failed())
        return out;
    for (const auto& e : m_entries)
        if (e->listed)
            out.push_back(e->window);
    return out;
}

bool WaylandWindowSource::close(WindowHandle handle) {
    if (failed())
        return false;
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [handle](const auto& e) { return e->listed && e->window.handle == handle; });
    if (it == m_entries.end())
        return false;
    requestClose((*it)->object);
    return wl_display_flush(m_display) >= 0 || errno == EAGAIN;
}

void WaylandWindowSource::watch(Changed changed) {
    m_changed = std::move(changed);
    m_touched.clear();
}

// Reads what the compositor sent, without waiting: the notifier calls it when the socket is
// readable, and answers call it so they never lag behind.
void WaylandWindowSource::readEvents() {
    if (failed())
        return;
    while (wl_display_prepare_read(m_display) != 0) {
        if (wl_display_dispatch_pending(m_display) < 0)
            break;
    }
    if (!failed()) {
        wl_display_flush(m_display);
        pollfd fd{wl_display_get_fd(m_display), POLLIN, 0};
        if (poll(&fd, 1, 0) > 0)
            wl_display_read_events(m_display);
        else
            wl_display_cancel_read(m_display);
        wl_display_dispatch_pending(m_display);
    }
    if (failed() && m_notifier)
        m_notifier->setEnabled(false); // the compositor is gone or closed the connection
}

bool WaylandWindowSource::failed() {
    return wl_display_get_error(m_display) != 0;
}

WaylandWindowSource::Entry& WaylandWindowSource::add(void* object) {
    auto entry = std::make_unique<Entry>();
    entry->object = object;
    entry->window.handle = nextNativeHandle();
    m_entries.push_back(std::move(entry));
    return *m_entries.back();
}

WaylandWindowSource::Entry* WaylandWindowSource::find(void* object) {
    auto it = std::find_if(m_entries.begin(), m_entries.end(), [object](const auto& e) { return e->object == object; });
    return it == m_entries.end() ? nullptr : it->get();
}

void WaylandWindowSource::update(Entry& entry, const NativeWindow& state) {
    NativeWindow next = state;
    next.handle = entry.window.handle;
    next.title = x11::cutTitle(next.title);
    if (entry.listed && sameState(entry.window, next))
        return;
    entry.window = next;
    entry.listed = true;
    if (std::find(m_touched.begin(), m_touched.end(), next.handle) == m_touched.end())
        m_touched.push_back(next.handle);
    if (!m_burst.isActive())
        m_burst.start();
}

void WaylandWindowSource::focus(Entry& entry) {
    auto it = std::find_if(m_entries.begin(), m_entries.end(), [&entry](const auto& e) { return e.get() == &entry; });
    if (it != m_entries.end())
        std::rotate(m_entries.begin(), it, it + 1);
}

void WaylandWindowSource::remove(void* object) {
    auto it = std::find_if(m_entries.begin(), m_entries.end(), [object](const auto& e) { return e->object == object; });
    if (it == m_entries.end())
        return;
    destroyObject(object);
    m_entries.erase(it);
}

void WaylandWindowSource::clear() {
    for (const auto& e : m_entries)
        destroyObject(e->object);
    m_entries.clear();
}

void WaylandWindowSource::deliver() {
    std::vector<NativeWindow> touched;
    for (WindowHandle h : m_touched) {
        auto it =
            std::find_if(m_entries.begin(), m_entries.end(), [h](const auto& e) { return e->window.handle == h; });
        if (it != m_entries.end())
            touched.push_back((*it)->window);
    }
    m_touched.clear();
    if (m_changed && !touched.empty())
        m_changed(touched);
}

} // namespace platform
