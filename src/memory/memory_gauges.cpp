#include "memory/memory_gauges.h"

#include <algorithm>
#include <cmath>
#include <limits>

FreeMemColor freeMemColor(std::int64_t total, std::int64_t available) {
    const std::int64_t third = total / 3;
    if (third > available)
        return FreeMemColor::Red;
    if (2 * third > available)
        return FreeMemColor::Yellow;
    return FreeMemColor::HotLight;
}

std::int32_t roundedPercent(std::int64_t part, std::int64_t whole) {
    if (whole <= 0)
        return 0;
    const double percent = std::nearbyint(double(part) / double(whole) * 100.0);
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(percent, low, high));
}

std::int64_t megabytes(std::int64_t bytes) {
    return bytes / 1024 / 1024;
}

QString memoryLine(const QString& label, std::int64_t used, std::int64_t total) {
    return label + QString::number(megabytes(used)) + QStringLiteral(" MB/ ") + QString::number(megabytes(total)) +
           QStringLiteral(" MB");
}

int gaugeValue(std::int32_t percent) {
    return std::clamp<std::int32_t>(percent, 0, 100);
}

MemoryGauges computeGauges(const MemorySample& s) {
    MemoryGauges g;
    g.freeMemColor = freeMemColor(s.totalPhys, s.availPhys);
    g.freePhysicalGauge = gaugeValue(roundedPercent(s.availPhys, s.totalPhys));
    // The used bar complements what the free bar holds after clamping.
    g.usedPhysicalGauge = gaugeValue(100 - g.freePhysicalGauge);
    g.usedPagingGauge = gaugeValue(roundedPercent(s.totalPageFile - s.availPageFile, s.totalPageFile));
    g.usedVirtualGauge = gaugeValue(roundedPercent(s.totalVirtual - s.availVirtual, s.totalVirtual));
    g.usedPhysicalLabel = memoryLine(QStringLiteral("Used Physical Memory "), s.totalPhys - s.availPhys, s.totalPhys);
    g.freePhysicalLabel = memoryLine(QStringLiteral("Free Physical Memory "), s.availPhys, s.totalPhys);
    g.usedPagingLabel =
        memoryLine(QStringLiteral("Used Paging File "), s.totalPageFile - s.availPageFile, s.totalPageFile);
    g.usedVirtualLabel =
        memoryLine(QStringLiteral("Used Virtual Memory "), s.totalVirtual - s.availVirtual, s.totalVirtual);
    g.FreeMemPercent = roundedPercent(s.availPhys, s.totalPhys);
    return g;
}
