// The built program on a private KWin, which shows every window only to programs its desktop
// entries start by their absolute path, and names native windows' resources as XWayland's.
#include "e2e/running_torvane.h"
#include "platform/linux/wayland/session_windows.h"
#include "support/headless_kwin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(KwinE2e, KillListedNativeWindowDiesSafeOneAndTorvaneLives) {
    if (const QString reason = HeadlessKwin::unavailableReason(); !reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();
    // KWin compares the entry with the process's executable, so the program runs from where it lies.
    QTemporaryDir home;
    const QString exe = torvaneWithNativeLists(home.path());

    HeadlessKwin kwin({exe, QCoreApplication::applicationFilePath()});
    RunningTorvane torvane(kwin.xwaylandDisplay(), nullptr,
                           {{"WAYLAND_DISPLAY", kwin.waylandDisplay()},
                            {"XDG_RUNTIME_DIR", kwin.runtimeDir()},
                            {"SWAYSOCK", ""},
                            {"I3SOCK", ""}},
                           exe);
    platform::X11WindowSystem x11(kwin.xwaylandDisplay());
    ASSERT_TRUE(waitUntil([&] { return findWindowByPrefix(x11, "Torvane  ").has_value(); }, 20000));

    const auto safe = kwin.startClient("Safe native");
    const auto doomed = kwin.startClient("Doomed native");
    EXPECT_TRUE(doomed->waitForExit()) << "the kill-listed native window lives";
    EXPECT_FALSE(torvane.waitForExit(1500)) << "Torvane killed itself";
    EXPECT_TRUE(safe->running());

    // As Torvane sees the desktop: the native window once, the main window once, as its X11 window.
    platform::SessionWindows session = platform::connectSessionWindows({kwin.waylandDisplay(), {}});
    ASSERT_TRUE(session.source) << "KWin does not show this test its windows";
    EXPECT_EQ(session.source->name(), "KDE Plasma");
    EXPECT_EQ(mainAndSafeAsTorvaneSees(x11, std::move(session)), "Safe na native, Torvane X11");
}

} // namespace
