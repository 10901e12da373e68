// How long a kill-listed window lives: 50 windows, each opened by a process of its own (half
// visible, half hidden), under a private Xvfb, with the program's protection tick running every
// 500 ms as always. Once with the window watch (the kill list meets a window when the X server
// reports it) and once with the tick alone, in the same run; then each again with 20 windows while
// a tick waits for the user in a box (a confirmation whose event loop runs meanwhile, as a real
// box's does), and while "Get IP from" waits on a local page that never answers. Time runs from the moment the child
// says its window is fully made until its process has ended (seen on a thread of its own, so the program's work after
// the kill does not count). Last, 20 mapped windows on a bare server beside 20 under openbox, a reparenting window
// manager like every real desktop's, and, where devilspie2 is installed, 20 under openbox with a devilspie2 rule that
// kills the window's process instead of the program.
#include "app/advanced_options_tab.h"
#include "app/main_form.h"
#include "app/main_window.h"
#include "app/torvane_program.h"
#include "core/shared_values.h"
#include "internet/internet_controller.h"
#include "internet/internet_tab.h"
#include "lists/task_management_tab.h"
#include "platform/fake/fake_platform.h"
#include "platform/linux/net/linux_network.h"
#include "platform/linux/proc/linux_processes.h"
#include "platform/linux/x11/x11_window_system.h"
#include "support/x11_child.h"
#include "support/xvfb_server.h"
#include "widgets/task_list_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace {

constexpr int kWindows = 50;
constexpr int kBusyWindows = 20;
constexpr int kManagedWindows = 20;
constexpr int kWaitMs = 5000; // a window still alive then was missed

// Whether some program holds the window manager selection of screen 0.
bool managed(const QString& display) {
    xcb_connection_t* c = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    bool owned = false;
    if (!xcb_connection_has_error(c)) {
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, 5, "WM_S0"), nullptr);
        if (atom) {
            xcb_get_selection_owner_reply_t* owner =
                xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom->atom), nullptr);
            owned = owner && owner->owner != XCB_NONE;
            std::free(owner);
        }
        std::free(atom);
    }
    xcb_disconnect(c);
    return owned;
}

// A program started on `display` with a private home, so that no user's configuration is read.
class Helper {
public:
    Helper(const QString& display, const QString& program, const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", display);
        for (const char* variable : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
            environment.insert(variable, m_home.path());
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(program, arguments);
        m_process.waitForStarted(20000);
    }
    ~Helper() {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    bool running() const { return m_process.state() == QProcess::Running; }

private:
    QTemporaryDir m_home;
    QProcess m_process;
};

std::unique_ptr<Helper> startOpenbox(const QString& display) {
    auto openbox = std::make_unique<Helper>(display, QStringLiteral("openbox"), QStringList{"--sm-disable"});
    QElapsedTimer clock;
    clock.start();
    while (openbox->running() && !managed(display) && clock.elapsed() < 10000)
        QThread::msleep(10);
    if (!managed(display))
        openbox.reset();
    return openbox;
}

// The window system without its watch: the tick alone enforces the kill list.
class TickOnly : public platform::WindowSystem {
public:
    explicit TickOnly(platform::WindowSystem& inner) : m_inner(inner) {}
    std::vector<platform::WindowInfo> topLevelWindows() override { return m_inner.topLevelWindows(); }
    platform::ProcessId windowProcessId(platform::WindowHandle w) override { return m_inner.windowProcessId(w); }
    void postCloseMessage(platform::WindowHandle w) override { m_inner.postCloseMessage(w); }

private:
    platform::WindowSystem& m_inner;
};

// Milliseconds from now until the process ends (kWaitMs when it outlives that), read
// on a thread of its own: the program's work after a kill must not count as the window's life.
class DeathClock {
public:
    explicit DeathClock(pid_t pid) : m_pidfd(int(syscall(SYS_pidfd_open, pid, 0))) {
        m_clock.start();
        m_waiter = std::thread([this] {
            pollfd ready{m_pidfd, POLLIN, 0};
            if (m_pidfd >= 0 && poll(&ready, 1, kWaitMs) == 1)
                m_ms = double(m_clock.nsecsElapsed()) / 1e6;
        });
    }
    ~DeathClock() {
        if (m_waiter.joinable())
            m_waiter.join();
        if (m_pidfd >= 0)
            close(m_pidfd);
    }
    double milliseconds() {
        m_waiter.join();
        return m_ms;
    }

private:
    int m_pidfd;
    QElapsedTimer m_clock;
    double m_ms = kWaitMs;
    std::thread m_waiter;
};

std::vector<double> spawnAndTime(const QString& display, int count, bool allMapped = false) {
    std::vector<double> ms;
    for (int i = 0; i < count; ++i) {
        QStringList arguments{"--window", "--utf8", "Unwanted"};
        if (i % 2 && !allMapped)
            arguments << "--unmapped";
        X11Child child(display, arguments);
        DeathClock death(pid_t(child.pid()));
        QElapsedTimer clock;
        clock.start();
        while (child.running() && clock.elapsed() < kWaitMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        ms.push_back(death.milliseconds());
    }
    return ms;
}

// A page on the loopback that takes requests and never answers them.
class SilentPage {
public:
    SilentPage() : m_socket(socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(m_socket, reinterpret_cast<sockaddr*>(&address), length);
        listen(m_socket, 4);
        getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_url = QStringLiteral("http://127.0.0.1:%1/").arg(ntohs(address.sin_port));
    }
    ~SilentPage() { close(m_socket); }
    const QString& url() const { return m_url; }

private:
    int m_socket;
    QString m_url;
};

enum class Busy { Nothing, TickInABox, AddressPage };

std::vector<double> lifetimes(const QString& display, platform::WindowSystem& windows, Busy busy, int mappedOnly = 0) {
    platform::LinuxProcesses processes;
    platform::LinuxNetwork network;
    platform::fake::FakePlatform fake;
    platform::Platform mixed{windows, processes, fake, fake, network, fake, fake, fake, fake};
    QTemporaryDir dir;
    TorvaneProgram program(mixed, dir.path() + QLatin1Char('/'));
    program.mainWindow().taskTab().controls().killListView->taskModel().append({QStringLiteral("Unwanted"), 0});
    if (mappedOnly)
        return spawnAndTime(display, mappedOnly, true);
    if (busy == Busy::Nothing)
        return spawnAndTime(display, kWindows);
    if (busy == Busy::AddressPage) {
        const SilentPage page;
        InternetTab& internet = program.mainWindow().internetTab();
        internet.controls().addressPageEdit->setText(page.url());
        internet.controller().onGetAddressClicked();
        return spawnAndTime(display, kBusyWindows);
    }
    // The next tick confirms an earlier decision; the windows open while its box is up.
    std::vector<double> ms;
    fake.onBox = [&](const platform::fake::RecordedBox&) {
        if (ms.empty())
            ms = spawnAndTime(display, kBusyWindows);
    };
    program.mainWindow().advancedTab().controls().confirmActionsCheck->setChecked(true);
    program.values().DecidedTask = TaskEntry{QStringLiteral("Decided earlier"), 0};
    program.values().TaskDecision = ActionDecision::AllowToRun;
    QElapsedTimer clock;
    clock.start();
    while (ms.empty() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return ms;
}

// The 95th percentile of the windows killed, or 0 without any. Windows that outlived the wait are
// counted apart, so that one miss does not stand for the speed of the rest.
double report(const char* name, std::vector<double> ms) {
    const std::size_t all = ms.size();
    ms.erase(std::remove_if(ms.begin(), ms.end(), [](double t) { return t >= kWaitMs; }), ms.end());
    if (ms.empty()) {
        std::printf("%-14s skipped (none killed)\n", name);
        return 0;
    }
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) { return ms[std::min(ms.size() - 1, std::size_t(q * double(ms.size())))]; };
    std::printf("%-14s windows %zu  median %7.2f ms  p95 %7.2f ms  max %7.2f ms", name, ms.size(), at(0.5), at(0.95),
                ms.back());
    if (all > ms.size())
        std::printf("  (%zu more still alive after %d ms)", all - ms.size(), kWaitMs);
    std::printf("\n");
    return at(0.95);
}

// devilspie2 under the running window manager, with a rule that kills the process of every window
// titled as the kill-listed one.
std::vector<double> devilspieLifetimes(const QString& display) {
    QTemporaryDir rules;
    QFile rule(rules.path() + "/kill.lua");
    if (!rule.open(QIODevice::WriteOnly))
        return {};
    rule.write("if get_window_name() == \"Unwanted\" then\n"
               "  os.execute(\"kill -9 \" .. get_window_property(\"_NET_WM_PID\"))\n"
               "end\n");
    rule.close();
    Helper devilspie(display, QStringLiteral("devilspie2"), {"--folder", rules.path()});
    spawnAndTime(display, 1, true); // until its first kill it may still be reading its rules
    return spawnAndTime(display, kManagedWindows, true);
}

void ratio(const char* what, double numerator, double denominator) {
    if (numerator > 0 && denominator > 0)
        std::printf("%-28s %5.2f\n", what, numerator / denominator);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    XvfbServer server;
    const struct {
        Busy busy;
        const char* event;
        const char* tick;
    } states[] = {{Busy::Nothing, "event-driven", "tick only"},
                  {Busy::TickInABox, "event, box up", "tick, box up"},
                  {Busy::AddressPage, "event, page", "tick, page"}};
    for (const auto& state : states) {
        {
            platform::X11WindowSystem x11(server.display());
            report(state.event, lifetimes(server.display(), x11, state.busy));
        }
        platform::X11WindowSystem x11(server.display());
        TickOnly tickOnly(x11);
        report(state.tick, lifetimes(server.display(), tickOnly, state.busy));
    }

    double bare = 0;
    {
        platform::X11WindowSystem x11(server.display());
        bare = report("bare, mapped", lifetimes(server.display(), x11, Busy::Nothing, kManagedWindows));
    }
    XvfbServer managedServer;
    const std::unique_ptr<Helper> openbox = startOpenbox(managedServer.display());
    if (!openbox) {
        std::printf("openbox did not start: no rows under a window manager\n");
        return 0;
    }
    double underOpenbox = 0;
    {
        platform::X11WindowSystem x11(managedServer.display());
        underOpenbox = report("openbox", lifetimes(managedServer.display(), x11, Busy::Nothing, kManagedWindows));
    }
    double devilspie = 0;
    if (QStandardPaths::findExecutable("devilspie2").isEmpty())
        std::printf("%-14s skipped: not installed\n", "devilspie2");
    else
        devilspie = report("devilspie2", devilspieLifetimes(managedServer.display()));
    ratio("p95 openbox / bare", underOpenbox, bare);
    ratio("p95 devilspie2 / openbox", devilspie, underOpenbox);
    return 0;
}
