#pragma once

#include "platform/linux/wayland/native_windows.h"

#include <QString>
#include <memory>

namespace platform {

// The id of Torvane's GNOME Shell extension, which shows the shell's windows to Torvane.
inline const QString kGnomeExtensionUuid = QStringLiteral("torvane@torvane.github.io");

// Native windows through Torvane's GNOME Shell extension on the D-Bus at `busAddress` (empty: the
// session bus); nullptr when the extension does not answer within `timeoutMs`. A shell without the
// extension answers at once (no such object), so the bound only matters for a shell that is busy
// drawing its first frames as the session starts, and a short one would lose its windows for good.
std::unique_ptr<NativeWindowSource> connectGnomeShell(const QString& busAddress, int timeoutMs = 5000);

// True when the extension is installed for this user or for the machine, enabled or not.
bool gnomeExtensionInstalled();

} // namespace platform
