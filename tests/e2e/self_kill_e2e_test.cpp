// A kill list naming Torvane's own main window, laid into the list file before the start.
#include "e2e/running_torvane.h"
#include "lists/list_file.h"
#include "platform/linux/x11/x11_window_system.h"
#include "support/x11_child.h"
#include "support/xvfb_server.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(SelfKillE2e, AKillListHoldingTheMainCaptionLeavesTorvaneRunning) {
    // Every caption the main window can show in this run, and a child that really is kill-listed.
    TaskList kill{{QStringLiteral("Torvane"), 0}, {QStringLiteral("Kill-listed child"), 0}};
    for (int percent = 0; percent <= 100; ++percent) {
        const QString caption = QStringLiteral("Torvane  %1 % free memory").arg(percent);
        kill.push_back({caption, 0});
        kill.push_back({caption + QStringLiteral(", 0 C core temperature"), 0});
    }
    XvfbServer server;
    platform::X11WindowSystem x(server.display());
    RunningTorvane torvane(server.display(), [&](const QString& baseDir) {
        QFile file(defaultListFilePath(baseDir));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(encodeListFile({}, kill));
    });
    ASSERT_TRUE(waitUntil([&] { return findWindowByPrefix(x, "Torvane  ").has_value(); }, 20000))
        << "the main window never showed its status caption";

    // The kill list runs (the child ends) and passes over Torvane's own window.
    X11Child child(server.display(), {"--window", "--utf8", "Kill-listed child"});
    EXPECT_TRUE(child.waitForExit()) << "the kill-listed child was not killed";
    EXPECT_FALSE(torvane.waitForExit(1500)) << "Torvane killed itself";
    EXPECT_TRUE(findWindowByPrefix(x, "Torvane  ").has_value());
}

} // namespace
