#include "app/auto_save.h"
#include "app/torvane_program.h"
#include "app/ttorvane.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/signal_termination.h"
#include "platform/torvane_error.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

// A lost X server makes the toolkit end the process with exit(), past the exit sequence; the
// change of the last seconds is then written at that exit.
TorvaneProgram* g_running = nullptr;

void flushPendingSaves() {
    if (g_running)
        g_running->autoSave().flushPending();
}

struct RunningProgram {
    explicit RunningProgram(TorvaneProgram& program) { g_running = &program; }
    ~RunningProgram() { g_running = nullptr; }
};

} // namespace

int main(int argc, char** argv) {
    // Torvane guards an X11 desktop: it needs an X server even where Qt could draw elsewhere.
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "Torvane needs an X11 display, but DISPLAY is not set.\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    // Before anything else can take long: from here on a termination signal ends through the exit.
    platform::SignalTerminationRequests terminationRequests;
    QApplication app(argc, argv);
    // Hidden to the tray, the program has no visible window and must keep running.
    QApplication::setQuitOnLastWindowClosed(false);
    try {
        platform::LinuxPlatform system;
        TorvaneProgram program(system.platform());
        program.endOn(terminationRequests);
        const RunningProgram running(program);
        std::atexit(flushPendingSaves);
        program.start();
        const int status = QApplication::exec();
        program.mainWindow().FormDestroy();
        return status;
    } catch (const TorvaneError& e) {
        std::fprintf(stderr, "Torvane: %s\n", qPrintable(e.text()));
        return 1;
    }
}
