#include "temperature/temperature_history.h"

#include <cmath>
#include <limits>

std::int32_t roundHalfEven(double value) {
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value);
    if (rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(rounded);
}

float TemperatureHistory::previousBiggest() const {
    if (m_tempIndex == 0)
        return 0.0f;
    return BiggestTemp(m_tempIndex == 1 ? kSlots : m_tempIndex - 1);
}

void TemperatureHistory::addSample(const std::optional<coretemp::CoreReadings>& readings) {
    m_tempIndex = m_tempIndex >= kSlots ? 1 : m_tempIndex + 1;
    const int slot = m_tempIndex - 1;
    m_newestHasReading = false;
    if (!readings) {
        m_averageTemps[slot] = 0.0f;
        m_biggestTemps[slot] = 0.0f;
        return;
    }

    float sum = 0.0f;
    int count = 0;
    float biggest = 0.0f;
    for (int core = 0; core < kCores; ++core) {
        const float value = (*readings)[core];
        // A value no CPU can have, from a broken or forged publisher, counts as no reading rather
        // than poisoning the average, the peak, the caption and the overheat check.
        if (value == 0.0f || !coretemp::isPlausibleReading(value))
            continue;
        sum += value;
        ++count;
        if (!(biggest >= value))
            biggest = value;
        m_coreTemps[core][slot] = value;
    }
    m_averageTemps[slot] = count > 0 ? sum / static_cast<float>(count) : 0.0f;
    m_biggestTemps[slot] = biggest;
    m_newestHasReading = count > 0;
    if (biggest > m_peakTemp)
        m_peakTemp = biggest;
}
