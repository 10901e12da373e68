// How long a kill-listed window lives: 50 windows, each opened by a process of its own (half
// visible, half hidden), under a private Xvfb, with the program's protection tick running every
// 500 ms as always. Once with the window watch (the kill list meets a window when the X server
// reports it) and once with the tick alone, in the same run; then each again with 20 windows while
// a tick waits for the user in a box (a confirmation whose event loop runs meanwhile, as a real
// box's does), and while "Get IP from" waits on a local page that never answers. Time runs from the moment the child
// says its window is fully made until its process is gone.
#include "app/main_form.h"
#include "app/torvane_program.h"
#include "app/ttorvane.h"
#include "core/shared_values.h"
#include "internet/internet_controller.h"
#include "internet/internet_tab.h"
#include "platform/fake/fake_platform.h"
#include "platform/linux/linux_network.h"
#include "platform/linux/linux_processes.h"
#include "platform/linux/x11_window_system.h"
#include "support/x11_child.h"
#include "support/xvfb_server.h"
#include "widgets/task_list_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kWindows = 50;
constexpr int kBusyWindows = 20;

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

std::vector<double> spawnAndTime(const QString& display, int count) {
    std::vector<double> ms;
    for (int i = 0; i < count; ++i) {
        QStringList arguments{"--window", "--utf8", "Unwanted"};
        if (i % 2)
            arguments << "--unmapped";
        X11Child child(display, arguments);
        QElapsedTimer clock;
        clock.start();
        while (child.running() && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
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

std::vector<double> lifetimes(const QString& display, platform::WindowSystem& windows, Busy busy) {
    platform::LinuxProcesses processes;
    platform::LinuxNetwork network;
    platform::fake::FakePlatform fake;
    platform::Platform mixed{windows, processes, fake, fake, network, fake, fake, fake, fake};
    QTemporaryDir dir;
    TorvaneProgram program(mixed, dir.path() + QLatin1Char('/'));
    program.mainWindow().form().ListBox3->taskModel().append({QStringLiteral("Unwanted"), 0});
    if (busy == Busy::Nothing)
        return spawnAndTime(display, kWindows);
    if (busy == Busy::AddressPage) {
        const SilentPage page;
        InternetTab& internet = program.mainWindow().internetTab();
        internet.controls().Edit4->setText(page.url());
        internet.controller().Button16Click();
        return spawnAndTime(display, kBusyWindows);
    }
    // The next tick confirms an earlier decision; the windows open while its box is up.
    std::vector<double> ms;
    fake.onBox = [&](const platform::fake::RecordedBox&) {
        if (ms.empty())
            ms = spawnAndTime(display, kBusyWindows);
    };
    program.mainWindow().form().CheckBox2->setChecked(true);
    program.values().DecidedTask = TaskEntry{QStringLiteral("Decided earlier"), 0};
    program.values().TaskDecision = ActionDecision::AllowToRun;
    QElapsedTimer clock;
    clock.start();
    while (ms.empty() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return ms;
}

void report(const char* name, std::vector<double> ms) {
    if (ms.empty()) {
        std::printf("%-14s no windows\n", name);
        return;
    }
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) { return ms[std::min(ms.size() - 1, std::size_t(q * double(ms.size())))]; };
    std::printf("%-14s windows %zu  median %7.2f ms  p95 %7.2f ms  max %7.2f ms\n", name, ms.size(), at(0.5), at(0.95),
                ms.back());
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
    return 0;
}
