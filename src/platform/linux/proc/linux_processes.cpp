#include "platform/linux/proc/linux_processes.h"

#include "platform/linux/proc/proc_files.h"

#include <QFile>
#include <csignal>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

LinuxProcesses::LinuxProcesses(QString procRoot) : m_procRoot(std::move(procRoot)) {}

std::optional<ProcessIdentity> LinuxProcesses::identify(ProcessId pid) {
    if (pid <= 1)
        return std::nullopt;
    const auto startTime = procfs::readStartTime(m_procRoot, pid);
    if (!startTime)
        return std::nullopt;
    return ProcessIdentity{pid, *startTime};
}

bool LinuxProcesses::terminateProcess(const ProcessIdentity& process) {
    if (process.pid <= 1 || process.pid == currentProcessId())
        return false;
    // The pidfd pins one process; if the id still has the start time noted at look-up, the pidfd is
    // that very process and no later holder of the id can be hit.
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, static_cast<pid_t>(process.pid), 0));
    if (pidfd < 0)
        return false;
    bool delivered = false;
    if (procfs::readStartTime(m_procRoot, process.pid) == process.startTime)
        delivered = syscall(SYS_pidfd_send_signal, pidfd, SIGKILL, nullptr, 0) == 0;
    close(pidfd);
    return delivered;
}

ProcessId LinuxProcesses::currentProcessId() {
    return static_cast<ProcessId>(getpid());
}

std::uint64_t LinuxProcesses::workingSetBytes(ProcessId pid) {
    if (pid == 0)
        return 0;
    const auto statm = procfs::readSmallFile(QStringLiteral("%1/%2/statm").arg(m_procRoot).arg(pid));
    const auto pages = statm ? procfs::parseResidentPages(*statm) : std::nullopt;
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (!pages || pageSize <= 0)
        return 0;
    return *pages * static_cast<std::uint64_t>(pageSize);
}

QString LinuxProcesses::executablePath(ProcessId pid) {
    if (pid == 0)
        return {};
    const QByteArray link = QFile::encodeName(QStringLiteral("%1/%2/exe").arg(m_procRoot).arg(pid));
    char target[4096];
    const ssize_t length = ::readlink(link.constData(), target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) == sizeof target)
        return {};
    return QFile::decodeName(QByteArray(target, static_cast<int>(length)));
}

} // namespace platform
