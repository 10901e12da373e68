#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace coretemp {

// The temperature inputs of the CPU cores under `sysfsRoot` + "/class/hwmon", in core order:
// the Intel "Core N" sensors of every package (package by package, by core number); without
// those, the AMD per-CCD sensors "TccdN" (k10temp, zenpower); without those, one die sensor
// ("Tdie", else "Tctl") per AMD device. Empty when the machine has none of them.
QStringList discoverCoreSensors(const QString& sysfsRoot);

// Degrees Celsius from one millidegree input; nothing when the file is gone, cannot be read,
// holds no integer or a value no CPU can have.
std::optional<float> readTemperature(const QString& inputPath);

} // namespace coretemp
