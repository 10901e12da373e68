#include "e2e/running_torvane.h"
#include "platform/linux/x11/x11_window_system.h"
#include "support/x11_child.h"
#include "support/xvfb_server.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <sys/mman.h>
#include <unistd.h>

using platform::WindowInfo;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Publisher and program meet in an object of this test, never in the machine-wide one.
class PrivateTemperatureObject {
public:
    PrivateTemperatureObject() {
        qputenv("TORVANE_CORE_TEMP_OBJECT", QStringLiteral("torvane-e2e-temperature-%1").arg(getpid()).toUtf8());
    }
    ~PrivateTemperatureObject() {
        shm_unlink(("/" + qgetenv("TORVANE_CORE_TEMP_OBJECT")).constData());
        qunsetenv("TORVANE_CORE_TEMP_OBJECT");
    }
};

TEST(TemperatureE2e, AJumpOpensTheInvestigatorForTheWindowThatAppearedButNeverForTorvane) {
    const PrivateTemperatureObject object;
    // A fake hwmon tree that the companion publisher reads every second.
    QTemporaryDir sysfs;
    ASSERT_TRUE(sysfs.isValid());
    const QString sensor = sysfs.path() + "/class/hwmon/hwmon0";
    ASSERT_TRUE(QDir().mkpath(sensor));
    writeFile(sensor + "/name", "coretemp\n");
    writeFile(sensor + "/temp2_label", "Core 0\n");
    writeFile(sensor + "/temp2_input", "45000\n");
    QProcess coreTemp;
    coreTemp.setProcessChannelMode(QProcess::ForwardedChannels);
    coreTemp.start(QCoreApplication::applicationDirPath() + "/core-temp", {"--sysfs-root", sysfs.path()});
    ASSERT_TRUE(coreTemp.waitForStarted(10000));

    XvfbServer server;
    platform::X11WindowSystem x(server.display());
    // With "Detect task-related reasons for temperature changes" on.
    RunningTorvane torvane(server.display(), [](const QString& baseDir) {
        writeFile(baseDir + "Settings.ini", firstStartSettings({21}));
    });

    // The caption reports the published temperature once Torvane reads it.
    EXPECT_TRUE(waitUntil(
        [&] {
            const auto w = findWindowByPrefix(x, "Torvane");
            return w && w->title.endsWith(", 45 C core temperature");
        },
        20000))
        << "the temperature never reached the caption";

    // A jump with no new program: only Torvane's own caption changed, and it is no reason.
    writeFile(sensor + "/temp2_input", "56000\n");
    EXPECT_TRUE(waitUntil(
        [&] {
            const auto w = findWindowByPrefix(x, "Torvane");
            return w && w->title.endsWith(", 56 C core temperature");
        },
        20000));
    EXPECT_FALSE(waitUntil(
        [&] {
            const auto w = findWindowByPrefix(x, "TempInvestigator");
            return w && w->visible;
        },
        2000))
        << "the investigator accused Torvane";

    X11Child heat(server.display(), {"--window", "--utf8", "Heat source"});
    writeFile(sensor + "/temp2_input", "67000\n");
    EXPECT_TRUE(waitUntil(
        [&] {
            const auto w = findWindowByPrefix(x, "TempInvestigator");
            return w && w->visible;
        },
        15000))
        << "the investigator did not appear after the jump";

    coreTemp.terminate(); // ours: it removes its object and ends
    coreTemp.waitForFinished(10000);
}

} // namespace
