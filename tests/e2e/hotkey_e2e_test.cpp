#include "e2e/running_torvane.h"
#include "platform/linux/x11/x11_window_system.h"
#include "support/xvfb_server.h"

#include <QProcess>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <optional>
#include <vector>

using platform::WindowInfo;

namespace {

// The default keymap gives F8 a Ctrl+Alt level that switches consoles, which the server keeps for
// itself; on this private server F8 is made a plain key, as a desktop that leaves the combination to
// programs has it.
void makeF8PlainKey(const QString& display) {
    const QByteArray name = display.toLatin1();
    xcb_connection_t* c = xcb_connect(name.constData(), nullptr);
    ASSERT_FALSE(xcb_connection_has_error(c));
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* reply =
        xcb_get_keyboard_mapping_reply(c, xcb_get_keyboard_mapping(c, setup->min_keycode, count), nullptr);
    ASSERT_NE(reply, nullptr);
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
    const int perKey = reply->keysyms_per_keycode;
    constexpr xcb_keysym_t kF8 = 0xffc5;
    for (int i = 0; i < count; ++i) {
        if (syms[i * perKey] != kF8)
            continue;
        const std::vector<xcb_keysym_t> plain(static_cast<std::size_t>(perKey), kF8);
        xcb_change_keyboard_mapping(c, 1, static_cast<xcb_keycode_t>(setup->min_keycode + i),
                                    static_cast<std::uint8_t>(perKey), plain.data());
        break;
    }
    std::free(reply);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    xcb_disconnect(c);
}

TEST(HotKeyE2e, CtrlAltF8ShowsAWindowHiddenToTheTray) {
    XvfbServer server;
    makeF8PlainKey(server.display());
    platform::X11WindowSystem x(server.display());
    RunningTorvane torvane(server.display());
    const QString d = server.display();

    std::optional<WindowInfo> main;
    ASSERT_TRUE(waitUntil(
        [&] {
            main = findWindowByPrefix(x, "Torvane");
            return main && main->visible;
        },
        20000));
    const QString id = QString::number(main->handle);

    // "Minimize to System Tray" sits at the top left of the window, below the menu bar.
    ASSERT_TRUE(runXdotool(d, {"mousemove", "--window", id, "60", "38", "click", "1"}));
    std::optional<WindowInfo> notice;
    ASSERT_TRUE(waitUntil(
        [&] {
            notice = findWindowByPrefix(x, "Moved to Tray");
            return notice && notice->visible;
        },
        10000))
        << "no \"Moved to Tray\" notice";
    ASSERT_TRUE(runXdotool(d, {"windowfocus", "--sync", QString::number(notice->handle)}));
    ASSERT_TRUE(runXdotool(d, {"key", "Return"}));
    ASSERT_TRUE(waitUntil(
        [&] {
            const auto w = findWindowByPrefix(x, "Torvane");
            return w && !w->visible;
        },
        10000))
        << "the main window did not hide";

    ASSERT_TRUE(runXdotool(d, {"key", "ctrl+alt+F8"}));
    EXPECT_TRUE(waitUntil(
        [&] {
            const auto w = findWindowByPrefix(x, "Torvane");
            return w && w->visible;
        },
        10000))
        << "Ctrl+Alt+F8 did not bring the window back";
}

} // namespace
