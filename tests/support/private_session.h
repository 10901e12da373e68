#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <functional>
#include <sys/types.h>

// What the private compositors of the tests (KWin, GNOME Shell) start them with.
namespace private_session {

constexpr int kWaitMs = 30000; // a bound against hanging, not a speed check

// Starts `arguments` with `environment`, its output into `log`; the child dies with the test process.
pid_t spawn(const QStringList& arguments, const QProcessEnvironment& environment, const QString& log);
bool writeFile(const QString& path, const QString& text);
// The file's last 1500 bytes, for an error message.
QString lastLines(const QString& path);
// Polls `ready` every `stepMs` until it holds (true) or the child ends by itself (pid set to -1)
// or kWaitMs pass (false).
bool waitFor(pid_t& pid, const std::function<bool()>& ready, int stepMs = 10);
// A dbus-daemon of `type` ("session" or "system") listening on `dir`/<type>-bus that activates no
// service, so nothing outlives it; -1 when it did not start.
pid_t startBus(const QString& dir, const QString& type, const QProcessEnvironment& environment);

} // namespace private_session
