#include "support/x11_test_display.h"

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

// Creates a titled top-level window on the test display, override-redirect or not.
xcb_window_t createWindow(xcb_connection_t* c, bool overrideRedirect, const char* title, bool map) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t w = xcb_generate_id(c);
    const uint32_t values[] = {overrideRedirect ? 1u : 0u};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, screen->root, 0, 0, 50, 20, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, XCB_CW_OVERRIDE_REDIRECT, values);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        static_cast<uint32_t>(std::strlen(title)), title);
    if (map)
        xcb_map_window(c, w);
    xcb_flush(c);
    return w;
}

TEST(X11Popups, MenusAndToolTipsAreNoTasksMappedOrNot) {
    const QByteArray display = testDisplay().display().toLatin1();
    xcb_connection_t* c = xcb_connect(display.constData(), nullptr);
    ASSERT_FALSE(xcb_connection_has_error(c));
    const xcb_window_t shownMenu = createWindow(c, true, "Task", true);
    const xcb_window_t closedMenu = createWindow(c, true, "Options", false);
    const xcb_window_t normal = createWindow(c, false, "Ordinary", false);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); // the server has them all

    platform::X11WindowSystem windows(testDisplay().display());
    const auto all = windows.topLevelWindows();
    EXPECT_FALSE(findWindow(all, shownMenu).has_value());
    EXPECT_FALSE(findWindow(all, closedMenu).has_value());
    const auto ordinary = findWindow(all, normal);
    ASSERT_TRUE(ordinary.has_value());
    EXPECT_EQ(ordinary->title, "Ordinary");
    xcb_disconnect(c);
}

} // namespace
