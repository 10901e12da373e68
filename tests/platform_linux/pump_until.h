#pragma once

#include <QCoreApplication>
#include <QThread>
#include <functional>

// Runs the event loop until `done` holds, with a generous bound against hanging.
inline bool pumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 4000 && !done(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(5);
    }
    return done();
}
