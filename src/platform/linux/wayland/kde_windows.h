#pragma once

#include "platform/linux/wayland/native_windows.h"

#include <QString>
#include <memory>

namespace platform {

// Native windows through KDE Plasma's window management protocol on `waylandDisplay` (named as in
// WAYLAND_DISPLAY); nullptr when it cannot connect or the compositor lacks the protocol.
std::unique_ptr<NativeWindowSource> connectKdeWindows(const QString& waylandDisplay); // wl-proto

} // namespace platform
