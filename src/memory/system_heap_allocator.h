#pragma once

#include "memory/heap_allocator.h"

// The program's general-purpose heap (the C library's malloc).
class SystemHeapAllocator : public HeapAllocator {
public:
    void* allocate(std::size_t size) override;
    void release(void* block, std::size_t size) override;
    void returnFreePages() override;
    // malloc practically never fails on Linux; the kernel's out-of-memory killer acts instead.
    std::int64_t safetyMargin() const override { return 128 * 1048576; }
};
