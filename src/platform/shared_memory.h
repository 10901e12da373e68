#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

// Named shared-memory objects published by other programs.
class SharedMemory {
public:
    virtual ~SharedMemory() = default;

    // Opens the object, copies its first `size` bytes (fewer when the object is shorter, even when
    // it shrinks during the copy) and closes it again. Nothing when the object does not exist,
    // belongs to another user, or is no longer held by the program that published it.
    virtual std::optional<QByteArray> readObject(const QString& name, int size) = 0;

    // The user whose objects count; publishers of this user put the id in their object names.
    virtual uint userId() const = 0;
};

} // namespace platform
