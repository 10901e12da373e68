#pragma once

#include <QObject>

class AutoSave;
class MainWindow;

namespace platform {
class TerminationRequests;
}

// Every end that comes from outside takes the path of "Exit", without its question: a termination
// signal quits the event loop (nested ones included), and the exit sequence runs once when the
// application is about to quit. The session manager's request to save is answered by saving.
class SessionEnd : public QObject {
public:
    SessionEnd(MainWindow& main, AutoSave& autoSave, platform::TerminationRequests& requests);
};
