// Protection driven from outside as a user would: xdotool clicks and keys on a private Xvfb, new
// tasks played by x11_child programs that open hidden titled windows.
#include "e2e/running_torvane.h"
#include "platform/linux/x11/x11_window_system.h"
#include "support/x11_child.h"
#include "support/xvfb_server.h"

#include <QFile>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <set>

using platform::WindowInfo;

namespace {

constexpr int kStartMs = 20000;  // bounds against hanging, not speed checks
constexpr int kAppearMs = 10000; // a box or the Task Action window after its cause
constexpr int kTicksMs = 1500;   // three protection ticks
constexpr int kKillMs = 1000;    // a kill-listed task ends within the next tick

// "Start Protection" (protectionButton) in the main window's default layout at its first-run size: the
// button row at the bottom of the task tab, second button; measured from the bottom-left corner.
const QPoint kProtectionButtonFromBottomLeft(230, -31);
// Centres of "Allow to Run" (addToSafeListButton) and "Add to Kill List" (removeFromSafeListButton) in the Task Action
// window, whose controls have fixed geometry: margin 8, two columns of 218, third button row at y 256.
const QPoint kAllowToRun(8 + 109, 256 + 14);
const QPoint kAddToKillList(8 + 218 + 8 + 109, 256 + 14);
// "Ignore" (removeFromKillListButton): 100 wide at the right margin, below the third row.
const QPoint kIgnore(460 - 8 - 50, 290 + 13);
// "Kill Task" (killSelectedButton): the second button row, left column.
const QPoint kKillTask(8 + 109, 220 + 14);

class Desktop {
public:
    explicit Desktop(const std::function<void(const QString& baseDir)>& prepare = nullptr)
        : m_x(m_server.display()), m_torvane(m_server.display(), prepare) {}

    platform::X11WindowSystem& x() { return m_x; }
    RunningTorvane& torvane() { return m_torvane; }
    const QString& display() const { return m_server.display(); }

    std::optional<WindowInfo> find(const std::function<bool(const WindowInfo&)>& match) {
        for (const WindowInfo& w : m_x.topLevelWindows())
            if (match(w))
                return w;
        return std::nullopt;
    }
    std::optional<WindowInfo> visible(const QString& title) {
        return find([&](const WindowInfo& w) { return w.visible && w.title == title; });
    }
    std::optional<WindowInfo> mainWindow() {
        return find(
            [](const WindowInfo& w) { return w.visible && (w.title == "Torvane" || w.title.startsWith("Torvane  ")); });
    }
    std::optional<WindowInfo> waitVisible(const QString& title, int ms) {
        std::optional<WindowInfo> found;
        waitUntil([&] { return (found = visible(title)).has_value(); }, ms);
        return found;
    }
    bool waitGone(const QString& title, int ms) {
        return waitUntil([&] { return !visible(title); }, ms);
    }
    // Torvane's own top-level windows (title and mapped state), by the owner the server knows.
    std::vector<WindowInfo> ownWindows() {
        std::vector<WindowInfo> own;
        const auto pid = static_cast<platform::ProcessId>(m_torvane.process().processId());
        for (const WindowInfo& w : m_x.topLevelWindows())
            if (m_x.windowProcessId(w.handle) == pid)
                own.push_back(w);
        return own;
    }

    // Torvane's mapped windows of any kind, popups included, which the task enumeration leaves out.
    std::set<platform::WindowHandle> mappedOwnWindows() {
        std::set<platform::WindowHandle> mapped;
        const QByteArray out =
            xdotool({"search", "--onlyvisible", "--pid", QString::number(m_torvane.process().processId())},
                    std::set<int>{0, 1}); // 1: none found
        for (const QByteArray& line : out.split('\n'))
            if (!line.trimmed().isEmpty())
                mapped.insert(static_cast<platform::WindowHandle>(line.trimmed().toULong()));
        return mapped;
    }

    // Runs xdotool on the private display; an exit code outside `accepted` is a test failure.
    QByteArray xdotool(const QStringList& arguments, std::set<int> accepted = {0}) {
        QProcess p;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display());
        p.setProcessEnvironment(environment);
        p.start(QStringLiteral("xdotool"), arguments);
        if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || !accepted.count(p.exitCode())) {
            ADD_FAILURE() << "xdotool " << arguments.join(' ').toStdString()
                          << " failed: " << p.readAllStandardError().toStdString();
            if (p.state() != QProcess::NotRunning) {
                p.kill();
                p.waitForFinished(5000);
            }
        }
        return p.readAllStandardOutput();
    }
    QRect geometry(platform::WindowHandle window) {
        QRect r;
        for (const QByteArray& line : xdotool({"getwindowgeometry", "--shell", QString::number(window)}).split('\n')) {
            const QList<QByteArray> kv = line.split('=');
            if (kv.size() != 2)
                continue;
            const int v = kv[1].toInt();
            if (kv[0] == "X")
                r.moveLeft(v);
            else if (kv[0] == "Y")
                r.moveTop(v);
            else if (kv[0] == "WIDTH")
                r.setWidth(v);
            else if (kv[0] == "HEIGHT")
                r.setHeight(v);
        }
        return r;
    }
    void click(QPoint at) {
        xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    }
    void key(platform::WindowHandle window, const QString& key) {
        xdotool({"windowfocus", "--sync", QString::number(window)});
        xdotool({"key", "--clearmodifiers", key});
    }

    // protectionButton toggles protection; the question box (`title`) is answered Yes, its default button.
    void toggleProtection(const QString& title) {
        const auto main = mainWindow();
        ASSERT_TRUE(main.has_value()) << "no main window";
        const QRect g = geometry(main->handle);
        click(g.bottomLeft() + QPoint(1, 1) + kProtectionButtonFromBottomLeft);
        const auto box = waitVisible(title, kAppearMs);
        ASSERT_TRUE(box.has_value()) << "no \"" << title.toStdString() << "\" box after clicking protectionButton at "
                                     << (g.left() + 1 + kProtectionButtonFromBottomLeft.x()) << ","
                                     << (g.bottom() + 1 + kProtectionButtonFromBottomLeft.y());
        key(box->handle, QStringLiteral("Return"));
        // Until the box is destroyed its modality still blocks the main window.
        ASSERT_TRUE(waitUntil([&] { return !find([&](const WindowInfo& w) { return w.title == title; }); }, kAppearMs))
            << "the box was not answered";
    }

    // Waits for the Task Action window and clicks one of its buttons.
    void answerTaskAction(QPoint button) {
        const auto window = waitVisible(QStringLiteral("Task Action"), kAppearMs);
        ASSERT_TRUE(window.has_value()) << "the Task Action window did not appear";
        click(geometry(window->handle).topLeft() + button);
        ASSERT_TRUE(waitGone(QStringLiteral("Task Action"), kAppearMs)) << "the Task Action window did not hide";
    }

    void waitForStart() {
        ASSERT_TRUE(waitUntil([&] { return mainWindow().has_value(); }, kStartMs)) << "the main window did not appear";
    }

private:
    XvfbServer m_server;
    platform::X11WindowSystem m_x;
    RunningTorvane m_torvane;
};

QStringList hiddenChild(const QString& title) {
    return {"--window", "--utf8", title, "--unmapped"};
}

QByteArray record(const QByteArray& name, const QList<int>& counts) {
    QByteArray out = name + "\r\n";
    for (int c : counts)
        out += QByteArray::number(c) + "\r\n";
    return out;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(ProtectionE2e, AllowedTaskIsRememberedAndKillListedTaskEnds) {
    Desktop desktop;
    ASSERT_NO_FATAL_FAILURE(desktop.waitForStart());
    ASSERT_NO_FATAL_FAILURE(desktop.toggleProtection(QStringLiteral("Start Protection")));
    const QString choices = desktop.torvane().baseDir() + QStringLiteral("MyChoice.dat");

    // A new hidden window is asked about; "Allow to Run" keeps it running and remembered.
    const QString allowedTitle = QStringLiteral("Background helper of the first e2e child");
    X11Child allowed(desktop.display(), hiddenChild(allowedTitle));
    ASSERT_NO_FATAL_FAILURE(desktop.answerTaskAction(kAllowToRun));
    const QByteArray afterAllow =
        record("File created by Torvane", {0, 0, 0, 0, 0}) + record(allowedTitle.toUtf8(), {0, 0, 0, 1, 0});
    ASSERT_TRUE(waitUntil([&] { return readFile(choices) == afterAllow; }, kAppearMs))
        << "MyChoice.dat holds:\n"
        << readFile(choices).toStdString();
    EXPECT_FALSE(waitUntil([&] { return desktop.visible(QStringLiteral("Task Action")).has_value(); }, kTicksMs))
        << "the allowed task was asked about again";
    EXPECT_TRUE(allowed.running());

    // "Add to Kill List" ends the task at the next tick.
    const QString killedTitle = QStringLiteral("Unwanted tray agent of the second e2e child");
    X11Child unwanted(desktop.display(), hiddenChild(killedTitle));
    ASSERT_NO_FATAL_FAILURE(desktop.answerTaskAction(kAddToKillList));
    EXPECT_TRUE(waitUntil([&] { return !unwanted.running(); }, kKillMs)) << "the kill-listed task still runs";
    EXPECT_TRUE(allowed.running()) << "the allowed task was ended";
    EXPECT_TRUE(waitUntil(
        [&] {
            return readFile(choices) == afterAllow + record(killedTitle.toUtf8(), {0, 0, 1, 0, 0});
        },
        kAppearMs))
        << "MyChoice.dat holds:\n"
        << readFile(choices).toStdString();

    // The task just put in the kill list, ended at that tick, is no new task to ask about.
    const bool askedAgain =
        waitUntil([&] { return desktop.visible(QStringLiteral("Task Action")).has_value(); }, kTicksMs);
    EXPECT_FALSE(askedAgain) << "the Task Action window came back for the task just put in the kill list";
    if (askedAgain) {
        ASSERT_NO_FATAL_FAILURE(desktop.answerTaskAction(kIgnore));
    }

    // Without protection new tasks are not asked about, but the kill list still holds.
    ASSERT_NO_FATAL_FAILURE(desktop.toggleProtection(QStringLiteral("Stop Protection")));
    X11Child unasked(desktop.display(), hiddenChild(QStringLiteral("Hidden window opened after protection stopped")));
    X11Child again(desktop.display(), hiddenChild(killedTitle));
    EXPECT_TRUE(waitUntil([&] { return !again.running(); }, kKillMs)) << "the kill list is not enforced";
    EXPECT_FALSE(waitUntil([&] { return desktop.visible(QStringLiteral("Task Action")).has_value(); }, kTicksMs))
        << "a new task was asked about while protection is off";
    EXPECT_TRUE(unasked.running());
    EXPECT_TRUE(allowed.running());
}

// The toolkit creates Torvane's menus when they are first shown and hides them again: none of these
// windows, nor any other window of Torvane's appearing meanwhile, may count as a new task.
TEST(ProtectionE2e, OwnMenusAreNeverAskedAbout) {
    Desktop desktop;
    ASSERT_NO_FATAL_FAILURE(desktop.waitForStart());
    ASSERT_NO_FATAL_FAILURE(desktop.toggleProtection(QStringLiteral("Start Protection")));
    std::set<platform::WindowHandle> before;
    for (const WindowInfo& w : desktop.ownWindows())
        before.insert(w.handle);
    const std::set<platform::WindowHandle> mappedBefore = desktop.mappedOwnWindows();
    const auto main = desktop.mainWindow();
    ASSERT_TRUE(main.has_value());
    const QRect g = desktop.geometry(main->handle);

    // Torvane's windows that appear from here on, as its own enumeration of tasks sees them.
    std::vector<WindowInfo> appeared;
    const auto recordNew = [&] {
        for (const WindowInfo& w : desktop.ownWindows())
            if (!before.count(w.handle) && std::none_of(appeared.begin(), appeared.end(),
                                                        [&](const WindowInfo& a) { return a.handle == w.handle; }))
                appeared.push_back(w);
    };
    // Each menu of the menu bar in turn, opened for the first time: "Task", "RAM", "Temperature".
    for (int x : {20, 62, 125}) {
        desktop.click(g.topLeft() + QPoint(x, 8));
        platform::WindowHandle popup = 0;
        ASSERT_TRUE(waitUntil(
            [&] {
                recordNew();
                for (platform::WindowHandle w : desktop.mappedOwnWindows())
                    if (!mappedBefore.count(w))
                        popup = w;
                return popup != 0;
            },
            kAppearMs))
            << "no menu opened at x " << x;
        desktop.xdotool({"key", "Escape"});
        ASSERT_TRUE(waitUntil(
            [&] {
                recordNew();
                return !desktop.mappedOwnWindows().count(popup);
            },
            kAppearMs))
            << "the menu did not close";
    }
    const bool asked = waitUntil(
        [&] {
            recordNew();
            return desktop.visible(QStringLiteral("Task Action")).has_value();
        },
        kTicksMs);
    std::string titles;
    for (const WindowInfo& w : appeared)
        titles += "\"" + w.title.toStdString() + "\"" + (w.visible ? " (mapped) " : " (hidden) ");
    EXPECT_FALSE(asked) << "Torvane asked about one of its own windows; its windows new since protection started: "
                        << titles;
}

// The X server hands a freed id to the next client: a task that ended while the Task Action window
// asked about it may lend its window id to an unrelated program, which "Kill Task" must leave alone.
TEST(ProtectionE2e, KillTaskSparesTheProgramThatInheritedTheWindowId) {
    Desktop desktop;
    ASSERT_NO_FATAL_FAILURE(desktop.waitForStart());
    ASSERT_NO_FATAL_FAILURE(desktop.toggleProtection(QStringLiteral("Start Protection")));
    auto asked = std::make_unique<X11Child>(desktop.display(), hiddenChild(QStringLiteral("Short-lived helper")));
    const std::uint32_t id = asked->windows()[0].client;
    ASSERT_TRUE(desktop.waitVisible(QStringLiteral("Task Action"), kAppearMs).has_value());
    asked.reset();
    ASSERT_TRUE(
        waitUntil([&] { return !desktop.find([&](const WindowInfo& w) { return w.handle == id; }); }, kAppearMs));
    X11Child heir(desktop.display(), {"--window", "--utf8", "Unrelated editor"});
    ASSERT_EQ(heir.windows()[0].client, id) << "the server did not hand the id on; nothing to test";

    const auto window = desktop.waitVisible(QStringLiteral("Task Action"), kAppearMs);
    ASSERT_TRUE(window.has_value());
    desktop.click(desktop.geometry(window->handle).topLeft() + kKillTask);
    const auto told = desktop.waitVisible(QStringLiteral("Task Already Ended"), kAppearMs);
    ASSERT_TRUE(told.has_value()) << "no word that the task had ended";
    desktop.key(told->handle, QStringLiteral("Return"));
    EXPECT_FALSE(waitUntil([&] { return !heir.running(); }, kTicksMs)) << "the heir of the window id was killed";
}

// With confirmations on, "Add to Kill List" leaves a notice that a tick opens; the task ends before
// it, and a kill-listed program started while it is open ends too.
TEST(ProtectionE2e, TheKillListHoldsWhileATickWaitsForTheUser) {
    Desktop desktop(withSettings(firstStartSettings({2}))); // confirmations on
    ASSERT_NO_FATAL_FAILURE(desktop.waitForStart());
    ASSERT_NO_FATAL_FAILURE(desktop.toggleProtection(QStringLiteral("Start Protection")));
    const QString title = QStringLiteral("Agent put in the kill list");
    X11Child listed(desktop.display(), hiddenChild(title));
    ASSERT_NO_FATAL_FAILURE(desktop.answerTaskAction(kAddToKillList));
    const auto notice = desktop.waitVisible(QStringLiteral("Added to kill List"), kAppearMs);
    ASSERT_TRUE(notice.has_value()) << "no confirmation";
    EXPECT_TRUE(waitUntil([&] { return !listed.running(); }, kKillMs)) << "the task lives while the notice is open";
    X11Child again(desktop.display(), {"--window", "--utf8", title});
    EXPECT_TRUE(waitUntil([&] { return !again.running(); }, kKillMs)) << "a kill-listed start outlived the notice";
    EXPECT_TRUE(desktop.visible(QStringLiteral("Added to kill List")).has_value());
    desktop.key(notice->handle, QStringLiteral("Return"));
}

} // namespace
