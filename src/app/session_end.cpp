#include "app/session_end.h"

#include "app/auto_save.h"
#include "app/main_window.h"
#include "platform/termination_requests.h"

#include <QGuiApplication>
#include <QSessionManager>

SessionEnd::SessionEnd(MainWindow& main, AutoSave& autoSave, platform::TerminationRequests& requests) : QObject(&main) {
    // exit() rather than quit(): quit() first closes every window and gives up when one refuses,
    // as a question box without a way to cancel does.
    requests.watch([](int) { QCoreApplication::exit(0); });
    // The session may still be cancelled after this request: save, but keep running.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [&autoSave](QSessionManager&) { autoSave.saveNow(); });
    // onDestroyed runs once however often it is called; main() calls it after the loop as well.
    connect(qGuiApp, &QCoreApplication::aboutToQuit, this, [&main] { main.onDestroyed(); });
}
