#include "platform/fake/fake_platform.h"
#include "platform/linux/session_windows.h"

#include <gtest/gtest.h>

using namespace platform;
using Mode = MergedWindowSystem::XWaylandWindows;

namespace {

struct FakeSource : NativeWindowSource {
    std::vector<NativeWindow> list;
    std::vector<WindowHandle> closed;
    Changed watcher;
    QString name() const override { return QStringLiteral("fake"); }
    std::vector<NativeWindow> windows() override { return list; }
    bool close(WindowHandle handle) override { return closed.push_back(handle), true; }
    void watch(Changed changed) override { watcher = std::move(changed); }
};

NativeWindow native(WindowHandle n, const char* title, ProcessId pid = 0, const char* appId = "", bool xw = false) {
    return NativeWindow{kNativeHandleBit | n, QString::fromUtf8(title), true, pid, QString::fromUtf8(appId), 0, xw};
}

QStringList titles(const std::vector<WindowInfo>& windows) {
    QStringList out;
    for (const WindowInfo& w : windows)
        out << w.title;
    return out;
}

struct Desktop {
    fake::FakePlatform x11;
    FakeSource* source = new FakeSource;
    MergedWindowSystem merged;
    explicit Desktop(Mode mode) : merged(x11, std::unique_ptr<FakeSource>(source), mode, {4242, {"own.app"}}) {
        x11.addWindow("hidden X", false, 7); // hidden: no compositor lists it
        x11.addWindow("xterm", true, 8);
    }
};

} // namespace

TEST(MergedWindowSystem, ListsEachWindowOnceNativeFirst) {
    NativeWindow marked = native(3, "xterm");
    marked.x11Window = 0x200001;
    const struct {
        Mode mode;
        std::vector<NativeWindow> native;
        QStringList expected;
    } cases[] = {
        {Mode::Marked, {native(1, "foot"), native(2, "xterm", 0, "", true), marked}, {"foot", "xterm", "hidden X"}},
        // Marked sources keep a native window that only shares an X11 window's title.
        {Mode::Marked, {native(1, "xterm")}, {"xterm", "xterm", "hidden X"}},
        {Mode::ByTitle,
         {native(1, "xterm"), native(2, "xterm"), native(3, "foot")},
         {"xterm", "foot", "xterm", "hidden X"}},
        // A hidden X11 window is not on the compositor's list, so its namesake there is native.
        {Mode::ByTitle, {native(1, "hidden X")}, {"hidden X", "xterm", "hidden X"}},
    };
    for (const auto& c : cases) {
        Desktop d(c.mode);
        d.source->list = c.native;
        EXPECT_EQ(titles(d.merged.topLevelWindows()), c.expected) << c.expected.join('|').toStdString();
    }
}

TEST(MergedWindowSystem, RoutesEachHandleToItsOwnSide) {
    Desktop d(Mode::Marked);
    d.source->list = {native(1, "foot", 99), native(2, "torvane", 0, "own.app"), native(3, "other", 0, "x.y")};
    const WindowHandle xterm = d.x11.windows().front().handle;
    EXPECT_EQ(d.merged.windowProcessId(kNativeHandleBit | 1), 99u);
    EXPECT_EQ(d.merged.windowProcessId(kNativeHandleBit | 2), 4242u);
    EXPECT_EQ(d.merged.windowProcessId(kNativeHandleBit | 3), 0u);
    EXPECT_EQ(d.merged.windowProcessId(kNativeHandleBit | 9), 0u);
    EXPECT_EQ(d.merged.windowProcessId(xterm), 8u);
    d.merged.postCloseMessage(kNativeHandleBit | 1);
    d.merged.postCloseMessage(xterm);
    EXPECT_EQ(d.source->closed, std::vector<WindowHandle>{kNativeHandleBit | 1});
    EXPECT_EQ(d.x11.closeRequests(), std::vector<WindowHandle>{xterm});
}

TEST(MergedWindowSystem, WatchReportsNativeWindowsBesideX11Ones) {
    Desktop d(Mode::ByTitle);
    std::vector<QStringList> reports;
    d.merged.watchWindows([&](const std::vector<WindowInfo>& w) { reports.push_back(titles(w)); });
    d.source->watcher({native(1, "xterm"), native(2, "foot", 5)});
    d.source->watcher({native(3, "xterm")}); // only XWayland's: nothing to report
    d.x11.announceWindows({d.x11.windows().front().handle});
    EXPECT_EQ(reports, (std::vector<QStringList>{{"foot"}, {"xterm"}}));
    EXPECT_EQ(d.merged.windowProcessId(kNativeHandleBit | 2), 5u); // known from the report alone
    d.merged.watchWindows({});
    EXPECT_FALSE(d.source->watcher);
    EXPECT_FALSE(d.x11.watched());
}

TEST(SessionWindows, TakesTheRichestSourceTheCompositorOffers) {
    const struct {
        const char *wayland, *sway, *offered, *expected;
        bool notice;
    } cases[] = {
        {"", "/run/sway.sock", "sway kde wlr", "", false}, // an X11 session: X11 alone, silently
        {"wayland-1", "/run/sway.sock", "sway wlr", "sway:/run/sway.sock", false},
        {"wayland-1", "/run/sway.sock", "wlr", "wlr:wayland-1", false},
        {"wayland-1", "", "sway kde wlr", "kde:wayland-1", false},
        {"wayland-1", "", "", "", true}, // GNOME
    };
    for (const auto& c : cases) {
        QString chosen;
        const auto offer = [&](const char* kind) -> NativeConnectors::Connect {
            return [&, kind](const QString& where) -> std::unique_ptr<NativeWindowSource> {
                if (!QString::fromLatin1(c.offered).split(' ').contains(kind))
                    return nullptr;
                chosen = QString::fromLatin1(kind) + ':' + where;
                return std::make_unique<FakeSource>();
            };
        };
        const SessionWindows s =
            connectSessionWindows({c.wayland, c.sway}, {offer("sway"), offer("kde"), offer("wlr")});
        EXPECT_EQ(chosen, QString::fromLatin1(c.expected)) << c.offered;
        EXPECT_EQ(s.source != nullptr, !chosen.isEmpty());
        EXPECT_EQ(s.notice, c.notice ? kNoNativeWindowsNotice : QString());
    }
}
