#include "app/torvane_program.h"
#include "app/ttorvane.h"
#include "platform/linux/linux_platform.h"
#include "platform/torvane_error.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    // Torvane guards an X11 desktop: it needs an X server even where Qt could draw elsewhere.
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "Torvane needs an X11 display, but DISPLAY is not set.\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    // Hidden to the tray, the program has no visible window and must keep running.
    QApplication::setQuitOnLastWindowClosed(false);
    try {
        platform::LinuxPlatform system;
        TorvaneProgram program(system.platform());
        program.start();
        const int status = QApplication::exec();
        program.mainWindow().FormDestroy();
        return status;
    } catch (const TorvaneError& e) {
        std::fprintf(stderr, "Torvane: %s\n", qPrintable(e.text()));
        return 1;
    }
}
