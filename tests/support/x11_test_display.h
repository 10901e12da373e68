#pragma once

#include "platform/linux/x11/x11_window_system.h"
#include "support/x11_child.h"
#include "support/xvfb_server.h"

#include <QThread>
#include <algorithm>
#include <functional>
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

// Another client's disconnection reaches the server's own bookkeeping a moment later: waits (with a
// generous bound against hanging) until `done` holds.
inline bool eventually(const std::function<bool()>& done) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (done())
            return true;
        QThread::msleep(10);
    }
    return done();
}
