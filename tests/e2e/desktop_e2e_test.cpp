// Torvane as a desktop program: installed into a prefix, started a second time, asked for its
// version without a display.
#include "e2e/running_torvane.h"
#include "platform/linux/x11_window_system.h"
#include "support/dbus_mock.h"
#include "support/xvfb_server.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <initializer_list>

using platform::WindowInfo;

namespace {

// "Settings.ini" as a first start saves it, with records (1-based) switched on or off.
QByteArray settings(std::initializer_list<int> on, std::initializer_list<int> off = {}) {
    QByteArray records(28, '\0');
    for (int record : {3, 4, 5, 7, 9, 10, 11, 16, 18, 19, 20, 23, 24, 28})
        records[record - 1] = 1;
    for (int record : on)
        records[record - 1] = 1;
    for (int record : off)
        records[record - 1] = 0;
    return records;
}
constexpr int kStartWithCoreTemp = 17;
constexpr int kWindowShown = 24;

bool writeFile(const QString& path, const QByteArray& bytes, QFile::Permissions permissions = {}) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    return !permissions || QFile::setPermissions(path, permissions);
}

int windowWidth(const QString& display, platform::WindowHandle window) {
    xcb_connection_t* c = xcb_connect(display.toLatin1().constData(), nullptr);
    xcb_get_geometry_reply_t* reply = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    const int width = reply ? reply->width : -1;
    std::free(reply);
    xcb_disconnect(c);
    return width;
}

bool waitForVisible(platform::X11WindowSystem& x, const QString& prefix, bool visible, int ms = 20000) {
    return waitUntil(
        [&] {
            const auto w = findWindowByPrefix(x, prefix);
            return w && w->visible == visible;
        },
        ms);
}

TEST(DesktopE2e, InstalledItKeepsItsFilesPerUserAndFindsItsHelpAndCoreTemp) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString prefix = root.path() + "/prefix";
    const QString home = root.path() + "/home";
    ASSERT_TRUE(QDir().mkpath(home));
    QProcess install;
    install.start(QStringLiteral(CMAKE_COMMAND), {"--install", TORVANE_BUILD_DIR, "--prefix", prefix});
    ASSERT_TRUE(install.waitForFinished(120000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
    ASSERT_FALSE(QFile::exists(prefix + "/bin/Help"));
    // A stand-in for the installed publisher that only says it was started: the real one would
    // publish this machine's temperatures under the shared name.
    const QString coreTemp = prefix + "/libexec/torvane/core-temp";
    ASSERT_TRUE(QFile::exists(coreTemp));
    ASSERT_TRUE(writeFile(coreTemp, "#!/bin/sh\necho \"$0\" > \"$HOME/core-temp-started\"\n",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    XvfbServer server;
    const QString d = server.display();
    platform::X11WindowSystem x(d);
    const QMap<QString, QString> environment{{"HOME", home}, {"XDG_DATA_HOME", ""}, {"XDG_CONFIG_HOME", ""}};
    const QString data = home + "/.local/share/torvane";
    {
        RunningTorvane torvane(d, nullptr, environment, prefix + "/bin/torvane");
        ASSERT_TRUE(waitForVisible(x, "Torvane", true)) << "the main window did not appear";
        struct stat info {};
        ASSERT_EQ(stat(QFile::encodeName(data).constData(), &info), 0) << "no " << data.toStdString();
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        EXPECT_TRUE(QFile::exists(data + "/AllLists.sav"));

        // "Show Help" sits at the right end of the row below the menu bar. The help window narrows
        // to its topic list once the index has loaded.
        const auto main = findWindowByPrefix(x, "Torvane");
        const QString showHelpX = QString::number(windowWidth(d, main->handle) - 50);
        ASSERT_TRUE(
            runXdotool(d, {"mousemove", "--window", QString::number(main->handle), showHelpX, "38", "click", "1"}));
        ASSERT_TRUE(waitForVisible(x, "Help", true, 10000)) << "the help window did not open";
        const auto help = findWindowByPrefix(x, "Help");
        EXPECT_TRUE(waitUntil([&] { return windowWidth(d, help->handle) < 600; }, 5000))
            << "no help topics: width " << windowWidth(d, help->handle);

        x.postCloseMessage(main->handle);
        ASSERT_TRUE(torvane.waitForExit(15000));
    }
    // The next start reads its options from the same folder and starts the installed Core Temp.
    ASSERT_TRUE(writeFile(data + "/Settings.ini", settings({kStartWithCoreTemp})));
    RunningTorvane again(d, nullptr, environment, prefix + "/bin/torvane");
    EXPECT_TRUE(waitUntil([&] { return QFile::exists(home + "/core-temp-started"); }, 20000))
        << "the installed core-temp was not started";
    EXPECT_FALSE(QFile::exists(prefix + "/bin/AllLists.sav"));
}

TEST(DesktopE2e, ASecondStartShowsTheWindowHiddenInTheTrayAndEnds) {
    if (!DBusMockLogind::available())
        GTEST_SKIP() << "dbus-daemon is not installed";
    DBusMockLogind bus(QStringLiteral("{}"), false);
    ASSERT_TRUE(bus.running()) << bus.error().toStdString();
    XvfbServer server;
    const QString d = server.display();
    platform::X11WindowSystem x(d);
    const QMap<QString, QString> environment{{"DBUS_SESSION_BUS_ADDRESS", bus.address()}};
    RunningTorvane first(
        d, [](const QString& baseDir) { writeFile(baseDir + "Settings.ini", settings({}, {kWindowShown})); },
        environment);
    // The caption grows its status at the first tick, after the settings hid the window.
    ASSERT_TRUE(waitUntil(
        [&] {
            const auto w = findWindowByPrefix(x, "Torvane");
            return w && w->title != "Torvane" && !w->visible;
        },
        20000))
        << "the window was not hidden to the tray";

    QProcess second;
    QProcessEnvironment env = first.process().processEnvironment();
    second.setProcessEnvironment(env);
    second.start(first.baseDir() + "torvane", {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    EXPECT_TRUE(waitForVisible(x, "Torvane", true)) << "the running window did not come back";
    EXPECT_EQ(first.process().state(), QProcess::Running);
}

TEST(DesktopE2e, HelpAndVersionNeedNoDisplay) {
    for (const char* option : {"--version", "--help"}) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(TORVANE_EXE), {option});
        ASSERT_TRUE(process.waitForFinished(15000));
        EXPECT_EQ(process.exitCode(), 0) << option;
        EXPECT_TRUE(process.readAllStandardOutput().contains("torvane")) << option;
    }
}

} // namespace
