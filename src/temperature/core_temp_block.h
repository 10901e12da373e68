#pragma once
// Layout of the block that the temperature publisher shares with Torvane. Header-only so that the
// core-temp companion program writes exactly what the reader expects without linking the GUI side.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtEndian>
#include <QtGlobal>
#include <array>
#include <cstring>

namespace coretemp {

// The name every user's monitor once shared. Whoever held it first kept all other users' monitors
// out, so each user now publishes under userObjectName(); this one is still read, but only an
// object of the same user that its publisher holds counts, like any other.
inline const QString kObjectName = QStringLiteral("CoreTempMappingObject");

// The object of the user with this id: "CoreTempMappingObject.<uid>".
inline QString userObjectName(uint userId) {
    return kObjectName + QLatin1Char('.') + QString::number(userId);
}

// TORVANE_CORE_TEMP_OBJECT, when set, names the one object reader and publisher meet in, so that a
// test runs both on an object of its own.
inline QString overriddenObjectName() {
    return qEnvironmentVariable("TORVANE_CORE_TEMP_OBJECT");
}

// The object the publisher of this user writes.
inline QString objectName(uint userId) {
    const QString name = overriddenObjectName();
    return name.isEmpty() ? userObjectName(userId) : name;
}

// The objects a reader of this user tries, in order; the first one that exists is the block.
inline QStringList objectNamesToRead(uint userId) {
    const QString name = overriddenObjectName();
    if (!name.isEmpty())
        return {name};
    return {userObjectName(userId), kObjectName};
}

constexpr int kBlockSize = 2686;
constexpr int kCoreCount = 8;
constexpr int kTemperatureOffset = 1544; // core 1; core n at kTemperatureOffset + 4 * (n - 1)

// Degrees Celsius of cores 1..8; exactly 0 means the core has no reading.
using CoreReadings = std::array<float, kCoreCount>;

// No CPU in use runs outside this range. A value beyond it (or NaN, or infinite) is a fault or a
// forgery, since any process of the user can write the block; taken as it stands it would set
// off the overheat reactions, killing tasks included. It counts as no reading, like 0.
constexpr float kLowestPlausible = -40.0f;
constexpr float kHighestPlausible = 150.0f;

inline bool isPlausibleReading(float value) {
    return value >= kLowestPlausible && value <= kHighestPlausible; // false for NaN
}

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
