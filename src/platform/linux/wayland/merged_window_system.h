#pragma once

#include "platform/linux/wayland/native_windows.h"
#include "platform/window_system.h"

#include <QElapsedTimer>
#include <QStringList>
#include <memory>
#include <vector>

namespace platform {

// The desktop of a Wayland session: the compositor's native windows beside the X11 (XWayland)
// windows, in one list. Native handles carry kNativeHandleBit and are answered by the compositor's
// source alone; every other handle goes to X11. Without a source it is the X11 desktop unchanged.
class MergedWindowSystem : public WindowSystem {
public:
    // How the XWayland windows among the compositor's windows are found, so each window is listed once.
    enum class XWaylandWindows {
        Marked,  // the source marks them (xwayland, x11Window)
        ByTitle, // the source cannot tell: a native window titled like a shown X11 window of its process
                 // (or of an unknown one) is that window
    };
    // What makes a window this program's own when the compositor does not tell its process: its
    // application ids (the desktop entry's id, and the X11 class the compositor reports for XWayland
    // windows).
    struct Own {
        ProcessId pid = 0;
        QStringList appIds;
    };

    MergedWindowSystem(WindowSystem& x11, std::unique_ptr<NativeWindowSource> native, XWaylandWindows xwayland,
                       Own own);

    std::vector<WindowInfo> topLevelWindows() override;
    ProcessId windowProcessId(WindowHandle window) override;
    void postCloseMessage(WindowHandle window) override;
    void watchWindows(WindowsChanged changed) override;

    // The compositor's source, null in an X11 session or where the compositor offers none.
    NativeWindowSource* nativeSource() const { return m_native.get(); }

    static bool isNative(WindowHandle window) { return (window & kNativeHandleBit) != 0; }

private:
    // A shown X11 window that a native window of the same title may stand for.
    struct X11Twin {
        WindowHandle handle = 0;
        QString title;
        ProcessId pid = 0; // asked of X11 only when a native window with a process id needs it
        bool pidKnown = false;
        bool taken = false;
    };
    X11Twin* twinOf(const NativeWindow& window, std::vector<X11Twin>& twins) const;
    // The native windows that are not XWayland windows, in the source's order.
    std::vector<NativeWindow> nativeOnly(const std::vector<NativeWindow>& windows,
                                         const std::vector<WindowInfo>& x11) const;
    void remember(const std::vector<NativeWindow>& windows);
    void rememberOnly(const std::vector<NativeWindow>& windows); // the whole desktop as listed now
    const NativeWindow* known(WindowHandle window) const;
    const NativeWindow* fresh(WindowHandle window);
    bool ownWithoutPid(const NativeWindow& window) const;

    WindowSystem& m_x11;
    std::unique_ptr<NativeWindowSource> m_native;
    XWaylandWindows m_xwayland;
    Own m_own;
    // The native windows as last reported, each with when it was (ms of m_clock). A window's process
    // never changes, but a window that closed since may have left its id to another process: an
    // answer older than a moment is asked of the compositor again.
    struct Known {
        NativeWindow window;
        qint64 seenMs = 0;
    };
    std::vector<Known> m_known;
    QElapsedTimer m_clock;
};

} // namespace platform
