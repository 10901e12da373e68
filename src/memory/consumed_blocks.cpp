#include "memory/consumed_blocks.h"

#include <algorithm>
#include <cstring>

void writeZeros(void* block, std::size_t size) {
    std::memset(block, 0, size);
    // The zeros are the point: they make the system commit every page.
    asm volatile("" : : "r"(block) : "memory");
}

ConsumedBlocks::ConsumedBlocks(HeapAllocator& heap) : m_heap(heap), m_slots(new ConsumedSlot[kSlots]) {}

ConsumedBlocks::~ConsumedBlocks() {
    releaseAll();
}

std::int64_t ConsumedBlocks::consume(std::int64_t amount, const std::function<void(std::int64_t)>& progress) {
    if (m_used > 0)
        releaseAll();
    m_lastRequests = 0;
    std::int64_t consumed = 0;
    int next = 0;
    while (consumed < amount && next < kSlots) {
        std::int64_t request = std::min(amount - consumed, kMaxBlock);
        void* block = nullptr;
        while (request > 0) {
            ++m_lastRequests;
            block = m_heap.allocate(static_cast<std::size_t>(request));
            if (block)
                break;
            request /= 2;
        }
        if (!block)
            return amount - consumed;
        writeZeros(block, static_cast<std::size_t>(request));
        m_slots[next++] = {block, static_cast<std::int32_t>(request)};
        m_used = next;
        consumed += request;
        if (progress)
            progress(consumed);
    }
    return 0;
}

void ConsumedBlocks::releaseAll(const std::function<void(std::int64_t)>& progress) {
    std::int64_t freed = 0;
    bool any = false;
    for (int i = 0; i < m_used; ++i) {
        ConsumedSlot& s = m_slots[i];
        if (!s.occupied())
            continue;
        m_heap.release(s.address, static_cast<std::size_t>(s.size));
        freed += s.size;
        s = {};
        any = true;
        if (progress)
            progress(freed);
    }
    m_used = 0;
    if (any)
        m_heap.returnFreePages();
}

void ConsumedBlocks::rewrite(const std::function<void(std::int64_t)>& progress) {
    std::int64_t written = 0;
    for (int i = 0; i < m_used; ++i) {
        const ConsumedSlot& s = m_slots[i];
        if (!s.occupied())
            continue;
        writeZeros(s.address, static_cast<std::size_t>(s.size));
        written += s.size;
        if (progress)
            progress(written);
    }
}

std::int64_t ConsumedBlocks::held() const {
    std::int64_t sum = 0;
    for (int i = 0; i < m_used; ++i)
        if (m_slots[i].occupied())
            sum += m_slots[i].size;
    return sum;
}

int ConsumedBlocks::occupiedCount() const {
    return static_cast<int>(
        std::count_if(m_slots.get(), m_slots.get() + m_used, [](const ConsumedSlot& s) { return s.occupied(); }));
}
