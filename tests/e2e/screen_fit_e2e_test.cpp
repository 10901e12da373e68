// On a 1280x720 laptop screen under a window manager, the main window, the Task Action window
// and the help window open wholly on screen, frames included.
#include "e2e/running_torvane.h"
#include "support/x11_child.h"
#include "support/xvfb_server.h"

#include <QFile>
#include <QRect>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

namespace {

// The window with the frame the window manager put around it, in root coordinates; empty while it
// has no frame yet.
QRect frameGeometry(const QString& display, platform::WindowHandle window) {
    xcb_connection_t* c = xcb_connect(display.toLatin1().constData(), nullptr);
    QRect frame;
    for (xcb_window_t w = window; w != 0;) {
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr);
        const bool top = tree && tree->parent == tree->root;
        if (top && w != window) {
            xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
            frame = g ? QRect(g->x, g->y, g->width + 2 * g->border_width, g->height + 2 * g->border_width) : QRect();
            free(g);
        }
        w = tree && !top ? tree->parent : 0;
        free(tree);
    }
    xcb_disconnect(c);
    return frame;
}

TEST(ScreenFitE2e, MainAndTaskActionWindowsOpenWithinALaptopScreen) {
    XvfbServer server("1280x720");
    Openbox openbox(server.display());
    platform::X11WindowSystem x(server.display());
    RunningTorvane torvane(server.display(), withSettings(firstStartSettings({26}))); // "Start Protection" on
    const auto onScreen = [&](const QString& prefix) {
        const auto w = findWindowByPrefix(x, prefix);
        const QRect frame = w && w->visible ? frameGeometry(server.display(), w->handle) : QRect();
        // Now and then openbox puts a frame one pixel past the corner asked for (seen for the Task
        // Action window with several desktops busy at once); a window within one pixel still fits.
        return frame.isValid() && QRect(0, 0, 1281, 721).contains(frame);
    };
    EXPECT_TRUE(waitUntil([&] { return onScreen("Torvane  "); }, 20000));
    X11Child hidden(server.display(), {"--window", "--utf8", "Window left unmapped", "--unmapped"});
    EXPECT_TRUE(waitUntil([&] { return onScreen("Task Action"); }, 20000)) << [&] {
        const auto w = findWindowByPrefix(x, "Task Action");
        if (!w)
            return std::string("no Task Action window");
        const QRect f = frameGeometry(server.display(), w->handle);
        return "Task Action " + std::string(w->visible ? "shown" : "hidden") + " with its frame at " +
               std::to_string(f.x()) + "," + std::to_string(f.y()) + " " + std::to_string(f.width()) + "x" +
               std::to_string(f.height());
    }();
    // "Show Help" ends the row below the menu bar.
    ASSERT_TRUE(runXdotool(server.display(), {"mousemove", "1150", "58", "click", "1"}));
    EXPECT_TRUE(waitUntil([&] { return onScreen("Help"); }, 10000));
}

} // namespace
