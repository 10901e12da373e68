#pragma once

#include "memory/heap_allocator.h"

#include <cstdint>
#include <functional>
#include <memory>

// One slot of the consumption table: occupied while it has an address and a size above 0.
struct ConsumedSlot {
    void* address = nullptr;
    std::int32_t size = 0;
    bool occupied() const { return address != nullptr && size > 0; }
};

// The memory the consumption tools hold: a fixed table of 65000 zero-filled heap blocks.
class ConsumedBlocks {
public:
    static constexpr int kSlots = 65000;
    static constexpr std::int64_t kMaxConsumption = 1073741824; // 1 GiB per consumption
    static constexpr std::int64_t kMaxBlock = 2147483647;       // a slot's size is 32-bit

    explicit ConsumedBlocks(HeapAllocator& heap);
    ~ConsumedBlocks();
    ConsumedBlocks(const ConsumedBlocks&) = delete;
    ConsumedBlocks& operator=(const ConsumedBlocks&) = delete;

    // Holds `amount` bytes in as few blocks as the heap allows: each request asks for the whole
    // remainder, and a request the heap refuses is halved until one succeeds. Every block is
    // written with zeros so that its pages are really committed. `progress` gets the bytes held so
    // far after each block. Returns the shortfall: what could not be had, 0 when all was held or
    // when the slots ran out first. Blocks held from before are released first.
    std::int64_t consume(std::int64_t amount, const std::function<void(std::int64_t consumed)>& progress = {});
    // Releases every block in slot order; `progress` gets the bytes freed so far.
    void releaseAll(const std::function<void(std::int64_t freed)>& progress = {});
    // Writes zeros over every block in slot order again; `progress` gets the bytes written so far.
    void rewrite(const std::function<void(std::int64_t written)>& progress = {});

    std::int64_t held() const;
    const HeapAllocator& heap() const { return m_heap; }
    int occupiedCount() const;
    const ConsumedSlot& slot(int index) const { return m_slots[index]; } // 0-based
    // Allocation requests made by the last consume, refused ones included.
    int lastRequests() const { return m_lastRequests; }

private:
    HeapAllocator& m_heap;
    std::unique_ptr<ConsumedSlot[]> m_slots;
    int m_used = 0; // slots are filled from the first on, so only these can be occupied
    int m_lastRequests = 0;
};

// Writes zeros over a block in a way the compiler cannot drop or fold into the allocation.
void writeZeros(void* block, std::size_t size);
