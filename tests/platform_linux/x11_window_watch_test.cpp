#include "pump_until.h"
#include "x11_test_display.h"

#include <QCoreApplication>
#include <cstring>
#include <gtest/gtest.h>

using platform::WindowInfo;
using platform::X11WindowSystem;

namespace {

bool reported(const std::vector<WindowInfo>& seen, std::uint32_t handle, const QString& title, bool visible) {
    return std::any_of(seen.begin(), seen.end(), [&](const WindowInfo& w) {
        return w.handle == handle && w.title == title && w.visible == visible;
    });
}

void retitle(std::uint32_t window, const QByteArray& title) {
    xcb_connection_t* c = xcb_connect(testDisplay().display().toLocal8Bit().constData(), nullptr);
    const char* name = "_NET_WM_NAME";
    const char* type = "UTF8_STRING";
    auto atom = [c](const char* n) {
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(n), n), nullptr);
        const xcb_atom_t a = r ? r->atom : XCB_NONE;
        std::free(r);
        return a;
    };
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom(name), atom(type), 8, title.size(), title.constData());
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); // carried out before it closes
    xcb_disconnect(c);
}

} // namespace

TEST(X11WindowWatch, ReportsNewWindowsFramedClientsAndRetitles) {
    X11WindowSystem windows(testDisplay().display());
    std::vector<WindowInfo> seen;
    windows.watchWindows([&](const std::vector<WindowInfo>& w) { seen.insert(seen.end(), w.begin(), w.end()); });
    X11Child child = startChild({"--window", "--utf8", "Plain", "--window", "--managed", "normal", "--deep", "--utf8",
                                 "Framed", "--window", "--unmapped", "--utf8", "Hidden"});
    const auto& w = child.windows();
    EXPECT_TRUE(pumpUntil([&] {
        return reported(seen, w[0].client, "Plain", true) && reported(seen, w[1].client, "Framed", true) &&
               reported(seen, w[2].client, "Hidden", false);
    }));

    // A client two levels below its frame, retitled after it was first seen.
    seen.clear();
    retitle(w[1].client, "Framed, renamed");
    retitle(w[2].client, "Hidden, renamed");
    EXPECT_TRUE(pumpUntil([&] {
        return reported(seen, w[1].client, "Framed, renamed", true) &&
               reported(seen, w[2].client, "Hidden, renamed", false);
    }));

    // Nothing changes: nothing is reported.
    seen.clear();
    pumpUntil([] { return false; }, 40);
    EXPECT_TRUE(seen.empty());
}
