#include "platform/linux/linux_platform.h"

namespace platform {

LinuxPlatform::LinuxPlatform(const QString& display)
    : m_windows(display), m_platform{m_windows,       m_processes, m_memory,  m_sharedMemory, m_network,
                                     m_systemActions, m_shell,     m_dialogs, m_hotKey} {}

} // namespace platform
