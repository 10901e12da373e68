#pragma once

#include "temperature/core_temp_block.h"

#include <QByteArray>
#include <cstdint>
#include <optional>

namespace platform {
class SharedMemory;
}
class TemperatureHistory;

// Copies the monitor's shared block into `buffer` (resized to the block size, zero-filled first):
// the user's object, else the old shared name (see coretemp::objectNamesToRead). False, with
// `buffer` all zero, when neither exists or the object is shorter than the block.
bool ReadCoreTempBlock(platform::SharedMemory& sharedMemory, QByteArray& buffer);

// The core readings of the shared block, or nothing when the monitor is not running.
std::optional<coretemp::CoreReadings> readCoreTemps(platform::SharedMemory& sharedMemory);

// One sample from the shared block into the history (the graphs are the caller's concern).
void SampleTemperatures(TemperatureHistory& history, platform::SharedMemory& sharedMemory);

// The sampling part of the 150 ms temperature tick: samples and returns the new CurrentTemp.
std::int32_t sampleTemperatureTick(TemperatureHistory& history, platform::SharedMemory& sharedMemory);
