#pragma once

#include "memory/heap_allocator.h"
#include "platform/memory_status.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

// A heap that refuses requests above a block limit or beyond a capacity. When given a memory
// status it takes what it hands out from the available memory, as the system would.
class FakeHeap : public HeapAllocator {
public:
    std::int64_t maxBlock = std::numeric_limits<std::int64_t>::max();
    std::int64_t capacity = std::numeric_limits<std::int64_t>::max();
    platform::MemoryStatus* status = nullptr;
    std::int64_t margin = 0;

    std::int64_t outstanding = 0;
    std::vector<std::int64_t> requests; // every request, refused ones included
    int releases = 0;
    int trims = 0;

    void* allocate(std::size_t size) override {
        const auto n = static_cast<std::int64_t>(size);
        requests.push_back(n);
        if (n > maxBlock || outstanding + n > capacity)
            return nullptr;
        void* block = std::malloc(size);
        if (!block)
            return nullptr;
        outstanding += n;
        if (status)
            status->availPhys -= size;
        return block;
    }
    void release(void* block, std::size_t size) override {
        std::free(block);
        outstanding -= static_cast<std::int64_t>(size);
        ++releases;
        if (status)
            status->availPhys += size;
    }
    void returnFreePages() override { ++trims; }
    std::int64_t safetyMargin() const override { return margin; }
};
