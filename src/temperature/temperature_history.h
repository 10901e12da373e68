#pragma once

#include "temperature/core_temp_block.h"

#include <array>
#include <cstdint>
#include <optional>

// Nearest integer, halves to the even neighbour; saturates at the int range (NaN gives 0) so a
// wild reading can never make the conversion undefined.
std::int32_t roundHalfEven(double value);

// The ring of the last 200 temperature samples with its average and biggest series and the peak.
// Slots are numbered 1..200; slot TempIndex() holds the newest sample, the next one the oldest.
class TemperatureHistory {
public:
    static constexpr int kSlots = 200;
    static constexpr int kCores = coretemp::kCoreCount;

    // 0 before the first sample.
    int TempIndex() const { return m_tempIndex; }
    // slot 1..200, core 1..8
    float CoreTemp(int core, int slot) const { return m_coreTemps[core - 1][slot - 1]; }
    float AverageTemp(int slot) const { return m_averageTemps[slot - 1]; }
    float BiggestTemp(int slot) const { return m_biggestTemps[slot - 1]; }
    // Highest biggest value ever stored; never lowered.
    float PeakTemp() const { return m_peakTemp; }

    // Newest values; 0 before the first sample.
    float newestAverage() const { return m_tempIndex == 0 ? 0.0f : AverageTemp(m_tempIndex); }
    float newestBiggest() const { return m_tempIndex == 0 ? 0.0f : BiggestTemp(m_tempIndex); }
    float newestCoreTemp(int core) const { return m_tempIndex == 0 ? 0.0f : CoreTemp(core, m_tempIndex); }
    // Whether the newest sample read at least one core; without one its 0 degrees mean nothing.
    bool newestHasReading() const { return m_newestHasReading; }
    // The biggest value of the sample before the newest (slot 200 before slot 1); 0 before any sample.
    float previousBiggest() const;

    // The newest biggest value rounded, as the window caption shows it.
    std::int32_t CurrentTemp() const { return roundHalfEven(newestBiggest()); }

    // One sampling step: advances the ring and stores the readings, or records no reading at all
    // (average and biggest 0, core series untouched) when the monitor could not be read. A core
    // value of 0 or outside the plausible range is left out, as a core without a reading.
    void addSample(const std::optional<coretemp::CoreReadings>& readings);

private:
    int m_tempIndex = 0;
    std::array<std::array<float, kSlots>, kCores> m_coreTemps{};
    std::array<float, kSlots> m_averageTemps{};
    std::array<float, kSlots> m_biggestTemps{};
    float m_peakTemp = 0.0f;
    bool m_newestHasReading = false;
};
