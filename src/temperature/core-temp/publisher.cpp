#include "publisher.h"

#include "hwmon_sensors.h"

namespace coretemp {

bool CoreTempPublisher::discover() {
    const QStringList inputs = discoverCoreSensors(m_sysfsRoot);
    if (inputs.isEmpty())
        return false;
    m_inputs = inputs;
    return true;
}

CoreReadings CoreTempPublisher::readAll(bool* anyRead) const {
    CoreReadings readings{};
    *anyRead = false;
    for (int core = 0; core < kCoreCount && core < m_inputs.size(); ++core) {
        if (const std::optional<float> value = readTemperature(m_inputs[core])) {
            readings[core] = *value;
            *anyRead = true;
        }
    }
    return readings;
}

CoreReadings CoreTempPublisher::sample() {
    bool anyRead = false;
    const CoreReadings readings = readAll(&anyRead);
    if (anyRead || !discover())
        return readings;
    return readAll(&anyRead);
}

} // namespace coretemp
