#pragma once
// What the four gauges and their lines show for one memory sample.

#include <QString>
#include <cstdint>

// The six figures of a global memory status the tab uses, in bytes.
struct MemorySample {
    std::int64_t totalPhys = 0;
    std::int64_t availPhys = 0;
    std::int64_t totalPageFile = 0;
    std::int64_t availPageFile = 0;
    std::int64_t totalVirtual = 0;
    std::int64_t availVirtual = 0;
};

enum class FreeMemColor { HotLight, Yellow, Red };

// Red below a third free, yellow below two thirds, the hot-light colour otherwise.
FreeMemColor freeMemColor(std::int64_t total, std::int64_t available);

// Round(part / whole × 100), halves to even. A whole of 0 or less has no ratio: 0.
std::int32_t roundedPercent(std::int64_t part, std::int64_t whole);

// Whole mebibytes, the remainder dropped.
std::int64_t megabytes(std::int64_t bytes);

// `label` + used MB + " MB/ " + total MB + " MB".
QString memoryLine(const QString& label, std::int64_t used, std::int64_t total);

struct MemoryGauges {
    int freePhysicalGauge = 0; // gauges hold 0..100
    int usedPhysicalGauge = 0;
    int usedPagingGauge = 0;
    int usedVirtualGauge = 0;
    FreeMemColor freeMemColor = FreeMemColor::HotLight;
    QString usedPhysicalLabel;
    QString freePhysicalLabel;
    QString usedPagingLabel;
    QString usedVirtualLabel;
    std::int32_t FreeMemPercent = 0;
};

// A percentage as a gauge from 0 to 100 holds it.
int gaugeValue(std::int32_t percent);

MemoryGauges computeGauges(const MemorySample& sample);
