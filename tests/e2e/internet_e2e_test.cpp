// "Get IP from" pointed at a local page that holds its answer: the kill list goes on meanwhile.
#include "e2e/running_torvane.h"
#include "lists/list_file.h"
#include "platform/linux/x11/x11_window_system.h"
#include "support/http_test_server.h"
#include "support/x11_child.h"
#include "support/xvfb_server.h"

#include <QFile>
#include <QPoint>
#include <gtest/gtest.h>

namespace {

constexpr int kStartMs = 20000; // bounds against hanging, not speed checks
constexpr int kKillMs = 1000;   // a kill-listed task ends within the next tick

// In the main window's first-run layout, from its top-left corner: the "Internet" tab, then on
// that tab the button "Get IP from" and the page address beside it.
const QPoint kInternetTab(311, 69);
const QPoint kGetIpFrom(60, 760);
const QPoint kPageAddress(627, 760);

TEST(InternetE2e, AKillListedWindowEndsWhileTheAddressPageHoldsItsAnswer) {
    const QString killed = QStringLiteral("Kill-listed child opened during a retrieval");
    HttpTestServer page;
    page.holdAnswers(true);
    XvfbServer server;
    const QString d = server.display();
    platform::X11WindowSystem x(d);
    RunningTorvane torvane(d, [&](const QString& baseDir) {
        QFile file(defaultListFilePath(baseDir));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(encodeListFile({}, {{killed, 0}}));
    });
    std::optional<platform::WindowInfo> main;
    ASSERT_TRUE(waitUntil([&] { return (main = findWindowByPrefix(x, "Torvane  ")).has_value(); }, kStartMs));
    const QString window = QString::number(main->handle);
    const auto click = [&](QPoint at) {
        return runXdotool(d, {"mousemove", "--window", window, "--sync", QString::number(at.x()),
                              QString::number(at.y()), "click", "1"});
    };
    ASSERT_TRUE(click(kInternetTab) && click(kPageAddress));
    ASSERT_TRUE(runXdotool(d, {"windowfocus", "--sync", window, "key", "--clearmodifiers", "ctrl+a", "type", "--delay",
                               "5", page.url(QStringLiteral("/ip"))}));
    ASSERT_TRUE(click(kGetIpFrom));
    std::optional<platform::WindowInfo> notice;
    ASSERT_TRUE(waitUntil([&] { return (notice = findWindowByPrefix(x, "Retrieve IP")).has_value(); }, kStartMs));
    ASSERT_TRUE(runXdotool(d, {"windowfocus", "--sync", QString::number(notice->handle), "key", "Return"}));
    ASSERT_TRUE(waitUntil([&] { return !page.requests().isEmpty(); }, kStartMs)) << "the page was not asked";
    X11Child child(d, {"--window", "--utf8", killed});
    EXPECT_TRUE(waitUntil([&] { return !child.running(); }, kKillMs)) << "the kill-listed window still lives";
    page.holdAnswers(false);
}

} // namespace
