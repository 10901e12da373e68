#pragma once

#include "platform/shared_memory.h"

#include <sys/types.h>
#include <unistd.h>

namespace platform {

// POSIX shared-memory objects: the name "X" is the object "/X". Only an object of `owner` (this
// user by default) that its publisher still holds counts: the publisher keeps a write lock (an
// open-file-description lock) on the object for as long as it runs, and the kernel drops that
// lock with the process however it ends. An object nobody holds is stale and reads as missing.
class PosixSharedMemory : public SharedMemory {
public:
    explicit PosixSharedMemory(uid_t owner = geteuid()) : m_owner(owner) {}

    std::optional<QByteArray> readObject(const QString& name, int size) override;
    uint userId() const override;

private:
    uid_t m_owner;
};

} // namespace platform
