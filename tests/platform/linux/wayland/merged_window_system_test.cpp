#include "platform/fake/fake_platform.h"
#include "platform/linux/wayland/session_windows.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace platform;
using Mode = MergedWindowSystem::XWaylandWindows;

namespace {

struct FakeSource : NativeWindowSource {
    std::vector<NativeWindow> list;
    std::vector<WindowHandle> closed;
    Changed watcher;
    QString name() const override { return "fake"; }
    std::vector<NativeWindow> windows() override { return list; }
    bool close(WindowHandle handle) override { return closed.push_back(handle), true; }
    void watch(Changed changed) override { watcher = std::move(changed); }
};

NativeWindow native(WindowHandle n, const char* title, ProcessId pid = 0, const char* appId = "", bool xw = false) {
    return NativeWindow{kNativeHandleBit | n, title, true, pid, appId, 0, xw};
}

// The X11 side: a hidden window (which no compositor lists) and a shown "xterm" of process 8.
struct Desktop {
    fake::FakePlatform x11;
    WindowHandle hidden = x11.addWindow("hidden X", false, 7), xterm = x11.addWindow("xterm", true, 8);
    FakeSource* source = new FakeSource;
    MergedWindowSystem merged;
    Desktop(Mode mode, std::vector<NativeWindow> list)
        : merged(x11, std::unique_ptr<FakeSource>(source), mode, {4242, {"own"}}) {
        source->list = std::move(list);
    }
};

std::string titles(const std::vector<WindowInfo>& windows) {
    QStringList out;
    for (const WindowInfo& w : windows)
        out << w.title;
    return out.join('|').toStdString();
}

} // namespace

TEST(MergedWindowSystem, ListsEachWindowOnceNativeFirst) {
    NativeWindow byX11Id = native(3, "xterm");
    byX11Id.x11Window = 0x200001;
    const struct {
        Mode mode;
        std::vector<NativeWindow> native;
        const char* expected;
    } cases[] = {
        {Mode::Marked, {native(1, "foot"), native(2, "xterm", 0, "", true), byX11Id}, "foot|xterm|hidden X"},
        {Mode::Marked, {native(1, "xterm")}, "xterm|xterm|hidden X"},
        // One for one; the program's own window goes to X11 whatever its title says.
        {Mode::ByTitle,
         {native(1, "xterm"), native(2, "xterm"), native(4, "Torvane", 0, "own")},
         "xterm|xterm|hidden X"},
        {Mode::ByTitle, {native(1, "hidden X")}, "hidden X|xterm|hidden X"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(titles(Desktop(c.mode, c.native).merged.topLevelWindows()), c.expected);
}

TEST(MergedWindowSystem, RoutesEachHandleToItsOwnSide) {
    Desktop d(Mode::Marked, {native(1, "foot", 99), native(2, "Torvane", 0, "own"), native(3, "other", 0, "x.y")});
    const std::pair<WindowHandle, ProcessId> pids[] = {{kNativeHandleBit | 1, 99},
                                                       {kNativeHandleBit | 2, 4242},
                                                       {kNativeHandleBit | 3, 0},
                                                       {kNativeHandleBit | 9, 0},
                                                       {d.xterm, 8}};
    for (const auto& [handle, pid] : pids)
        EXPECT_EQ(d.merged.windowProcessId(handle), pid) << handle;
    d.merged.postCloseMessage(kNativeHandleBit | 1);
    d.merged.postCloseMessage(d.xterm);
    EXPECT_EQ(d.source->closed, std::vector<WindowHandle>{kNativeHandleBit | 1});
    EXPECT_EQ(d.x11.closeRequests(), std::vector<WindowHandle>{d.xterm});
}

TEST(MergedWindowSystem, AProcessIdIsAskedAgainOnceTheListIsAMomentOld) {
    Desktop d(Mode::Marked, {native(1, "foot", 99)});
    d.merged.topLevelWindows();
    d.source->list = {native(1, "foot", 77)}; // as if the window had closed and its handle were taken again
    usleep(150 * 1000);
    EXPECT_EQ(d.merged.windowProcessId(kNativeHandleBit | 1), 77u);
    d.source->list.clear();
    usleep(150 * 1000);
    EXPECT_EQ(d.merged.windowProcessId(kNativeHandleBit | 1), 0u);
}

TEST(MergedWindowSystem, WatchReportsNativeWindowsBesideX11Ones) {
    Desktop d(Mode::ByTitle, {});
    std::vector<std::string> reports;
    d.merged.watchWindows([&](const std::vector<WindowInfo>& windows) { reports.push_back(titles(windows)); });
    d.source->watcher({native(1, "xterm"), native(2, "foot", 5)});
    d.source->watcher({native(3, "xterm")}); // XWayland's alone: nothing to report
    d.x11.announceWindows({d.xterm});
    EXPECT_EQ(reports, (std::vector<std::string>{"foot", "xterm"}));
    EXPECT_EQ(d.merged.windowProcessId(kNativeHandleBit | 2), 5u); // known from the report
    d.merged.watchWindows({});
    EXPECT_FALSE(d.source->watcher || d.x11.watched());
}

TEST(SessionWindows, TakesTheRichestSourceTheCompositorOffers) {
    // Wayland display, sway socket, the sources that connect, the one taken.
    const char* cases[][4] = {{"", "s", "sway kde wlr", ""},
                              {"w", "s", "sway wlr", "sway:s"},
                              {"w", "s", "wlr", "wlr:w"},
                              {"w", "", "sway kde wlr", "kde:w"},
                              {"w", "", "", ""}};
    for (const auto& c : cases) {
        QString taken;
        const auto offer = [&](QString kind) -> NativeConnectors::Connect {
            return [&, kind](const QString& where) -> std::unique_ptr<NativeWindowSource> {
                if (!QString(c[2]).split(' ').contains(kind))
                    return nullptr;
                taken = kind + ':' + where;
                return std::make_unique<FakeSource>();
            };
        };
        const SessionWindows s = connectSessionWindows({c[0], c[1]}, {offer("sway"), offer("kde"), offer("wlr")});
        EXPECT_EQ(taken, c[3]);
        EXPECT_EQ(s.notice, *c[0] && taken.isEmpty() ? kNoNativeWindowsNotice : QString());
    }
}
