// The wlroots foreign toplevel source against a private sway and the project's own test client.
#include "platform/linux/wayland/wlr_toplevels.h"
#include "support/headless_sway.h"
#include "support/pump_until.h"

#include <gtest/gtest.h>

using platform::NativeWindow;

namespace {

const NativeWindow* titled(const std::vector<NativeWindow>& windows, const QString& title) {
    auto it = std::find_if(windows.begin(), windows.end(), [&](const NativeWindow& w) { return w.title == title; });
    return it == windows.end() ? nullptr : &*it;
}

} // namespace

TEST(WlrToplevels, ListsRetitlesAndClosesSwayWindows) {
    if (const QString reason = HeadlessSway::unavailableReason(); !reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();
    HeadlessSway sway;
    auto editor = sway.startClient(QStringLiteral("Editor — notes"), QStringLiteral("org.example.editor"));
    auto mail = sway.startClient(QStringLiteral("Mail"));
    auto source = platform::connectWlrToplevels(sway.waylandDisplay());
    ASSERT_TRUE(source);
    const std::vector<NativeWindow> windows = source->windows();
    const NativeWindow* e = titled(windows, QStringLiteral("Editor — notes"));
    const NativeWindow* m = titled(windows, QStringLiteral("Mail"));
    ASSERT_TRUE(e && m);
    EXPECT_EQ(std::tuple(e->appId, e->visible, e->pid), std::tuple(QString("org.example.editor"), true, 0u));
    // The window started last has the focus and comes first.
    EXPECT_EQ(windows.front().handle, m->handle);
    const platform::WindowHandle editorHandle = e->handle, mailHandle = m->handle;

    std::vector<NativeWindow> seen;
    source->watch([&](const std::vector<NativeWindow>& w) { seen.insert(seen.end(), w.begin(), w.end()); });
    ASSERT_TRUE(editor->retitle(QStringLiteral("Editor — final")));
    EXPECT_TRUE(pumpUntil([&] {
        const NativeWindow* w = titled(seen, QStringLiteral("Editor — final"));
        return w && w->handle == editorHandle;
    }));

    EXPECT_TRUE(source->close(mailHandle));
    EXPECT_TRUE(mail->waitClosed());
    EXPECT_TRUE(pumpUntil([&] { return !titled(source->windows(), QStringLiteral("Mail")); }));
    EXPECT_FALSE(source->close(mailHandle));
    EXPECT_TRUE(editor->running());
}
