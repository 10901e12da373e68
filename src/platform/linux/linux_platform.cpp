#include "platform/linux/linux_platform.h"

#include <unistd.h>

namespace platform {

LinuxPlatform::LinuxPlatform(const QString& display, const SessionEnvironment& session, const QStringList& ownAppIds)
    : m_x11(display), m_session(connectSessionWindows(session)),
      m_windows(m_x11, std::move(m_session.source), m_session.xwayland,
                {static_cast<ProcessId>(::getpid()), ownAppIds}),
      m_platform{m_windows,       m_processes, m_memory,  m_sharedMemory, m_network,
                 m_systemActions, m_shell,     m_dialogs, m_hotKey} {}

} // namespace platform
