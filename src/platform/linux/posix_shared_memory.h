#pragma once

#include "platform/shared_memory.h"

namespace platform {

// POSIX shared-memory objects: the name "X" is the object "/X".
class PosixSharedMemory : public SharedMemory {
public:
    std::optional<QByteArray> readObject(const QString& name, int size) override;
};

} // namespace platform
