#pragma once

#include <cstdint>

namespace platform {

// A top-level window of the desktop; 0 means none. On X11 it is the client window id.
using WindowHandle = std::uint32_t;
// A process id; 0 means unknown.
using ProcessId = std::uint32_t;

} // namespace platform
