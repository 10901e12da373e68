#pragma once

#include "platform/processes.h"

#include <QString>
#include <optional>

namespace platform {

// Processes through procfs and pidfds.
class LinuxProcesses : public Processes {
public:
    // A process as it was when looked up: its id and its start time, which tells it apart from a
    // later process that reuses the id.
    struct ProcessRef {
        ProcessId pid = 0;
        std::uint64_t startTime = 0;
    };

    explicit LinuxProcesses(QString procRoot = QStringLiteral("/proc"));

    // Never for ids up to 1; nothing when the process does not exist.
    std::optional<ProcessRef> lookUp(ProcessId pid) const;
    // Kills the process looked up, unless its id now belongs to another process.
    bool terminate(const ProcessRef& process) const;

    bool terminateProcess(ProcessId pid) override;
    std::uint64_t workingSetBytes(ProcessId pid) override;

private:
    QString m_procRoot;
};

} // namespace platform
