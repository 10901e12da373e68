#pragma once

#include <array>
#include <cstdint>

// The used physical memory of the last 200 samples with the graph's vertical scale. Slots are
// numbered 1 to 200 as the graph walks them; MemIndex is 0 until the first sample.
struct MemoryHistory {
    static constexpr int kSlots = 200;

    std::array<std::int64_t, kSlots + 1> MemHistory{}; // [0] is never used
    int MemIndex = 0;
    std::int64_t GraphLow = 0;
    std::int64_t GraphHigh = 0;
    std::int64_t MemTotal = 0;
    std::int64_t MemAvail = 0;

    // Stores total − available in the next slot and widens the scale to 1.2 times it (never above
    // the total, never narrowing otherwise). Returns the stored value.
    std::int64_t record(std::int64_t total, std::int64_t available);

    std::int64_t newest() const { return MemIndex == 0 ? 0 : MemHistory[MemIndex]; }
    // The slot after `slot`, 200 wrapping to 1.
    static int nextSlot(int slot) { return slot >= kSlots ? 1 : slot + 1; }
};
