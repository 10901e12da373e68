// A window that a window manager maps is a shown task from its creation on: under openbox, with
// protection on, Torvane never asks about it as a hidden task, however late the map comes within
// the grace for new windows.
#include "e2e/running_torvane.h"
#include "platform/linux/x11_window_system.h"
#include "support/x11_child.h"
#include "support/xvfb_server.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <xcb/xcb.h>

namespace {

constexpr int kStartMs = 20000; // bounds against hanging, not speed checks
constexpr int kAskMs = 10000;
constexpr int kWatchMs = 2500; // the grace for new windows and three ticks after it

// "Settings.ini" as a first start saves it, with "Start Protection" (record 26) on.
QByteArray settingsWithProtection() {
    QByteArray records(28, '\0');
    for (int record : {3, 4, 5, 7, 9, 10, 11, 16, 18, 19, 20, 23, 24, 26, 28})
        records[record - 1] = 1;
    return records;
}

bool managedByWindowManager(const QString& display) {
    xcb_connection_t* c = xcb_connect(display.toLatin1().constData(), nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const char* name = "_NET_SUPPORTING_WM_CHECK";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, std::strlen(name), name), nullptr);
    xcb_get_property_reply_t* property =
        atom && atom->atom != XCB_NONE
            ? xcb_get_property_reply(c, xcb_get_property(c, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr)
            : nullptr;
    const bool managed = property && xcb_get_property_value_length(property) == 4;
    std::free(property);
    std::free(atom);
    xcb_disconnect(c);
    return managed;
}

class Openbox {
public:
    explicit Openbox(const QString& display) {
        // Its configuration, cache and session files stay in this test's folder.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", display);
        for (const char* variable : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
            environment.insert(variable, m_home.path());
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start("openbox", {"--sm-disable"});
    }
    ~Openbox() {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    bool started() { return m_process.waitForStarted(kStartMs); }

private:
    QTemporaryDir m_home;
    QProcess m_process;
};

bool taskActionShown(platform::X11WindowSystem& x) {
    const auto all = x.topLevelWindows();
    return std::any_of(all.begin(), all.end(), [](const auto& w) { return w.visible && w.title == "Task Action"; });
}

} // namespace

TEST(NewWindowE2e, AWindowTheWindowManagerMapsIsNeverAskedAboutAsHidden) {
    XvfbServer server;
    Openbox openbox(server.display());
    ASSERT_TRUE(openbox.started()) << "openbox did not start";
    ASSERT_TRUE(waitUntil([&] { return managedByWindowManager(server.display()); }, kStartMs));
    platform::X11WindowSystem x(server.display());
    RunningTorvane torvane(server.display(), [](const QString& baseDir) {
        QFile file(baseDir + "Settings.ini");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(settingsWithProtection());
    });
    // The caption grows its status at the first tick, after the settings started protection.
    ASSERT_TRUE(waitUntil(
        [&] {
            const auto main = findWindowByPrefix(x, "Torvane  ");
            return main && main->visible;
        },
        kStartMs));

    const struct {
        const char* name;
        QStringList arguments;
    } cases[] = {
        {"mapped at once", {"--window", "--utf8", "Plain new window"}},
        {"mapped after several ticks", {"--window", "--utf8", "Slowly mapped window", "--map-after", "600"}},
    };
    std::vector<std::unique_ptr<X11Child>> children;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        children.push_back(std::make_unique<X11Child>(server.display(), c.arguments));
        EXPECT_FALSE(waitUntil([&] { return taskActionShown(x); }, kWatchMs)) << "asked about a shown window";
    }
    // Protection does ask about a window still unmapped when its grace is over.
    X11Child hidden(server.display(), {"--window", "--utf8", "Window that stays unmapped", "--unmapped"});
    EXPECT_TRUE(waitUntil([&] { return taskActionShown(x); }, kAskMs));
}
