#include "memory/memory_graph.h"

#include "memory/memory_gauges.h"

#include <algorithm>
#include <cmath>

namespace {

// Far outside any image, yet safe to convert and to draw to.
constexpr double kCoordinateLimit = 1 << 24;

int toCoordinate(double value) {
    return static_cast<int>(std::clamp(std::nearbyint(value), -kCoordinateLimit, kCoordinateLimit));
}

} // namespace

int memoryGraphX(int j, int width) {
    return toCoordinate(j * (double(width) / MemoryHistory::kSlots));
}

int memoryGraphY(std::int64_t value, std::int64_t low, std::int64_t high, int height) {
    if (high == low)
        return height;
    const double ratio = double(value - low) / double(high - low);
    return height - toCoordinate(ratio * (height - 20));
}

QString megabyteText(std::int64_t bytes) {
    return QString::number(megabytes(bytes)) + QStringLiteral(" MB");
}

void layoutMemoryGraph(const MemoryHistory& history, QSize size, MemoryGraphLayout& layout) {
    const int w = size.width();
    const int h = size.height();
    layout.size = size;
    layout.line[0] = QPoint(0, h);
    int slot = std::max(history.MemIndex, 1);
    for (int j = 1; j <= MemoryHistory::kSlots; ++j) {
        layout.line[j] =
            QPoint(memoryGraphX(j, w), memoryGraphY(history.MemHistory[slot], history.GraphLow, history.GraphHigh, h));
        slot = MemoryHistory::nextSlot(slot);
    }
    layout.newest = {QPoint(w - 55, 10), megabyteText(history.newest())};
    layout.high = {QPoint(10, 10), megabyteText(history.GraphHigh)};
    layout.low = {QPoint(10, h - 22), megabyteText(history.GraphLow)};
    layout.leftBar = QRect(QPoint(0, 0), QPoint(4, h - 1));
    layout.bottomBar = QRect(QPoint(0, h - 5), QPoint(w - 1, h - 1));
}
