#pragma once

#include <cstddef>
#include <cstdint>

// The heap that consumed memory comes from.
class HeapAllocator {
public:
    virtual ~HeapAllocator() = default;
    // A block of `size` bytes, or nullptr when the heap is out of memory.
    virtual void* allocate(std::size_t size) = 0;
    virtual void release(void* block, std::size_t size) = 0;
    // Hands the pages the heap keeps cached after releases back to the system, so that released
    // memory is free at once.
    virtual void returnFreePages() = 0;
    // Memory the system must keep available whatever this heap hands out: a heap that never refuses
    // (overcommit) leaves the system to end programs instead once memory runs out.
    virtual std::int64_t safetyMargin() const = 0;
};
