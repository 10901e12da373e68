#include "platform/linux/proc/linux_processes.h"
#include "support/x11_test_display.h"

#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

using platform::X11WindowSystem;

namespace {

QByteArray hostName() {
    char name[256] = {};
    gethostname(name, sizeof name - 1);
    return name;
}

} // namespace

TEST(X11Owner, ServerKnowsTheOwnerWhateverTheWindowClaims) {
    X11Child child = startChild({"--net-wm-pid", "424242", "--client-machine", "elsewhere.invalid", "--window",
                                 "--utf8", "Liar", "--window", "--managed", "iconic", "--utf8", "Framed liar"});
    X11WindowSystem windows(testDisplay().display());
    for (const auto& w : child.windows())
        EXPECT_EQ(windows.windowProcessId(w.client), child.pid());
}

TEST(X11Owner, ClaimedPidIsBelievedOnlyForThisHost) {
    const struct {
        const char* name;
        QStringList globals;
        std::uint32_t expected; // 0: the real pid of the child
    } cases[] = {
        {"this host", {"--net-wm-pid", "424242"}, 424242},
        {"another host", {"--net-wm-pid", "424242", "--client-machine", "elsewhere.invalid"}, 0},
        {"no machine", {"--net-wm-pid", "424242", "--no-client-machine"}, 0},
        {"no pid", {"--no-net-wm-pid"}, 0},
        {"true claim", {}, 1},
    };
    X11WindowSystem windows(testDisplay().display(), X11WindowSystem::OwnerLookup::PropertyOnly);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        X11Child child = startChild(c.globals + QStringList{"--window", "--utf8", "Claim"});
        const std::uint32_t expected = c.expected == 1 ? child.pid() : c.expected;
        EXPECT_EQ(windows.windowProcessId(child.windows()[0].client), expected);
    }
    EXPECT_FALSE(hostName().isEmpty());
}

TEST(X11Owner, GoneWindowHasNoOwnerAndGetsNoCloseMessage) {
    X11WindowSystem windows(testDisplay().display());
    EXPECT_EQ(windows.windowProcessId(0), 0u);
    windows.postCloseMessage(0);

    // A window its still running client has destroyed: the server still knows the client.
    X11Child child = startChild(
        {"--window", "--utf8", "Destroyed", "--delete", "--destroyed", "--window", "--utf8", "Alive", "--delete"});
    const std::uint32_t gone = child.windows()[0].client;
    EXPECT_FALSE(findWindow(windows.topLevelWindows(), gone));
    EXPECT_EQ(windows.windowProcessId(gone), 0u);
    EXPECT_EQ(windows.windowProcessId(child.windows()[1].client), child.pid());
    windows.postCloseMessage(gone);
    EXPECT_FALSE(xcb_connection_has_error(windows.connection()));
    // Messages arrive in order: the close of the live window ends the child, so had anything been
    // sent for the destroyed one, it would have been reported first.
    windows.postCloseMessage(child.windows()[1].client);
    ASSERT_TRUE(child.waitForExit());
    EXPECT_EQ(child.exitCode(), 0);
    EXPECT_EQ(child.output(), QByteArray());
}

TEST(X11Owner, WindowOfAnEndedClientHasNoOwner) {
    X11WindowSystem windows(testDisplay().display());
    std::uint32_t handle = 0;
    {
        X11Child child = startChild({"--window", "--utf8", "Soon gone", "--delete"});
        handle = child.windows()[0].client;
    }
    EXPECT_TRUE(eventually([&] { return windows.windowProcessId(handle) == 0; }));
    windows.postCloseMessage(handle);
    EXPECT_FALSE(xcb_connection_has_error(windows.connection()));
    X11Child other = startChild({"--window", "--utf8", "Still listed"});
    EXPECT_TRUE(findWindow(windows.topLevelWindows(), other.windows()[0].client));
}

TEST(X11Close, CooperativeWindowClosesAndOthersGetNothing) {
    // The first two windows do not list WM_DELETE_WINDOW; the child reports any message it gets
    // there. Messages arrive in order, so once the last window's close ends the child, the others
    // have demonstrably received nothing.
    X11Child child = startChild({"--window", "--utf8", "No protocols", "--window", "--utf8", "Focus only",
                                 "--take-focus", "--window", "--utf8", "Polite", "--take-focus", "--delete"});
    X11WindowSystem windows(testDisplay().display());
    for (const auto& w : child.windows())
        windows.postCloseMessage(w.client);
    ASSERT_TRUE(child.waitForExit());
    EXPECT_FALSE(child.crashed());
    EXPECT_EQ(child.exitCode(), 0);
    EXPECT_EQ(child.output(), QByteArray());
}

TEST(X11Kill, TerminatingTheOwnerEndsItAndAllItsWindows) {
    X11Child child =
        startChild({"--window", "--utf8", "Victim one", "--window", "--managed", "normal", "--utf8", "Victim two"});
    X11WindowSystem windows(testDisplay().display());
    platform::LinuxProcesses processes;
    const platform::ProcessId pid = windows.windowProcessId(child.windows()[1].client);
    ASSERT_EQ(pid, child.pid());
    const auto owner = processes.identify(pid);
    ASSERT_TRUE(owner);
    EXPECT_TRUE(processes.terminateProcess(*owner));
    ASSERT_TRUE(child.waitForExit());
    EXPECT_TRUE(child.crashed());
    EXPECT_TRUE(eventually([&] {
        const auto all = windows.topLevelWindows();
        return !findWindow(all, child.windows()[0].client) && !findWindow(all, child.windows()[1].client);
    }));
}

TEST(LinuxProcesses, ReusedPidIsLeftAlone) {
    X11Child child = startChild({"--window"});
    platform::LinuxProcesses processes;
    const auto process = processes.identify(child.pid());
    ASSERT_TRUE(process);
    // The same id with another start time stands for a process that has since ended.
    EXPECT_FALSE(processes.terminateProcess({process->pid, process->startTime + 1}));
    EXPECT_TRUE(child.running());
    EXPECT_TRUE(processes.terminateProcess(*process));
    ASSERT_TRUE(child.waitForExit());
    EXPECT_TRUE(child.crashed());
}

TEST(LinuxProcesses, WorkingSetIsResidentPagesTimesPageSize) {
    X11Child child = startChild({"--window"});
    platform::LinuxProcesses processes;
    const auto residentPages = [&] {
        QFile statm(QStringLiteral("/proc/%1/statm").arg(child.pid()));
        return statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ').value(1).toULongLong() : 0ull;
    };
    // The child may still be settling (slowly under sanitizers): compare only a reading taken while
    // its resident size held still.
    for (int attempt = 0; attempt < 50; ++attempt) {
        const std::uint64_t before = residentPages();
        const std::uint64_t bytes = processes.workingSetBytes(child.pid());
        if (before > 0 && residentPages() == before) {
            EXPECT_EQ(bytes, before * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE)));
            return;
        }
    }
    FAIL() << "the child's resident size never held still";
}
