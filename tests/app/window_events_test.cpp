// The kill list meets windows as the X server reports them, with every timer stopped: no tick runs.
#include "app/main_form.h"
#include "app/main_window.h"
#include "app/torvane_program.h"
#include "lists/task_management_tab.h"
#include "internet/internet_tab.h"
#include "memory/ram_tab.h"
#include "platform/fake/fake_platform.h"
#include "platform/linux/proc/linux_processes.h"
#include "platform/linux/x11/x11_window_system.h"
#include "schedule/auto_windows_actions_tab.h"
#include "support/x11_child.h"
#include "support/xvfb_server.h"
#include "temperature/temperature_tab.h"
#include "widgets/task_list_view.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <cstring>
#include <gtest/gtest.h>

namespace {

bool pumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 4000 && !done(); ++i) { // a bound against hanging on a busy machine
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(5);
    }
    return done();
}

void retitle(const QString& display, std::uint32_t window, const QByteArray& title) {
    xcb_connection_t* c = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, title.size(),
                        title.constData());
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); // carried out before it closes
    xcb_disconnect(c);
}

} // namespace

TEST(WindowEvents, KillListedWindowsDieWithoutATickAndOthersLive) {
    XvfbServer server;
    platform::X11WindowSystem windows(server.display());
    platform::LinuxProcesses processes;
    platform::fake::FakePlatform fake;
    platform::Platform mixed{windows, processes, fake, fake, fake, fake, fake, fake, fake};
    QTemporaryDir dir;
    TorvaneProgram program(mixed, dir.path() + QLatin1Char('/'));
    MainForm& f = program.mainWindow().form();
    for (QTimer* timer : {f.statusTimer, f.refreshTimer, f.protectionTimer, program.mainWindow().ramTab().minuteTimer(),
                          program.mainWindow().internetTab().addressLookupTimer(),
                          program.mainWindow().autoActionsTab().countdownTimer(),
                          program.mainWindow().temperatureTab().temperatureTimer()})
        timer->stop();
    program.mainWindow().taskTab().controls().killListView->taskModel().append({QStringLiteral("Doomed window"), 0});

    X11Child doomed(server.display(), {"--window", "--unmapped", "--utf8", "Doomed window"});
    X11Child renamed(server.display(), {"--window", "--latin1", "Innocent for now"});
    X11Child kept(server.display(), {"--window", "--utf8", "Doomed windows"});
    QStringList many;
    for (int i = 0; i < 500; ++i) {
        many << "--window"
             << "--latin1"
             << "Doomed window";
        many << (i % 2 ? QStringList{"--unmapped"} : QStringList{"--managed", "normal"});
    }
    X11Child burst(server.display(), many);
    retitle(server.display(), renamed.windows()[0].client, "Doomed window");

    pumpUntil([&] { return !doomed.running() && !renamed.running() && !burst.running(); });
    EXPECT_FALSE(doomed.running());
    EXPECT_FALSE(renamed.running());
    EXPECT_FALSE(burst.running());
    EXPECT_TRUE(kept.running());
}
