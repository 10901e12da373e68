#pragma once

#include "platform/types.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace platform {

// Processes of this machine.
class Processes {
public:
    virtual ~Processes() = default;

    // The process that now holds `pid`; nothing for ids up to 1 and for a process that is gone.
    virtual std::optional<ProcessIdentity> identify(ProcessId pid) = 0;

    // Ends the process at once, unless its id now belongs to another process (or to none). Never
    // touches process ids up to 1 nor this program's own process; a failure is silent. Returns whether the request was
    // delivered.
    virtual bool terminateProcess(const ProcessIdentity& process) = 0;

    // This program's own process.
    virtual ProcessId currentProcessId() = 0;

    // Resident memory of the process in bytes, 0 when it cannot be read.
    virtual std::uint64_t workingSetBytes(ProcessId pid) = 0;

    // The file the process runs, empty when it cannot be read.
    virtual QString executablePath(ProcessId pid) = 0;
};

} // namespace platform
