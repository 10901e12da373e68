#pragma once

#include <QString>
#include <cstdint>

namespace platform {

// The shut-down call with the program's flag numbers (log off 0, shut down 1, reboot 2,
// force 4, power off 8, restart applications 0x40).
class SystemActions {
public:
    virtual ~SystemActions() = default;

    // Performs the action. On failure returns the stage that failed, with its text; an empty
    // text means success (a veto by an inhibitor counts as success that did nothing).
    virtual QString exitWindows(std::uint32_t flags) = 0;
};

} // namespace platform
