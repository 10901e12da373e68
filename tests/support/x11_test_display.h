#pragma once

#include "platform/linux/x11/x11_window_system.h"
#include "support/eventually.h"
#include "support/x11_child.h"
#include "support/xvfb_server.h"

#include <algorithm>
#include <optional>

// The private X server of this test executable, started on first use and shared by its tests.
inline XvfbServer& testDisplay() {
    static XvfbServer server;
    return server;
}

inline X11Child startChild(const QStringList& arguments) {
    return X11Child(testDisplay().display(), arguments);
}

inline std::optional<platform::WindowInfo> findWindow(const std::vector<platform::WindowInfo>& windows,
                                                      platform::WindowHandle handle) {
    const auto it = std::find_if(windows.begin(), windows.end(), [&](const auto& w) { return w.handle == handle; });
    return it == windows.end() ? std::nullopt : std::optional(*it);
}
