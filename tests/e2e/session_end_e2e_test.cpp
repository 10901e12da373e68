// Every way the program ends keeps what the user changed: termination signals take the exit
// sequence, and a kill or a lost X server finds the change already on disk.
#include "e2e/running_torvane.h"
#include "lists/list_file.h"
#include "platform/torvane_error.h"
#include "support/xvfb_server.h"

#include <QFileInfo>
#include <csignal>
#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 20000; // bounds against hanging, not speed checks

// A safe list of two names and a kill list of one, as an earlier run left them; "Clear Safe List"
// through the main menu; the lists as the file holds them afterwards.
class Session {
public:
    Session()
        : m_x(m_server.display()), m_torvane(m_server.display(), [](const QString& baseDir) {
              saveListFile(baseDir + "AllLists.sav", {{"Alpha", 0}, {"Beta", 0}}, {{"Gamma", 0}});
          }) {}

    XvfbServer& server() { return m_server; }
    QProcess& process() { return m_torvane.process(); }
    bool waitForExit() { return m_torvane.waitForExit(kWaitMs); }
    void signal(int number) { ::kill(static_cast<pid_t>(process().processId()), number); }

    bool holdsClearedSafeList() {
        try {
            const ListFileSections lists = loadListFile(m_torvane.baseDir() + "AllLists.sav");
            return lists.error.isEmpty() && lists.safe.empty() && lists.kill == TaskList{{"Gamma", 0}};
        } catch (const TorvaneError&) {
            return false;
        }
    }
    bool settingsWritten() {
        return QFileInfo(m_torvane.baseDir() + "Settings.ini").size() == 28 &&
               QFileInfo(m_torvane.baseDir() + "Configures.ini").size() == 60;
    }

    // "Task" > "List management..." > "Safe List options..." > "Clear Safe List" by keys; returns
    // once the menus are closed again, that is once the item has run.
    void clearSafeListThroughTheMenu() {
        std::optional<platform::WindowInfo> main;
        ASSERT_TRUE(waitUntil([&] { return (main = findWindowByPrefix(m_x, "Torvane")) && main->visible; }, kWaitMs));
        const int shown = mappedWindows();
        ASSERT_TRUE(xdotool({"mousemove", "--window", QString::number(main->handle), "20", "10", "click", "1"}));
        ASSERT_TRUE(waitUntil([&] { return mappedWindows() > shown; }, kWaitMs)) << "no menu opened";
        ASSERT_TRUE(xdotool(
            {"key", "--delay", "150", "Down", "Down", "Down", "Right", "Down", "Down", "Right", "Down", "Return"}));
        ASSERT_TRUE(waitUntil([&] { return mappedWindows() == shown; }, kWaitMs)) << "the menus stayed open";
    }

private:
    bool xdotool(const QStringList& arguments) { return runXdotool(m_server.display(), arguments); }
    int mappedWindows() {
        QProcess p;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", m_server.display());
        p.setProcessEnvironment(environment);
        p.start("xdotool", {"search", "--onlyvisible", "--pid", QString::number(process().processId())});
        p.waitForFinished(10000);
        return int(p.readAllStandardOutput().count('\n'));
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
        ASSERT_TRUE(session.waitForExit()) << "the signal did not end the program";
        EXPECT_EQ(session.process().exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(session.process().exitCode(), 0);
        EXPECT_TRUE(session.holdsClearedSafeList());
        EXPECT_TRUE(session.settingsWritten());
    }
}

TEST(SessionEndE2e, AKillAfterAFewSecondsFindsTheChangeWritten) {
    Session session;
    ASSERT_NO_FATAL_FAILURE(session.clearSafeListThroughTheMenu());
    ASSERT_TRUE(waitUntil([&] { return session.holdsClearedSafeList(); }, kWaitMs)) << "the change was not written";
    EXPECT_TRUE(session.settingsWritten());
    session.signal(SIGKILL);
    ASSERT_TRUE(session.waitForExit());
    EXPECT_TRUE(session.holdsClearedSafeList());
}

TEST(SessionEndE2e, ALostXServerKeepsTheLastChange) {
    Session session;
    ASSERT_NO_FATAL_FAILURE(session.clearSafeListThroughTheMenu());
    ::kill(session.server().pid(), SIGKILL);
    ASSERT_TRUE(session.waitForExit()) << "the program outlived its X server";
    EXPECT_TRUE(session.holdsClearedSafeList());
}

} // namespace
