#include "platform/linux/proc/linux_processes.h"
#include "platform/linux/proc/proc_files.h"
#include "platform/linux/proc/proc_memory_info.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace platform;

namespace {

void writeFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

const QByteArray statTail = " S 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 987654321 20 21\n";

} // namespace

TEST(ProcFiles, StartTimeIsCountedFromTheLastParenthesis) {
    const struct {
        QByteArray stat;
        std::optional<std::uint64_t> expected;
    } cases[] = {
        {"42 (bash)" + statTail, 987654321},
        {"42 (odd) name (x))" + statTail, 987654321},
        {"42 (a b) S 1 2 3)" + statTail, 987654321},
        {"42 ()" + statTail, 987654321},
        {"42 (bash) S 1 2 3", std::nullopt},
        {"42 bash" + statTail, std::nullopt},
        {"42 (bash) S 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 -5 20", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(procfs::parseStartTime(c.stat), c.expected) << c.stat.constData();
}

TEST(ProcFiles, ResidentPagesIsTheSecondField) {
    EXPECT_EQ(procfs::parseResidentPages("1000 250 30 4 0 60 0\n"), 250u);
    EXPECT_EQ(procfs::parseResidentPages("1000"), std::nullopt);
    EXPECT_EQ(procfs::parseResidentPages("1000 x 30"), std::nullopt);
}

TEST(LinuxProcesses, IdsUpToOneAndTheOwnProcessAreNeverTouched) {
    LinuxProcesses processes;
    for (ProcessId pid : {0u, 1u})
        EXPECT_FALSE(processes.identify(pid)) << pid;
    const auto self = processes.identify(processes.currentProcessId());
    ASSERT_TRUE(self);
    for (const ProcessIdentity& process : {ProcessIdentity{0, 0}, ProcessIdentity{1, 0}, *self})
        EXPECT_FALSE(processes.terminateProcess(process)) << process.pid;
}

TEST(LinuxProcesses, WorkingSetFromAProcfsTree) {
    QTemporaryDir root;
    writeFile(root.filePath("77/statm"), "5000 300 20 1 0 100 0\n");
    writeFile(root.filePath("78/statm"), "garbage\n");
    LinuxProcesses processes(root.path());
    const auto page = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    EXPECT_EQ(processes.workingSetBytes(77), 300 * page);
    EXPECT_EQ(processes.workingSetBytes(78), 0u);
    EXPECT_EQ(processes.workingSetBytes(79), 0u);
    EXPECT_EQ(processes.workingSetBytes(0), 0u);
    EXPECT_FALSE(processes.identify(77)); // no stat file
}

TEST(ProcMemoryInfo, MapsMeminfoAndTheOwnAddressSpace) {
    QTemporaryDir root;
    writeFile(root.filePath("meminfo"), "MemTotal:        8000000 kB\n"
                                        "MemFree:         1000000 kB\n"
                                        "MemAvailable:    3000000 kB\n"
                                        "Buffers:          100000 kB\n"
                                        "SwapTotal:       2000000 kB\n"
                                        "SwapFree:        1500000 kB\n"
                                        "HugePages_Total:       0\n");
    writeFile(root.filePath("self/status"), "Name:\ttest\nVmPeak:\t  300000 kB\nVmSize:\t  200000 kB\n");
    const MemoryStatus status = ProcMemoryInfo(root.path()).globalMemoryStatus();
    EXPECT_EQ(status.totalPhys, 8000000ull * 1024);
    EXPECT_EQ(status.availPhys, 3000000ull * 1024);
    EXPECT_EQ(status.totalPageFile, 10000000ull * 1024);
    EXPECT_EQ(status.availPageFile, 4500000ull * 1024);
    EXPECT_EQ(status.memoryLoad, 62u); // 62.5 % in use, to the even neighbour
    EXPECT_EQ(status.totalVirtual, ProcMemoryInfo::addressSpaceSize());
    EXPECT_EQ(status.availVirtual, ProcMemoryInfo::addressSpaceSize() - 200000ull * 1024);
}

TEST(ProcMemoryInfo, OldKernelsAndMissingFiles) {
    // Without MemAvailable, free memory plus buffers and page cache.
    const MemoryStatus old = ProcMemoryInfo::fromTexts("MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\n"
                                                       "Cached: 250 kB\nSwapTotal: 0 kB\nSwapFree: 0 kB\n",
                                                       "");
    EXPECT_EQ(old.availPhys, 400u * 1024);
    EXPECT_EQ(old.memoryLoad, 60u);
    EXPECT_EQ(old.availVirtual, ProcMemoryInfo::addressSpaceSize());

    QTemporaryDir empty;
    const MemoryStatus none = ProcMemoryInfo(empty.path()).globalMemoryStatus();
    EXPECT_EQ(none.totalPhys, 0u);
    EXPECT_EQ(none.memoryLoad, 0u);
    EXPECT_EQ(none.totalVirtual, ProcMemoryInfo::addressSpaceSize());
}

TEST(ProcMemoryInfo, RealMachineIsConsistent) {
    const MemoryStatus status = ProcMemoryInfo().globalMemoryStatus();
    EXPECT_GT(status.totalPhys, 0u);
    EXPECT_LE(status.availPhys, status.totalPhys);
    EXPECT_LE(status.memoryLoad, 100u);
    EXPECT_LT(status.availVirtual, status.totalVirtual);
}
