#pragma once

#include "temperature/core_temp_block.h"

#include <QString>
#include <QStringList>

namespace coretemp {

// Turns the machine's core sensors into the readings of the shared block.
class CoreTempPublisher {
public:
    explicit CoreTempPublisher(QString sysfsRoot) : m_sysfsRoot(std::move(sysfsRoot)) {}

    // Finds the sensors; false when the machine has none.
    bool discover();
    int sensorCount() const { return static_cast<int>(m_inputs.size()); }

    // The current readings of the first eight cores; 0 for a core whose sensor failed. When every
    // sensor failed (a driver reloaded under new names), the sensors are looked up again first.
    CoreReadings sample();

private:
    CoreReadings readAll(bool* anyRead) const;

    QString m_sysfsRoot;
    QStringList m_inputs;
};

} // namespace coretemp
