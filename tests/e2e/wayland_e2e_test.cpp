// The built program on a headless sway: native Wayland windows meet the lists as X11 windows do,
// through sway's IPC and through the wlroots protocol.
#include "e2e/running_torvane.h"
#include "lists/list_file.h"
#include "platform/linux/wayland/session_windows.h"
#include "support/headless_sway.h"

#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

TEST(WaylandE2e, KillListedNativeWindowDiesSafeOneAndTorvaneLive) {
    if (const QString reason = HeadlessSway::unavailableReason(); !reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();
    HeadlessSway sway;
    TaskList kill{{"Doomed native", 0}, {"Torvane", 0}};
    for (int percent = 0; percent <= 100; ++percent) { // every caption the main window can show
        kill.push_back({QStringLiteral("Torvane  %1 % free memory").arg(percent), 0});
        kill.push_back({QStringLiteral("Torvane  %1 % free memory, 0 C core temperature").arg(percent), 0});
    }
    for (const QString& swaySocket : {sway.swaySocket(), QString()}) { // without it: the wlroots protocol
        platform::SessionWindows session = platform::connectSessionWindows({sway.waylandDisplay(), swaySocket});
        ASSERT_TRUE(session.source);
        SCOPED_TRACE(session.source->name().toStdString());
        EXPECT_EQ(session.source->name(), swaySocket.isEmpty() ? "wlr foreign toplevel" : "sway IPC");
        RunningTorvane torvane(sway.xwaylandDisplay(),
                               [&](const QString& baseDir) {
                                   QFile file(defaultListFilePath(baseDir));
                                   ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                                   file.write(encodeListFile({{"Safe native", 0}}, kill));
                               },
                               {{"WAYLAND_DISPLAY", sway.waylandDisplay()}, {"SWAYSOCK", swaySocket}});
        platform::X11WindowSystem x11(sway.xwaylandDisplay());
        ASSERT_TRUE(waitUntil([&] { return findWindowByPrefix(x11, "Torvane  ").has_value(); }, 20000));

        const auto safe = sway.startClient("Safe native");
        QElapsedTimer clock;
        clock.start();
        const auto doomed = sway.startClient("Doomed native");
        EXPECT_TRUE(doomed->waitForExit()) << "the kill-listed native window lives";
        std::printf("the kill-listed native window lived %lld ms\n", clock.elapsed()); // measured, not asserted
        EXPECT_FALSE(torvane.waitForExit(1500)) << "Torvane killed itself";
        EXPECT_TRUE(safe->running());

        // The list as Torvane sees it holds its main window once, as the X11 window it is.
        EXPECT_EQ(mainAndSafeAsTorvaneSees(x11, std::move(session)), "Safe na native, Torvane X11");
    }
}

} // namespace
