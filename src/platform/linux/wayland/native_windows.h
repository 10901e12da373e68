#pragma once

#include "platform/types.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace platform {

// Native handles never collide with X11 ids, which use at most 29 bits.
constexpr WindowHandle kNativeHandleBit = 0x80000000u;

// A native handle not handed out before: handles stay unique across every source of the process,
// so a handle never names two windows.
inline WindowHandle nextNativeHandle() {
    static std::atomic<std::uint32_t> counter{0};
    std::uint32_t n = 0;
    while (n == 0)
        n = ++counter & ~kNativeHandleBit;
    return kNativeHandleBit | n;
}

// A top-level window as a Wayland compositor reports it.
struct NativeWindow {
    WindowHandle handle = 0; // kNativeHandleBit | a number unique for the window's life in this process
    QString title;           // at most 256 UTF-16 code units (cut like X11 titles)
    bool visible = false;    // false when minimised or in the scratchpad
    ProcessId pid = 0;       // 0 when the compositor does not tell
    QString appId;
    std::uint32_t x11Window = 0; // the XWayland window id when the compositor tells it
    bool xwayland = false;       // the compositor says this is an XWayland window
};

// The windows of one compositor protocol (sway IPC, wlr foreign toplevel, KDE plasma window management).
class NativeWindowSource {
public:
    virtual ~NativeWindowSource() = default;
    virtual QString name() const = 0; // "sway IPC", "wlr foreign toplevel", "KDE Plasma", "GNOME Shell"
    // Current windows, most recently focused first where the compositor tells the order.
    virtual std::vector<NativeWindow> windows() = 0;
    // Asks the compositor to close the window; false when it is unknown or the request failed.
    virtual bool close(WindowHandle handle) = 0;
    // Soon after windows appear, change title or state, `changed` gets them as they are then
    // (never called while nothing changes; an empty function ends the watch). Events are read from a
    // QSocketNotifier on the source's own connection, in the main thread.
    using Changed = std::function<void(const std::vector<NativeWindow>&)>;
    virtual void watch(Changed changed) = 0;
};

} // namespace platform
