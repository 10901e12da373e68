#include "memory/memory_history.h"

std::int64_t MemoryHistory::record(std::int64_t total, std::int64_t available) {
    MemIndex = nextSlot(MemIndex);
    MemTotal = total;
    MemAvail = available;
    const std::int64_t used = total - available;
    MemHistory[MemIndex] = used;
    if (used + used / 5 > GraphHigh)
        GraphHigh = used + used / 5;
    if (GraphHigh > MemTotal)
        GraphHigh = MemTotal;
    return used;
}
