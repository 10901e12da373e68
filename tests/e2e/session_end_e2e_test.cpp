// Every way the program ends keeps what the user changed: termination signals take the exit
// sequence, and a kill or a lost X server finds the change already on disk.
#include "e2e/running_torvane.h"
#include "lists/list_file.h"
#include "platform/linux/x11_window_system.h"
#include "platform/torvane_error.h"
#include "support/xvfb_server.h"

#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace {

constexpr int kStartMs = 20000; // bounds against hanging, not speed checks
constexpr int kWaitMs = 15000;

QString listFile(const QString& baseDir) {
    return baseDir + QStringLiteral("AllLists.sav");
}

// Two safe names and one kill name, as an earlier run left them.
void prepareLists(const QString& baseDir) {
    saveListFile(listFile(baseDir), {{"Alpha", 0}, {"Beta", 0}}, {{"Gamma", 0}});
}

// True when the list file holds the lists after "Clear Safe List".
bool holdsClearedSafeList(const QString& baseDir) {
    try {
        const ListFileSections lists = loadListFile(listFile(baseDir));
        return lists.error.isEmpty() && lists.safe.empty() && lists.kill == TaskList{{"Gamma", 0}};
    } catch (const TorvaneError&) {
        return false;
    }
}

bool settingsWritten(const QString& baseDir) {
    return QFileInfo(baseDir + "Settings.ini").size() == 28 && QFileInfo(baseDir + "Configures.ini").size() == 60;
}

class Session {
public:
    Session() : m_x(m_server.display()), m_torvane(m_server.display(), prepareLists) {}

    XvfbServer& server() { return m_server; }
    RunningTorvane& torvane() { return m_torvane; }
    const QString& baseDir() const { return m_torvane.baseDir(); }
    void signal(int number) { ::kill(static_cast<pid_t>(m_torvane.process().processId()), number); }

    // "Task" > "List management..." > "Safe List options..." > "Clear Safe List", by keys once the
    // menu is open; returns once the menus are closed again, that is once the item has run.
    void clearSafeListThroughTheMenu() {
        std::optional<platform::WindowInfo> main;
        ASSERT_TRUE(waitUntil([&] { return (main = findWindowByPrefix(m_x, "Torvane")) && main->visible; }, kStartMs))
            << "the main window did not appear";
        const std::size_t shown = mappedOwnWindows().size();
        ASSERT_TRUE(
            runXdotool(display(), {"mousemove", "--window", QString::number(main->handle), "20", "10", "click", "1"}));
        ASSERT_TRUE(waitUntil([&] { return mappedOwnWindows().size() > shown; }, kWaitMs)) << "no menu opened";
        ASSERT_TRUE(runXdotool(display(), {"key", "--delay", "150", "Down", "Down", "Down", "Right", "Down", "Down",
                                           "Right", "Down", "Return"}));
        ASSERT_TRUE(waitUntil([&] { return mappedOwnWindows().size() == shown; }, kWaitMs)) << "the menus stayed open";
    }

private:
    const QString& display() const { return m_server.display(); }
    std::set<QByteArray> mappedOwnWindows() {
        QProcess p;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display());
        p.setProcessEnvironment(environment);
        p.start("xdotool", {"search", "--onlyvisible", "--pid", QString::number(m_torvane.process().processId())});
        p.waitForFinished(10000);
        std::set<QByteArray> mapped;
        for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
            if (!line.trimmed().isEmpty())
                mapped.insert(line.trimmed());
        return mapped;
    }

    XvfbServer m_server;
    platform::X11WindowSystem m_x;
    RunningTorvane m_torvane;
};

TEST(SessionEndE2e, TerminationSignalsEndThroughTheExitSequence) {
    for (const int number : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(strsignal(number));
        Session session;
        ASSERT_NO_FATAL_FAILURE(session.clearSafeListThroughTheMenu());
        session.signal(number);
        ASSERT_TRUE(session.torvane().waitForExit(kWaitMs)) << "the signal did not end the program";
        EXPECT_EQ(session.torvane().process().exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(session.torvane().process().exitCode(), 0);
        EXPECT_TRUE(holdsClearedSafeList(session.baseDir()));
        EXPECT_TRUE(settingsWritten(session.baseDir()));
    }
}

TEST(SessionEndE2e, AKillAfterAFewSecondsFindsTheChangeWritten) {
    Session session;
    ASSERT_NO_FATAL_FAILURE(session.clearSafeListThroughTheMenu());
    ASSERT_TRUE(waitUntil([&] { return holdsClearedSafeList(session.baseDir()); }, kWaitMs))
        << "the change was not written while the program ran";
    EXPECT_TRUE(settingsWritten(session.baseDir()));
    session.signal(SIGKILL);
    ASSERT_TRUE(session.torvane().waitForExit(kWaitMs));
    EXPECT_TRUE(holdsClearedSafeList(session.baseDir()));
}

TEST(SessionEndE2e, ALostXServerKeepsTheLastChange) {
    Session session;
    ASSERT_NO_FATAL_FAILURE(session.clearSafeListThroughTheMenu());
    ::kill(session.server().pid(), SIGKILL);
    ASSERT_TRUE(session.torvane().waitForExit(kWaitMs)) << "the program outlived its X server";
    EXPECT_TRUE(holdsClearedSafeList(session.baseDir()));
}

} // namespace
