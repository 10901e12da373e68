#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

// Named shared-memory objects published by other programs.
class SharedMemory {
public:
    virtual ~SharedMemory() = default;

    // Opens the object, copies its first `size` bytes (zero-filled where the object is shorter)
    // and closes it again. Nothing when the object does not exist, belongs to another user, or is
    // no longer held by the program that published it.
    virtual std::optional<QByteArray> readObject(const QString& name, int size) = 0;
};

} // namespace platform
