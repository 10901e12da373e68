#pragma once

#include <QThread>
#include <functional>

// What another process does (a client's disconnection reaching the X server's bookkeeping, a started
// program writing its file) shows a moment later: waits (with a generous bound against hanging) until
// `done` holds.
inline bool eventually(const std::function<bool()>& done) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (done())
            return true;
        QThread::msleep(10);
    }
    return done();
}
