#pragma once

#include <cstdint>
#include <optional>

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

// Who owned a window when it was looked at: the process id (0 when the window had no known owner)
// and, while that process was alive, its identity.
struct WindowOwner {
    ProcessId pid = 0;
    std::optional<ProcessIdentity> process;
    friend bool operator==(const WindowOwner&, const WindowOwner&) = default;
};

} // namespace platform
