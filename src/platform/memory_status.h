#pragma once

#include <cstdint>

namespace platform {

struct MemoryStatus {
    std::uint32_t memoryLoad = 0; // percent of physical memory in use
    std::uint64_t totalPhys = 0;
    std::uint64_t availPhys = 0;
    std::uint64_t totalPageFile = 0;
    std::uint64_t availPageFile = 0;
    std::uint64_t totalVirtual = 0;
    std::uint64_t availVirtual = 0;
};

class MemoryInfo {
public:
    virtual ~MemoryInfo() = default;
    virtual MemoryStatus globalMemoryStatus() = 0;
};

} // namespace platform
