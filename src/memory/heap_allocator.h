#pragma once

#include <cstddef>

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
};
