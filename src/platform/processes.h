#pragma once

#include "platform/types.h"

#include <cstdint>

namespace platform {

// Processes of this machine.
class Processes {
public:
    virtual ~Processes() = default;

    // Ends the process at once. Never touches process ids up to 1; a failure is silent.
    // Returns whether the request was delivered.
    virtual bool terminateProcess(ProcessId pid) = 0;

    // Resident memory of the process in bytes, 0 when it cannot be read.
    virtual std::uint64_t workingSetBytes(ProcessId pid) = 0;
};

} // namespace platform
