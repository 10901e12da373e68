#pragma once

#include "platform/shell.h"

namespace platform {

// Starts programs and opens documents the way the desktop does.
class DesktopShell : public Shell {
public:
    void startFile(const QString& path) override;
};

} // namespace platform
