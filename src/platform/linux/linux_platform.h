#pragma once

#include "platform/linux/ipc/posix_shared_memory.h"
#include "platform/linux/net/linux_network.h"
#include "platform/linux/proc/linux_processes.h"
#include "platform/linux/proc/proc_memory_info.h"
#include "platform/linux/session/logind_system_actions.h"
#include "platform/linux/wayland/session_windows.h"
#include "platform/linux/x11/x11_hot_key.h"
#include "platform/linux/x11/x11_window_system.h"
#include "platform/platform.h"
#include "platform/qt/desktop_shell.h"
#include "platform/qt/qt_dialogs.h"

namespace platform {

// The real services of this machine, owned in one place.
class LinuxPlatform {
public:
    // Connects to `display`, to $DISPLAY when empty; throws TorvaneError when there is no display.
    // In a Wayland `session` the compositor's own windows join the X11 ones; `ownAppIds` tell this
    // program's native windows where the compositor does not tell their process.
    explicit LinuxPlatform(const QString& display = {}, const SessionEnvironment& session = {},
                           const QStringList& ownAppIds = {});
    LinuxPlatform(const LinuxPlatform&) = delete;
    LinuxPlatform& operator=(const LinuxPlatform&) = delete;

    Platform& platform() { return m_platform; }
    // What the user should hear once at start about the session's windows; empty when nothing.
    QString sessionNotice() const { return m_session.notice; }

private:
    X11WindowSystem m_x11;
    SessionWindows m_session;
    MergedWindowSystem m_windows;
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
