#include "e2e/running_torvane.h"
#include "platform/linux/x11/x11_window_system.h"
#include "support/x11_child.h"
#include "support/xvfb_server.h"

#include <QProcess>
#include <gtest/gtest.h>
#include <optional>

using platform::WindowInfo;

namespace {

std::optional<WindowInfo> findWindow(platform::X11WindowSystem& x, const QString& title) {
    for (const WindowInfo& w : x.topLevelWindows())
        if (w.title == title)
            return w;
    return std::nullopt;
}

TEST(Startup, ShowsTheMainWindowWithItsOtherWindowsHiddenAndEndsWhenClosed) {
    XvfbServer server;
    platform::X11WindowSystem x(server.display());
    RunningTorvane torvane(server.display());

    ASSERT_TRUE(waitUntil(
        [&] {
            auto w = findWindow(x, "Torvane");
            return w && w->visible;
        },
        20000))
        << "the main window did not appear";
    for (const char* hidden : {"Task Action", "Help", "TempInvestigator"}) {
        const auto w = findWindow(x, QString::fromLatin1(hidden));
        ASSERT_TRUE(w.has_value()) << hidden;
        EXPECT_FALSE(w->visible) << hidden;
    }
    // The program's own windows come after the main window in creation order, and the main window
    // is the one on top.
    const auto main = findWindow(x, "Torvane");
    x.postCloseMessage(main->handle);
    ASSERT_TRUE(torvane.waitForExit(15000)) << "closing the main window did not end the program";
    EXPECT_EQ(torvane.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(torvane.process().exitCode(), 0);
}

TEST(Startup, RefusesToRunWithoutADisplay) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TORVANE_EXE), {});
    ASSERT_TRUE(process.waitForFinished(15000));
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardError().contains("X11 display"));
}

} // namespace
