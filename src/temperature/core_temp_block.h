#pragma once
// Layout of the block that the temperature publisher shares with Torvane. Header-only so that the
// core-temp companion program writes exactly what the reader expects without linking the GUI side.

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <QtGlobal>
#include <array>
#include <cstring>

namespace coretemp {

inline const QString kObjectName = QStringLiteral("CoreTempMappingObject");

// The object reader and publisher meet in: kObjectName, unless TORVANE_CORE_TEMP_OBJECT names
// another one, so that a test runs both on an object of its own.
inline QString objectName() {
    const QString name = qEnvironmentVariable("TORVANE_CORE_TEMP_OBJECT");
    return name.isEmpty() ? kObjectName : name;
}
constexpr int kBlockSize = 2686;
constexpr int kCoreCount = 8;
constexpr int kTemperatureOffset = 1544; // core 1; core n at kTemperatureOffset + 4 * (n - 1)

// Degrees Celsius of cores 1..8; exactly 0 means the core has no reading.
using CoreReadings = std::array<float, kCoreCount>;

// The eight little-endian single-precision values; bytes beyond the end of a short block read as 0.
inline CoreReadings readingsFromBlock(const QByteArray& block) {
    CoreReadings readings{};
    for (int core = 0; core < kCoreCount; ++core) {
        const qsizetype offset = kTemperatureOffset + 4 * core;
        unsigned char bytes[4] = {0, 0, 0, 0};
        for (int i = 0; i < 4; ++i) {
            if (offset + i < block.size())
                bytes[i] = static_cast<unsigned char>(block[offset + i]);
        }
        const quint32 bits = qFromLittleEndian<quint32>(bytes);
        std::memcpy(&readings[core], &bits, sizeof bits);
    }
    return readings;
}

// A full block holding `readings`; every other byte is 0.
inline QByteArray blockFromReadings(const CoreReadings& readings) {
    QByteArray block(kBlockSize, '\0');
    for (int core = 0; core < kCoreCount; ++core) {
        quint32 bits = 0;
        std::memcpy(&bits, &readings[core], sizeof bits);
        qToLittleEndian<quint32>(bits, block.data() + kTemperatureOffset + 4 * core);
    }
    return block;
}

} // namespace coretemp
