// Runs the built core-temp publisher against fake hwmon trees and reads its shared block back.

#include "platform/linux/ipc/posix_shared_memory.h"
#include "temperature/core_temp_block.h"
#include "temperature/core_temp_reader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using coretemp::CoreReadings;

struct Sensor {
    int index;
    const char* label; // nullptr: no label file
    const char* input; // nullptr: no input file
};

struct Device {
    const char* hwmon;
    const char* name;
    std::vector<Sensor> sensors;
};

void writeFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(text);
}

// A fake /sys with the given hwmon devices.
class FakeSysfs {
public:
    explicit FakeSysfs(const std::vector<Device>& devices) {
        QDir(m_dir.path()).mkpath(QStringLiteral("class/hwmon"));
        for (const Device& device : devices) {
            const QString folder = m_dir.path() + QStringLiteral("/class/hwmon/") + QLatin1String(device.hwmon);
            QDir().mkpath(folder);
            writeFile(folder + QStringLiteral("/name"), QByteArray(device.name) + '\n');
            for (const Sensor& s : device.sensors) {
                const QString stem = folder + QStringLiteral("/temp%1").arg(s.index);
                if (s.label)
                    writeFile(stem + QStringLiteral("_label"), QByteArray(s.label) + '\n');
                if (s.input)
                    writeFile(stem + QStringLiteral("_input"), QByteArray(s.input) + '\n');
            }
        }
    }
    QString root() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

QString uniqueShmName() {
    static int counter = 0;
    return QStringLiteral("/torvane-temperature-test-%1-%2").arg(getpid()).arg(++counter);
}

// Removes the test's object whatever the test's outcome.
struct ShmGuard {
    QString name = uniqueShmName();
    ~ShmGuard() { shm_unlink(name.toLocal8Bit().constData()); }
};

std::optional<QByteArray> readShm(const QString& name) {
    const int fd = shm_open(name.toLocal8Bit().constData(), O_RDONLY, 0);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    fstat(fd, &st);
    QByteArray bytes;
    if (st.st_size > 0) {
        void* view = mmap(nullptr, st.st_size, PROT_READ, MAP_SHARED, fd, 0);
        if (view != MAP_FAILED) {
            bytes = QByteArray(static_cast<const char*>(view), st.st_size);
            munmap(view, st.st_size);
        }
    }
    close(fd);
    return bytes;
}

QString coreTempProgram() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/core-temp");
}

struct ProgramRun {
    int exitCode = -1;
    QString errors;
};

ProgramRun runOnce(const QString& root, const QString& shmName) {
    QProcess process;
    process.start(coreTempProgram(), {QStringLiteral("--sysfs-root"), root, QStringLiteral("--shm-name"), shmName,
                                      QStringLiteral("--once")});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

CoreReadings readings(std::initializer_list<float> values) {
    CoreReadings r{};
    std::copy(values.begin(), values.end(), r.begin());
    return r;
}

const Device kAcpi{"hwmon0", "acpitz", {{1, nullptr, "27800"}}};

TEST(CoreTempProgram, ProgramIsBuiltBesideTheTests) {
    ASSERT_TRUE(QFile::exists(coreTempProgram()));
}

TEST(CoreTempProgram, PublishesCoreTemperaturesAt1544) {
    const FakeSysfs sysfs({kAcpi,
                           {"hwmon1",
                            "coretemp",
                            {{1, "Package id 0", "70000"},
                             {2, "Core 0", "45000"},
                             {3, "Core 1", "45500"},
                             {4, "Core 2", "52125"},
                             {5, "Core 3", "40000"}}}});
    ShmGuard shm;
    const ProgramRun run = runOnce(sysfs.root(), shm.name);
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const auto block = readShm(shm.name);
    ASSERT_TRUE(block.has_value());
    ASSERT_EQ(block->size(), 2686);
    EXPECT_EQ(block->mid(1544, 4), QByteArray::fromHex("00003442")); // 45.0f, little-endian
    EXPECT_EQ(coretemp::readingsFromBlock(*block), readings({45, 45.5f, 52.125f, 40}));
    EXPECT_EQ(block->left(1544).count('\0'), 1544);
    EXPECT_EQ(block->mid(1576).count('\0'), 2686 - 1576);
}

TEST(CoreTempProgram, PicksAndOrdersTheCoreSensors) {
    const struct {
        const char* what;
        std::vector<Device> devices;
        CoreReadings expected;
    } cases[] = {
        {"packages by id, cores by number, hwmon by number",
         {{"hwmon2", "coretemp", {{1, "Package id 1", "80000"}, {2, "Core 0", "60000"}, {3, "Core 4", "61000"}}},
          {"hwmon10", "coretemp", {{1, "Package id 0", "80000"}, {9, "Core 8", "52000"}, {2, "Core 0", "50000"}}}},
         readings({50, 52, 60, 61})},
        {"only the first eight cores",
         {{"hwmon0",
           "coretemp",
           {{2, "Core 0", "30000"},
            {3, "Core 1", "31000"},
            {4, "Core 2", "32000"},
            {5, "Core 3", "33000"},
            {6, "Core 4", "34000"},
            {7, "Core 5", "35000"},
            {8, "Core 6", "36000"},
            {9, "Core 7", "37000"},
            {10, "Core 8", "38000"},
            {11, "Core 9", "39000"}}}},
         readings({30, 31, 32, 33, 34, 35, 36, 37})},
        {"AMD CCDs rather than Tctl",
         {{"hwmon3", "k10temp", {{1, "Tctl", "70000"}, {4, "Tccd2", "55250"}, {3, "Tccd1", "54000"}}}},
         readings({54, 55.25f})},
        {"zenpower CCDs", {{"hwmon0", "zenpower", {{1, "Tdie", "70000"}, {3, "Tccd1", "48000"}}}}, readings({48})},
        {"AMD without CCDs: Tdie before Tctl",
         {{"hwmon0", "k10temp", {{1, "Tctl", "70000"}, {2, "Tdie", "60000"}}}},
         readings({60})},
        {"old k10temp without labels", {{"hwmon0", "k10temp", {{1, nullptr, "41000"}}}}, readings({41})},
        {"per-core sensors win over AMD ones",
         {{"hwmon0", "k10temp", {{3, "Tccd1", "54000"}}}, {"hwmon1", "coretemp", {{2, "Core 0", "44000"}}}},
         readings({44})},
        {"garbage, vanished and impossible readings give 0 in their own slots",
         {{"hwmon0",
           "coretemp",
           {{2, "Core 0", "garbage"},
            {3, "Core 1", "50000"},
            {4, "Core 2", nullptr},
            {5, "Core 3", "160000"},
            {6, "Core 4", ""},
            {7, "Core 5", "-"},
            {8, "Core 6", "47000"}}}},
         readings({0, 50, 0, 0, 0, 0, 47})},
    };
    for (const auto& c : cases) {
        const FakeSysfs sysfs(c.devices);
        ShmGuard shm;
        const ProgramRun run = runOnce(sysfs.root(), shm.name);
        ASSERT_EQ(run.exitCode, 0) << c.what << ": " << run.errors.toStdString();
        const auto block = readShm(shm.name);
        ASSERT_TRUE(block.has_value()) << c.what;
        EXPECT_EQ(coretemp::readingsFromBlock(*block), c.expected) << c.what;
    }
}

// Real hwmon entries are links into the device tree, and old kernels keep the files under device/.
TEST(CoreTempProgram, FollowsLinksAndDeviceFolders) {
    QTemporaryDir dir;
    const QString root = dir.path();
    const QString linked = root + QStringLiteral("/devices/platform/coretemp.0/hwmon/hwmon4");
    const QString old = root + QStringLiteral("/class/hwmon/hwmon1/device");
    ASSERT_TRUE(QDir().mkpath(linked) && QDir().mkpath(old));
    writeFile(linked + QStringLiteral("/name"), "coretemp\n");
    writeFile(linked + QStringLiteral("/temp2_label"), "Core 0\n");
    writeFile(linked + QStringLiteral("/temp2_input"), "43000\n");
    ASSERT_TRUE(QFile::link(linked, root + QStringLiteral("/class/hwmon/hwmon4")));
    writeFile(old + QStringLiteral("/name"), "coretemp\n");
    writeFile(old + QStringLiteral("/temp2_label"), "Core 0\n");
    writeFile(old + QStringLiteral("/temp2_input"), "41000\n");

    ShmGuard shm;
    const ProgramRun run = runOnce(root, shm.name);
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(coretemp::readingsFromBlock(readShm(shm.name).value_or(QByteArray())), readings({41, 43}));
}

TEST(CoreTempProgram, NoSensorsIsAClearFailure) {
    const FakeSysfs onlyAcpi({kAcpi});
    const FakeSysfs empty({});
    for (const QString& root : {onlyAcpi.root(), empty.root(), empty.root() + QStringLiteral("/missing")}) {
        ShmGuard shm;
        const ProgramRun run = runOnce(root, shm.name);
        EXPECT_NE(run.exitCode, 0) << root.toStdString();
        EXPECT_TRUE(run.errors.contains(QStringLiteral("no CPU temperature sensors"))) << run.errors.toStdString();
        EXPECT_FALSE(readShm(shm.name).has_value()) << root.toStdString();
    }
}

TEST(CoreTempProgram, ReplacesWhateverAnOldObjectHeld) {
    const FakeSysfs sysfs({{"hwmon0", "coretemp", {{2, "Core 0", "45000"}}}});
    ShmGuard shm;
    const int fd = shm_open(shm.name.toLocal8Bit().constData(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    const QByteArray junk(5000, '\x55');
    ASSERT_EQ(write(fd, junk.constData(), junk.size()), junk.size());
    close(fd);

    const ProgramRun run = runOnce(sysfs.root(), shm.name);
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const auto block = readShm(shm.name);
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(*block, coretemp::blockFromReadings(readings({45})));
}

TEST(CoreTempProgram, KeepsPublishingUntilStoppedThenRemovesTheObject) {
    const FakeSysfs sysfs({{"hwmon0", "coretemp", {{2, "Core 0", "45000"}, {3, "Core 1", "46000"}}}});
    ShmGuard shm;
    QProcess process;
    process.setReadChannel(QProcess::StandardError);
    process.start(coreTempProgram(),
                  {QStringLiteral("--sysfs-root"), sysfs.root(), QStringLiteral("--shm-name"), shm.name});
    ASSERT_TRUE(process.waitForStarted(60000));
    // The program announces itself once the first reading is in place.
    QByteArray announced;
    while (!announced.contains('\n') && process.waitForReadyRead(60000))
        announced += process.readAllStandardError();
    ASSERT_TRUE(announced.contains("publishing 2 core temperature(s)")) << announced.toStdString();
    const auto block = readShm(shm.name);
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(coretemp::readingsFromBlock(*block), readings({45, 46}));

    // A second publisher of the same name backs off and leaves the object alone.
    const FakeSysfs other({{"hwmon0", "coretemp", {{2, "Core 0", "99000"}}}});
    const ProgramRun second = runOnce(other.root(), shm.name);
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_TRUE(second.errors.contains(QStringLiteral("already publishes"))) << second.errors.toStdString();
    EXPECT_EQ(coretemp::readingsFromBlock(*readShm(shm.name)), readings({45, 46}));

    ASSERT_EQ(::kill(static_cast<pid_t>(process.processId()), SIGTERM), 0);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_FALSE(readShm(shm.name).has_value());
}

TEST(CoreTempProgram, AKilledPublisherLeavesNoReading) {
    const FakeSysfs sysfs({{"hwmon0", "coretemp", {{2, "Core 0", "45000"}}}});
    ShmGuard shm;
    qputenv("TORVANE_CORE_TEMP_OBJECT", shm.name.mid(1).toUtf8()); // the reader's name, without "/"
    const auto restore = qScopeGuard([] { qunsetenv("TORVANE_CORE_TEMP_OBJECT"); });
    QProcess process;
    process.setReadChannel(QProcess::StandardError);
    process.start(coreTempProgram(), {QStringLiteral("--sysfs-root"), sysfs.root()}); // the name from the variable
    ASSERT_TRUE(process.waitForStarted(60000));
    QByteArray announced;
    while (!announced.contains('\n') && process.waitForReadyRead(60000))
        announced += process.readAllStandardError();
    platform::PosixSharedMemory memory;
    EXPECT_EQ(readCoreTemps(memory), readings({45}));

    ASSERT_EQ(::kill(static_cast<pid_t>(process.processId()), SIGKILL), 0);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_TRUE(readShm(shm.name).has_value()) << "a killed publisher cannot remove its object";
    EXPECT_EQ(readCoreTemps(memory), std::nullopt) << "its last readings must not look current";
}

} // namespace
