#pragma once

#include "platform/linux/wayland/native_windows.h"

#include <QString>
#include <memory>

namespace platform {

// Native windows through sway's IPC socket at `socketPath` (SWAYSOCK or I3SOCK); nullptr when it
// cannot connect.
std::unique_ptr<NativeWindowSource> connectSwayIpc(const QString& socketPath); // wl-sway

} // namespace platform
