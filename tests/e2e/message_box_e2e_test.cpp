// The question before "Kill All Outside Safe List" under a real window manager: neither Escape nor
// the window manager's close (Alt+F4 in openbox) answers it, so neither kills anything; its "No"
// button does go on to the kill.
#include "e2e/running_torvane.h"
#include "platform/linux/x11/x11_window_system.h"
#include "support/x11_child.h"
#include "support/xvfb_server.h"

#include <QProcess>
#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr int kAppearMs = 10000; // bounds against hanging, not speed checks
constexpr int kTicksMs = 1500;   // three protection ticks: time enough for a wrong kill to happen

// The number of mapped windows of `pid`, menus included.
int mappedWindows(const QString& display, qint64 pid) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--pid", QString::number(pid)});
    p.waitForFinished(10000);
    return int(p.readAllStandardOutput().count('\n'));
}

TEST(MessageBoxE2e, EscapeAndCloseDoNotAnswerTheHiddenTasksQuestion) {
    XvfbServer server;
    const QString display = server.display();
    Openbox openbox(display);
    platform::X11WindowSystem x(display);
    RunningTorvane torvane(display);
    const auto visible = [&](const QString& prefix) {
        const auto w = findWindowByPrefix(x, prefix);
        return w && w->visible ? w : std::nullopt;
    };
    ASSERT_TRUE(waitUntil([&] { return visible("Torvane").has_value(); }, 20000));
    // Started after Torvane, and left until a refresh of the All Task List has taken it in.
    X11Child outside(display, {"--window", "--utf8", "Visible window outside the safe list"});
    waitUntil([] { return false; }, 3000);
    const qint64 pid = torvane.process().processId();

    // Task > Task management options... > List actions... > Kill All Outside Safe List, by keys
    // once each menu is open.
    const auto main = visible("Torvane");
    int mapped = mappedWindows(display, pid);
    const auto menuOpened = [&] {
        return waitUntil([&] { return mappedWindows(display, pid) > mapped; }, kAppearMs) &&
               (mapped = mappedWindows(display, pid), true);
    };
    ASSERT_TRUE(runXdotool(display, {"mousemove", "--window", QString::number(main->handle), "20", "8", "click", "1"}));
    ASSERT_TRUE(menuOpened()) << "Task";
    for (const char* submenu : {"Task management options...", "List actions..."}) {
        ASSERT_TRUE(runXdotool(display, {"key", "--delay", "100", "Down", "Down", "Right"}));
        ASSERT_TRUE(menuOpened()) << submenu;
    }
    ASSERT_TRUE(runXdotool(display, {"key", "Return"}));
    const auto box = [&] { return visible(QStringLiteral("What to do with Hidden Tasks")); };
    ASSERT_TRUE(waitUntil([&] { return box().has_value(); }, kAppearMs)) << "no question";

    for (const char* dismissal : {"Escape", "alt+F4"}) {
        ASSERT_TRUE(runXdotool(display, {"windowfocus", "--sync", QString::number(box()->handle)}));
        ASSERT_TRUE(runXdotool(display, {"key", "--clearmodifiers", dismissal}));
        EXPECT_FALSE(waitUntil([&] { return !box().has_value(); }, kTicksMs)) << dismissal << " answered";
        EXPECT_TRUE(outside.running()) << dismissal << " killed the visible window";
        if (!box())
            return;
    }
    // The keys do reach the box: its "No" (keep the hidden tasks hidden) kills the visible window.
    ASSERT_TRUE(runXdotool(display, {"key", "--clearmodifiers", "alt+n"}));
    EXPECT_TRUE(waitUntil([&] { return !box().has_value(); }, kAppearMs));
    EXPECT_TRUE(outside.waitForExit());
}

} // namespace
