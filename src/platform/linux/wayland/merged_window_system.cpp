#include "platform/linux/wayland/merged_window_system.h"

#include <algorithm>

namespace platform {

namespace {

// How long a reported window's process id is believed without asking the compositor again: long
// enough for the lookups of one tick, far shorter than a process takes to end and its id to return.
constexpr qint64 kKnownForMs = 100;

WindowInfo infoOf(const NativeWindow& window) {
    return WindowInfo{window.handle, window.title.left(256), window.visible};
}

std::vector<WindowInfo> infosOf(const std::vector<NativeWindow>& windows) {
    std::vector<WindowInfo> out;
    out.reserve(windows.size());
    for (const NativeWindow& w : windows)
        out.push_back(infoOf(w));
    return out;
}

} // namespace

MergedWindowSystem::MergedWindowSystem(WindowSystem& x11, std::unique_ptr<NativeWindowSource> native,
                                       XWaylandWindows xwayland, Own own)
    : m_x11(x11), m_native(std::move(native)), m_xwayland(xwayland), m_own(std::move(own)) {
    m_clock.start();
}

std::vector<NativeWindow> MergedWindowSystem::nativeOnly(const std::vector<NativeWindow>& windows,
                                                         const std::vector<WindowInfo>& x11) const {
    // A compositor lists XWayland's windows too; X11 knows them better (hidden ones included).
    std::vector<X11Twin> twins;
    if (m_xwayland == XWaylandWindows::ByTitle)
        for (const WindowInfo& w : x11)
            if (w.visible)
                twins.push_back({w.handle, w.title});
    std::vector<NativeWindow> out;
    for (const NativeWindow& w : windows) {
        if (!isNative(w.handle) || w.xwayland || w.x11Window != 0)
            continue;
        // This program draws through XWayland alone, so a window of its own among the unmarked ones
        // is an XWayland copy, whose title may lag behind the X11 one by a tick.
        if (m_xwayland == XWaylandWindows::ByTitle && ownWithoutPid(w))
            continue;
        if (X11Twin* twin = twinOf(w, twins)) {
            twin->taken = true; // one for one: two native windows titled like one X11 window keep one
            continue;
        }
        out.push_back(w);
    }
    return out;
}

// A shown X11 window titled like `window` and, where both processes are known, of its process: a
// native window that shares only its title with an X11 window of another program is its own window.
MergedWindowSystem::X11Twin* MergedWindowSystem::twinOf(const NativeWindow& window, std::vector<X11Twin>& twins) const {
    const QString title = window.title.left(256);
    for (X11Twin& twin : twins) {
        if (twin.taken || twin.title != title)
            continue;
        if (window.pid == 0)
            return &twin;
        if (!twin.pidKnown) {
            twin.pid = m_x11.windowProcessId(twin.handle);
            twin.pidKnown = true;
        }
        if (twin.pid == 0 || twin.pid == window.pid)
            return &twin;
    }
    return nullptr;
}

void MergedWindowSystem::remember(const std::vector<NativeWindow>& windows) {
    const qint64 now = m_clock.elapsed();
    for (const NativeWindow& w : windows) {
        auto it =
            std::find_if(m_known.begin(), m_known.end(), [&w](const Known& k) { return k.window.handle == w.handle; });
        if (it == m_known.end())
            m_known.push_back({w, now});
        else
            *it = {w, now};
    }
}

bool MergedWindowSystem::ownWithoutPid(const NativeWindow& window) const {
    return window.pid == 0 && !window.appId.isEmpty() && m_own.appIds.contains(window.appId);
}

void MergedWindowSystem::rememberOnly(const std::vector<NativeWindow>& windows) {
    const qint64 now = m_clock.elapsed();
    m_known.clear();
    for (const NativeWindow& w : windows)
        m_known.push_back({w, now});
}

const NativeWindow* MergedWindowSystem::known(WindowHandle window) const {
    auto it =
        std::find_if(m_known.begin(), m_known.end(), [window](const Known& k) { return k.window.handle == window; });
    return it == m_known.end() ? nullptr : &it->window;
}

const NativeWindow* MergedWindowSystem::fresh(WindowHandle window) {
    auto it =
        std::find_if(m_known.begin(), m_known.end(), [window](const Known& k) { return k.window.handle == window; });
    if (it != m_known.end() && m_clock.elapsed() - it->seenMs <= kKnownForMs)
        return &it->window;
    rememberOnly(m_native->windows());
    return known(window);
}

std::vector<WindowInfo> MergedWindowSystem::topLevelWindows() {
    std::vector<WindowInfo> x11 = m_x11.topLevelWindows();
    if (!m_native)
        return x11;
    const std::vector<NativeWindow> all = m_native->windows();
    // Only the windows listed now are remembered, so the memory never outgrows the desktop.
    rememberOnly(all);
    std::vector<WindowInfo> merged = infosOf(nativeOnly(all, x11));
    merged.insert(merged.end(), x11.begin(), x11.end());
    return merged;
}

ProcessId MergedWindowSystem::windowProcessId(WindowHandle window) {
    if (!isNative(window))
        return m_x11.windowProcessId(window);
    if (!m_native)
        return 0;
    const NativeWindow* w = fresh(window);
    if (!w)
        return 0;
    if (w->pid != 0)
        return w->pid;
    // Without a process id the application id still tells this program's own windows apart, so they
    // are never taken for someone else's.
    return ownWithoutPid(*w) ? m_own.pid : 0;
}

void MergedWindowSystem::postCloseMessage(WindowHandle window) {
    if (!isNative(window)) {
        m_x11.postCloseMessage(window);
        return;
    }
    if (m_native)
        m_native->close(window);
}

void MergedWindowSystem::watchWindows(WindowsChanged changed) {
    m_x11.watchWindows(changed);
    if (!m_native)
        return;
    if (!changed) {
        m_native->watch({});
        return;
    }
    m_native->watch([this, changed](const std::vector<NativeWindow>& windows) {
        remember(windows);
        std::vector<WindowInfo> x11;
        if (m_xwayland == XWaylandWindows::ByTitle)
            x11 = m_x11.topLevelWindows();
        const std::vector<NativeWindow> native = nativeOnly(windows, x11);
        if (!native.empty())
            changed(infosOf(native));
    });
}

} // namespace platform
