#pragma once

#include "platform/types.h"

#include <QString>
#include <functional>
#include <vector>

namespace platform {

struct WindowInfo {
    WindowHandle handle = 0;
    QString title; // at most 256 UTF-16 code units; empty when the window has no title
    bool visible = false;
};

// The desktop's top-level windows and what can be asked of one of them.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Every top-level window, the top of the stacking order first, with title and visibility
    // read in the same pass.
    virtual std::vector<WindowInfo> topLevelWindows() = 0;

    // The process that owns the window, 0 when the window is gone or its owner is unknown.
    virtual ProcessId windowProcessId(WindowHandle window) = 0;

    // Asks the window to close; asynchronous, the result is not known.
    virtual void postCloseMessage(WindowHandle window) = 0;

    // Soon after top-level windows appear, are mapped or change their title, `changed` is called
    // with those windows as they are then (titled or not; windows gone meanwhile are left out).
    // While nothing changes it is never called. A system that cannot watch never calls it; an empty
    // `changed` ends the watch.
    using WindowsChanged = std::function<void(const std::vector<WindowInfo>&)>;
    virtual void watchWindows(WindowsChanged changed) { (void)changed; }
};

} // namespace platform
