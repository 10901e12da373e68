#pragma once

#include <cstdint>

namespace platform {

// A top-level window of the desktop; 0 means none. On X11 it is the client window id.
using WindowHandle = std::uint32_t;
// A process id; 0 means unknown.
using ProcessId = std::uint32_t;

// One process as it was when it was looked up: its id and its start time, which tell it apart from a
// later process that reuses the id.
struct ProcessIdentity {
    ProcessId pid = 0;
    std::uint64_t startTime = 0;
    friend bool operator==(const ProcessIdentity&, const ProcessIdentity&) = default;
};

} // namespace platform
