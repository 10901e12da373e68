#include "app/app_id.h"
#include "app/auto_save.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "app/program_folders.h"
#include "app/remote_commands.h"
#include "app/scripting_service.h"
#include "app/torvane_program.h"
#include "app/tray_controller.h"
#include "core/activity_log.h"
#include "core/error_report.h"
#include "lists/task_management_tab.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/session/journal_activity.h"
#include "platform/linux/session/scripting_bus.h"
#include "platform/linux/session/scripting_client.h"
#include "platform/linux/session/signal_termination.h"
#include "platform/linux/session/single_instance.h"
#include "platform/torvane_error.h"
#include "tasks/protection.h"
#include "widgets/task_list_view.h"

#include <QApplication>
#include <QDBusConnection>
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

int answered(const CommandLineAnswer& answer) {
    std::fputs(qPrintable(answer.out), stdout);
    std::fputs(qPrintable(answer.err), stderr);
    return answer.status;
}

// The bus needs an application object, but these commands need no display.
int runRemoteCommand(const RemoteCommand& command, int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    const QString display = qEnvironmentVariable("DISPLAY");
    platform::ScriptingClient torvane(QDBusConnection::sessionBus(),
                                      platform::SingleInstance::busName(kAppId, display));
    const ProgramFolders folders = currentProgramFolders();
    return answered(runRemoteCommand(command, torvane, display,
                                     {folders.data, folders.installed, qEnvironmentVariable("XDG_CONFIG_DIRS")}));
}

} // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLineAnswer answer = readCommandLine(arguments);
    if (answer.exit)
        return answered(answer);
    if (answer.remote)
        return runRemoteCommand(*answer.remote, argc, argv);
    // Torvane guards an X11 desktop: it needs an X server even where Qt could draw elsewhere.
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "Torvane needs an X11 display, but DISPLAY is not set.\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    // Before anything else can take long: from here on a termination signal ends through the exit.
    platform::SignalTerminationRequests terminationRequests;
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(kAppId);
    // Hidden to the tray, the program has no visible window and must keep running.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::SingleInstance instance(kAppId, qEnvironmentVariable("DISPLAY"));
    switch (instance.claim()) {
    case platform::SingleInstance::Outcome::Activated:
        return 0;
    case platform::SingleInstance::Outcome::Failed:
        std::fprintf(stderr, "Torvane already runs on this display but does not answer.\n");
        return 1;
    default:
        break;
    }
    try {
        // Compositors that cannot tell XWayland windows apart report this program's windows under its
        // X11 class, which Qt takes from the application name: the executable's name, or the title once
        // the main window has set it.
        // Outlives the program, whose log writes into it to the end.
        platform::JournalActivity journal;
        platform::LinuxPlatform system({}, platform::SessionEnvironment::ofThisProcess(),
                                       {kAppId, QCoreApplication::applicationName(), kApplicationTitle});
        TorvaneProgram program(system.platform());
        MainWindow& main = program.mainWindow();
        main.activityLog().addSlowSink(journal);
        main.startNotice = system.sessionNotice();
        main.tray().clickToggles = platform::statusNotifierHostRegistered();
        instance.onActivate = [&main] { main.guarded([&main] { main.tray().showFromAnotherStart(); }); };
        program.endOn(terminationRequests);
        const TaskTabControls& lists = main.taskTab().controls();
        Protection& protection = main.protection();
        ScriptingService scripting(
            lists.safeListView->taskModel(), lists.killListView->taskModel(), main.platform().windows,
            {[&protection] { return protection.protectionOn(); },
             [&main, &protection](bool on) { main.guarded([&protection, on] { protection.setProtection(on); }); }},
            &main.activityLog());
        platform::ScriptingBus scriptingBus(scripting, instance, QDBusConnection::sessionBus());
        QObject::connect(&main.activityLog(), &ActivityLog::recorded, &scriptingBus, &platform::ScriptingBus::announce);
        const RunningProgram running(program);
        std::atexit(flushPendingSaves);
        program.start();
        const int status = QApplication::exec();
        instance.onActivate = nullptr;
        program.mainWindow().onDestroyed();
        return status;
    } catch (const TorvaneError& e) {
        std::fprintf(stderr, "Torvane: %s\n", qPrintable(e.text()));
        return 1;
    }
}
