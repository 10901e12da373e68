#pragma once

#include "platform/linux/desktop_shell.h"
#include "platform/linux/linux_network.h"
#include "platform/linux/linux_processes.h"
#include "platform/linux/logind_system_actions.h"
#include "platform/linux/posix_shared_memory.h"
#include "platform/linux/proc_memory_info.h"
#include "platform/linux/qt_dialogs.h"
#include "platform/linux/x11_hot_key.h"
#include "platform/linux/x11_window_system.h"
#include "platform/platform.h"

namespace platform {

// The real services of this machine, owned in one place.
class LinuxPlatform {
public:
    // Connects to `display`, to $DISPLAY when empty; throws TorvaneError when there is no display.
    explicit LinuxPlatform(const QString& display = {});
    LinuxPlatform(const LinuxPlatform&) = delete;
    LinuxPlatform& operator=(const LinuxPlatform&) = delete;

    Platform& platform() { return m_platform; }

private:
    X11WindowSystem m_windows;
    LinuxProcesses m_processes;
    ProcMemoryInfo m_memory;
    PosixSharedMemory m_sharedMemory;
    LinuxNetwork m_network;
    LogindSystemActions m_systemActions;
    DesktopShell m_shell;
    QtDialogs m_dialogs;
    X11HotKey m_hotKey;
    Platform m_platform;
};

} // namespace platform
