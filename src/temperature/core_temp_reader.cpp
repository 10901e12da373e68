#include "temperature/core_temp_reader.h"

#include "platform/shared_memory.h"
#include "temperature/temperature_history.h"

#include <algorithm>

bool ReadCoreTempBlock(platform::SharedMemory& sharedMemory, QByteArray& buffer) {
    buffer.fill('\0', coretemp::kBlockSize);
    std::optional<QByteArray> object;
    for (const QString& name : coretemp::objectNamesToRead(sharedMemory.userId())) {
        object = sharedMemory.readObject(name, coretemp::kBlockSize);
        if (object)
            break;
    }
    // A short object is one being resized or one not written by a publisher: its zeros would pass
    // for "no reading" on some cores while the rest may be anything.
    if (!object || object->size() < coretemp::kBlockSize)
        return false;
    // Never trust the service for the length: copy at most the block.
    std::copy_n(object->constData(), coretemp::kBlockSize, buffer.data());
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
