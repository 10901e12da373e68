// Torvane as a desktop program: installed into a prefix, started a second time, asked for its
// version without a display.
#include "e2e/running_torvane.h"
#include "support/dbus_mock.h"
#include "support/xvfb_server.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <xcb/xcb.h>

namespace {

// "Settings.ini" as a first start saves it, with one record (1-based) flipped.
QByteArray settingsWith(int flipped) {
    QByteArray records(28, '\0');
    for (int record : {3, 4, 5, 7, 9, 10, 11, 16, 18, 19, 20, 23, 24, 28})
        records[record - 1] = 1;
    records[flipped - 1] = !records[flipped - 1];
    return records;
}
constexpr int kStartWithCoreTemp = 17;
constexpr int kWindowShown = 24;

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

int windowWidth(const QString& display, platform::WindowHandle window) {
    xcb_connection_t* c = xcb_connect(display.toLatin1().constData(), nullptr);
    xcb_get_geometry_reply_t* reply = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    const int width = reply ? reply->width : -1;
    free(reply);
    xcb_disconnect(c);
    return width;
}

bool waitForVisible(platform::X11WindowSystem& x, const QString& prefix, bool visible = true) {
    return waitUntil([&] { return findWindowByPrefix(x, prefix).value_or(platform::WindowInfo{}).visible == visible; },
                     20000);
}

TEST(DesktopE2e, InstalledItKeepsItsFilesPerUserAndFindsItsHelpAndCoreTemp) {
    QTemporaryDir root;
    const QString prefix = root.path() + "/prefix", home = root.path() + "/home";
    const QString data = home + "/.local/share/torvane";
    QProcess install;
    install.start(QStringLiteral(CMAKE_COMMAND), {"--install", TORVANE_BUILD_DIR, "--prefix", prefix});
    ASSERT_TRUE(install.waitForFinished(120000) && install.exitCode() == 0);
    // A stand-in for the installed publisher that only tells it was started: the real one would
    // publish this machine's temperatures under the shared name.
    const QString coreTemp = prefix + "/libexec/torvane/core-temp";
    ASSERT_TRUE(QFile::exists(coreTemp) && QDir().mkpath(home));
    ASSERT_TRUE(writeFile(coreTemp, "#!/bin/sh\ntouch \"$HOME/core-temp-started\"\n"));

    XvfbServer server;
    const QString d = server.display();
    platform::X11WindowSystem x(d);
    const QMap<QString, QString> environment{{"HOME", home}, {"XDG_DATA_HOME", ""}, {"XDG_CONFIG_HOME", ""}};
    {
        RunningTorvane torvane(d, nullptr, environment, prefix + "/bin/torvane");
        ASSERT_TRUE(waitForVisible(x, "Torvane"));
        struct stat info {};
        ASSERT_EQ(stat(QFile::encodeName(data).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        EXPECT_TRUE(QFile::exists(data + "/AllLists.sav"));

        // "Show Help" ends the row below the menu bar; the help window narrows to its topic list
        // once the index has loaded.
        const auto main = findWindowByPrefix(x, "Torvane");
        const QString showHelpX = QString::number(windowWidth(d, main->handle) - 50);
        ASSERT_TRUE(
            runXdotool(d, {"mousemove", "--window", QString::number(main->handle), showHelpX, "38", "click", "1"}));
        ASSERT_TRUE(waitForVisible(x, "Help"));
        EXPECT_TRUE(waitUntil([&] { return windowWidth(d, findWindowByPrefix(x, "Help")->handle) < 600; }, 5000));
        x.postCloseMessage(main->handle);
        ASSERT_TRUE(torvane.waitForExit(15000));
    }
    // The next start reads its options from the same folder and starts the installed Core Temp.
    ASSERT_TRUE(writeFile(data + "/Settings.ini", settingsWith(kStartWithCoreTemp)));
    RunningTorvane again(d, nullptr, environment, prefix + "/bin/torvane");
    EXPECT_TRUE(waitUntil([&] { return QFile::exists(home + "/core-temp-started"); }, 20000));
}

TEST(DesktopE2e, ASecondStartShowsTheWindowHiddenInTheTrayAndEnds) {
    DBusMockLogind bus(QStringLiteral("{}"), false);
    ASSERT_TRUE(bus.running()) << bus.error().toStdString();
    XvfbServer server;
    platform::X11WindowSystem x(server.display());
    RunningTorvane first(server.display(),
                         [](const QString& dir) { writeFile(dir + "Settings.ini", settingsWith(kWindowShown)); },
                         {{"DBUS_SESSION_BUS_ADDRESS", bus.address()}});
    // The caption grows its status at the first tick, after the settings hid the window.
    ASSERT_TRUE(waitUntil(
        [&] {
            const auto w = findWindowByPrefix(x, "Torvane");
            return w && w->title != "Torvane" && !w->visible;
        },
        20000));

    QProcess second;
    second.setProcessEnvironment(first.process().processEnvironment());
    second.start(first.baseDir() + "torvane", {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(waitForVisible(x, "Torvane"));
    EXPECT_EQ(first.process().state(), QProcess::Running);
}

TEST(DesktopE2e, HelpAndVersionNeedNoDisplay) {
    for (const char* option : {"--version", "--help"}) {
        QProcess process;
        process.setProcessEnvironment(QProcessEnvironment()); // no DISPLAY
        process.start(QStringLiteral(TORVANE_EXE), {option});
        ASSERT_TRUE(process.waitForFinished(15000));
        EXPECT_EQ(process.exitCode(), 0) << option;
        EXPECT_TRUE(process.readAllStandardOutput().contains(option[2] == 'v' ? "torvane 4" : "Usage: torvane"));
    }
}

} // namespace
