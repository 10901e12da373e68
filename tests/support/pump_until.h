#pragma once

#include <QCoreApplication>
#include <QThread>
#include <functional>

// Runs the event loop until `done` holds, with a generous bound against hanging.
inline bool pumpUntil(const std::function<bool()>& done, int rounds = 4000) {
    for (int i = 0; i < rounds && !done(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(5);
    }
    return done();
}
