#pragma once

#include <QString>

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;

    // Starts a program by its file (an executable is started detached, any other file opened
    // with the desktop's default program). The result is not reported.
    virtual void startFile(const QString& path) = 0;
};

} // namespace platform
