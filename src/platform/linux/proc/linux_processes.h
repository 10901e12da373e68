#pragma once

#include "platform/processes.h"

#include <QString>
#include <optional>

namespace platform {

// Processes through procfs and pidfds.
class LinuxProcesses : public Processes {
public:
    explicit LinuxProcesses(QString procRoot = QStringLiteral("/proc"));

    std::optional<ProcessIdentity> identify(ProcessId pid) override;
    bool terminateProcess(const ProcessIdentity& process) override;
    ProcessId currentProcessId() override;
    std::uint64_t workingSetBytes(ProcessId pid) override;
    QString executablePath(ProcessId pid) override;

private:
    QString m_procRoot;
};

} // namespace platform
