#include "support/pump_until.h"
#include "support/x11_test_display.h"

#include <QCoreApplication>
#include <chrono>
#include <csignal>
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

// A window seen before anything maps it is not called hidden until its grace ends unmapped; one
// that was there before the watch keeps its state.
TEST(X11WindowWatch, ANewUnmappedWindowIsHiddenOnlyOnceItsGraceEnds) {
    X11Child older = startChild({"--window", "--utf8", "Unmapped before the watch", "--unmapped"});
    X11WindowSystem windows(testDisplay().display());
    windows.setNewWindowGrace(std::chrono::hours(1));
    std::vector<WindowInfo> seen;
    windows.watchWindows([&](const std::vector<WindowInfo>& w) { seen.insert(seen.end(), w.begin(), w.end()); });
    windows.topLevelWindows();
    X11Child fresh = startChild({"--window", "--utf8", "Unmapped new", "--unmapped"});
    const std::uint32_t handle = fresh.windows()[0].client;
    EXPECT_TRUE(pumpUntil([&] { return reported(seen, handle, "Unmapped new", true); }));
    const auto snapshot = windows.topLevelWindows();
    EXPECT_TRUE(reported(snapshot, handle, "Unmapped new", true));
    EXPECT_TRUE(reported(snapshot, older.windows()[0].client, "Unmapped before the watch", false));

    seen.clear();
    windows.setNewWindowGrace(std::chrono::milliseconds(0));
    EXPECT_TRUE(reported(windows.topLevelWindows(), handle, "Unmapped new", false));
    EXPECT_TRUE(pumpUntil([&] { return reported(seen, handle, "Unmapped new", false); }));
}

// A server that goes away must not leave the watch woken by its closed socket for ever.
TEST(X11WindowWatch, ALostConnectionStopsTheWatchWithOneWarning) {
    static int warnings;
    warnings = 0;
    XvfbServer server;
    X11WindowSystem windows(server.display());
    windows.watchWindows([](const auto&) {});
    ASSERT_TRUE(windows.watching());
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext&, const QString&) { warnings += type == QtWarningMsg; });
    kill(server.pid(), SIGKILL);
    EXPECT_TRUE(pumpUntil([&] { return !windows.watching(); }));
    pumpUntil([] { return false; }, 100);
    qInstallMessageHandler(previous);
    EXPECT_EQ(warnings, 1);
    EXPECT_TRUE(windows.topLevelWindows().empty());
}

// What the watch hands on before frames are searched: the children of the root that are their own
// client, and only while a frame is still searched (otherwise the full answer is as quick).
TEST(X11WindowWatch, OwnClientsAreAnsweredBeforeFramesAreSearched) {
    struct Case {
        QStringList arguments;
        QString title;
        bool early;
    };
    const std::vector<Case> cases = {{{"--window", "--utf8", "Own"}, "Own", true},
                                     {{"--window", "--wm-state", "normal", "--utf8", "Own state"}, "Own state", true},
                                     {{"--window", "--managed", "normal", "--utf8", "Framed"}, "Framed", false},
                                     {{"--window", "--managed", "iconic", "--deep", "--utf8", "Deep"}, "Deep", false}};
    QStringList arguments;
    for (const Case& c : cases)
        arguments << c.arguments;
    X11Child child = startChild(arguments);
    X11WindowSystem windows(testDisplay().display());
    std::vector<xcb_window_t> tops;
    for (const auto& w : child.windows())
        tops.push_back(w.top);
    std::vector<std::vector<std::optional<WindowInfo>>> early;
    const auto record = [&](const std::vector<std::optional<WindowInfo>>& known) { early.push_back(known); };
    const auto tasks = windows.describeTops(tops, record);
    ASSERT_EQ(early.size(), 1u);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].title.toStdString());
        ASSERT_TRUE(tasks[i]);
        EXPECT_EQ(tasks[i]->title, cases[i].title);
        EXPECT_EQ(tasks[i]->handle, child.windows()[i].client);
        EXPECT_EQ(early[0][i].has_value(), cases[i].early);
        if (early[0][i]) {
            EXPECT_EQ(early[0][i]->title, cases[i].title);
        }
    }
    windows.describeTops({tops[0], tops[1]}, record);
    EXPECT_EQ(early.size(), 1u);
}
