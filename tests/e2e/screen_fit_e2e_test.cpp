// On a 1280x720 laptop screen under a window manager, the main window and the Task Action window
// open wholly on screen, frames included.
#include "e2e/running_torvane.h"
#include "support/x11_child.h"
#include "support/xvfb_server.h"

#include <QFile>
#include <QRect>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

namespace {

// The window with the frame the window manager put around it, in root coordinates.
QRect frameGeometry(const QString& display, platform::WindowHandle window) {
    xcb_connection_t* c = xcb_connect(display.toLatin1().constData(), nullptr);
    QRect frame;
    for (xcb_window_t w = window; w != 0 && frame.isNull();) {
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr);
        if (tree && tree->parent == tree->root) {
            xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
            frame = g ? QRect(g->x, g->y, g->width + 2 * g->border_width, g->height + 2 * g->border_width) : QRect();
            free(g);
        }
        w = tree && !frame.isValid() ? tree->parent : 0;
        free(tree);
    }
    xcb_disconnect(c);
    return frame;
}

TEST(ScreenFitE2e, MainAndTaskActionWindowsOpenWithinALaptopScreen) {
    XvfbServer server("1280x720");
    Openbox openbox(server.display());
    const QByteArray settings = firstStartSettings({26}); // "Start Protection" on
    platform::X11WindowSystem x(server.display());
    RunningTorvane torvane(server.display(), [&](const QString& baseDir) {
        QFile file(baseDir + "Settings.ini");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(settings) == settings.size());
    });
    const auto shown = [&](const QString& prefix) {
        const auto w = findWindowByPrefix(x, prefix);
        return w && w->visible && frameGeometry(server.display(), w->handle).height() > 1 ? w : std::nullopt;
    };
    ASSERT_TRUE(waitUntil([&] { return shown("Torvane  ").has_value(); }, 20000));
    X11Child hidden(server.display(), {"--window", "--utf8", "Window left unmapped", "--unmapped"});
    ASSERT_TRUE(waitUntil([&] { return shown("Task Action").has_value(); }, 10000));
    for (const QString prefix : {"Torvane  ", "Task Action"})
        EXPECT_TRUE(QRect(0, 0, 1280, 720).contains(frameGeometry(server.display(), shown(prefix)->handle)))
            << prefix.toStdString();
}

} // namespace
