#pragma once

#include <QString>
#include <string>
#include <sys/types.h>

// A private X server for tests: Xvfb on a display it picks itself, with no TCP listener, a 24-bit
// screen of `screen` pixels ("WIDTHxHEIGHT"). The constructor returns once the server accepts connections (throws
// std::runtime_error when it does not start); the destructor ends it.
class XvfbServer {
public:
    explicit XvfbServer(const std::string& screen = "1280x1024");
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // ":N", for DISPLAY or a connection.
    const QString& display() const { return m_display; }
    pid_t pid() const { return m_pid; }

private:
    void stop();

    pid_t m_pid = -1;
    QString m_display;
};
