// The built program on a private GNOME Shell, which shows its native windows only through
// Torvane's extension, and only to the executables the extension allows.
#include "e2e/running_torvane.h"
#include "platform/linux/wayland/session_windows.h"
#include "support/headless_gnome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <gtest/gtest.h>

namespace {

TEST(GnomeE2e, KillListedNativeWindowDiesSafeOneAndTorvaneLives) {
    // The program runs from a folder of its own, which holds its lists, and the extension is told
    // to answer that executable.
    QTemporaryDir home;
    const QString exe = torvaneWithNativeLists(home.path());

    QString whyNot;
    const auto gnome = HeadlessGnome::start(
        {QFileInfo(exe).canonicalFilePath(), QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath()},
        whyNot);
    if (!gnome)
        GTEST_SKIP() << whyNot.toStdString();
    RunningTorvane torvane(gnome->xwaylandDisplay(), nullptr,
                           {{"WAYLAND_DISPLAY", gnome->waylandDisplay()},
                            {"XAUTHORITY", gnome->xauthority()},
                            {"XDG_RUNTIME_DIR", gnome->runtimeDir()},
                            {"DBUS_SESSION_BUS_ADDRESS", gnome->sessionBusAddress()},
                            {"XDG_CURRENT_DESKTOP", "GNOME"},
                            {"SWAYSOCK", ""},
                            {"I3SOCK", ""}},
                           exe);
    // This test reads XWayland's windows too, with the cookie the shell made.
    const QByteArray oldCookie = qgetenv("XAUTHORITY");
    qputenv("XAUTHORITY", gnome->xauthority().toLocal8Bit());
    const auto restoreCookie = qScopeGuard([&] { qputenv("XAUTHORITY", oldCookie); });
    platform::X11WindowSystem x11(gnome->xwaylandDisplay());
    ASSERT_TRUE(waitUntil([&] { return findWindowByPrefix(x11, "Torvane  ").has_value(); }, 20000));

    const auto safe = gnome->startClient("Safe native", "io.github.torvane.SafeNative");
    const auto doomed = gnome->startClient("Doomed native", "io.github.torvane.DoomedNative");
    EXPECT_TRUE(doomed->waitForExit()) << "the kill-listed native window lives";
    EXPECT_FALSE(torvane.waitForExit(1500)) << "Torvane killed itself";
    EXPECT_TRUE(safe->running());

    // As Torvane sees the desktop: the native window once, the main window once, as its X11 window.
    platform::SessionWindows session =
        platform::connectSessionWindows({gnome->waylandDisplay(), {}, "GNOME", gnome->sessionBusAddress()});
    ASSERT_TRUE(session.source) << "the extension does not answer this test";
    EXPECT_EQ(session.source->name(), "GNOME Shell");
    EXPECT_EQ(mainAndSafeAsTorvaneSees(x11, std::move(session)), "Safe na native, Torvane X11");
}

} // namespace
