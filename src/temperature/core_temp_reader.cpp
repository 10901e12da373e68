#include "temperature/core_temp_reader.h"

#include "platform/shared_memory.h"
#include "temperature/temperature_history.h"

#include <algorithm>

bool ReadCoreTempBlock(platform::SharedMemory& sharedMemory, QByteArray& buffer) {
    buffer.fill('\0', coretemp::kBlockSize);
    const std::optional<QByteArray> object = sharedMemory.readObject(coretemp::objectName(), coretemp::kBlockSize);
    if (!object)
        return false;
    // Never trust the service for the length: copy at most the block, the rest stays zero.
    const qsizetype length = std::min<qsizetype>(object->size(), coretemp::kBlockSize);
    std::copy_n(object->constData(), length, buffer.data());
    return true;
}

std::optional<coretemp::CoreReadings> readCoreTemps(platform::SharedMemory& sharedMemory) {
    QByteArray buffer;
    if (!ReadCoreTempBlock(sharedMemory, buffer))
        return std::nullopt;
    return coretemp::readingsFromBlock(buffer);
}

void SampleTemperatures(TemperatureHistory& history, platform::SharedMemory& sharedMemory) {
    history.addSample(readCoreTemps(sharedMemory));
}

std::int32_t sampleTemperatureTick(TemperatureHistory& history, platform::SharedMemory& sharedMemory) {
    SampleTemperatures(history, sharedMemory);
    return history.CurrentTemp();
}
