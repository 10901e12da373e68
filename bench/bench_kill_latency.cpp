// How long a kill-listed window lives: 50 windows, each opened by a process of its own (half
// visible, half hidden), under a private Xvfb, with the program's protection tick running every
// 500 ms as always. Once with the window watch (the kill list meets a window when the X server
// reports it) and once with the tick alone, in the same run. Time runs from the moment the child
// says its window is fully made until its process is gone.
#include "app/main_form.h"
#include "app/torvane_program.h"
#include "app/ttorvane.h"
#include "platform/fake/fake_platform.h"
#include "platform/linux/linux_processes.h"
#include "platform/linux/x11_window_system.h"
#include "support/x11_child.h"
#include "support/xvfb_server.h"
#include "widgets/task_list_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kWindows = 50;

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

std::vector<double> lifetimes(const QString& display, platform::WindowSystem& windows) {
    platform::LinuxProcesses processes;
    platform::fake::FakePlatform fake;
    platform::Platform mixed{windows, processes, fake, fake, fake, fake, fake, fake, fake};
    QTemporaryDir dir;
    TorvaneProgram program(mixed, dir.path() + QLatin1Char('/'));
    program.mainWindow().form().ListBox3->taskModel().append({QStringLiteral("Unwanted"), 0});
    std::vector<double> ms;
    for (int i = 0; i < kWindows; ++i) {
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

void report(const char* name, std::vector<double> ms) {
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
    {
        platform::X11WindowSystem x11(server.display());
        report("event-driven", lifetimes(server.display(), x11));
    }
    platform::X11WindowSystem x11(server.display());
    TickOnly tickOnly(x11);
    report("tick only", lifetimes(server.display(), tickOnly));
    return 0;
}
