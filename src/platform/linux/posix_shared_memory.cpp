#include "platform/linux/posix_shared_memory.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Whether some open file description holds a lock on the object: its publisher is alive.
bool heldByPublisher(int fd) {
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    // Only asks; a reader taking a lock itself could make a starting publisher believe it is busy.
    return fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

// Copies the start of the open object into `data`; false when it cannot be mapped or is not a
// live object of `owner`.
bool copyObject(int fd, uid_t owner, QByteArray& data) {
    struct stat info {};
    if (fstat(fd, &info) != 0 || info.st_uid != owner || !heldByPublisher(fd))
        return false;
    // Touching a mapped page past the end of the object raises SIGBUS: map only what exists.
    const auto length = static_cast<std::size_t>(std::clamp<off_t>(info.st_size, 0, data.size()));
    if (length == 0)
        return true;
    void* view = mmap(nullptr, length, PROT_READ, MAP_SHARED, fd, 0);
    if (view == MAP_FAILED)
        return false;
    std::memcpy(data.data(), view, length);
    munmap(view, length);
    return true;
}

} // namespace

std::optional<QByteArray> PosixSharedMemory::readObject(const QString& name, int size) {
    const QByteArray objectName = "/" + name.toUtf8();
    const int fd = shm_open(objectName.constData(), O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0)
        return std::nullopt;
    QByteArray data(std::max(size, 0), '\0');
    const bool copied = copyObject(fd, m_owner, data);
    close(fd);
    if (!copied)
        return std::nullopt;
    return data;
}

} // namespace platform
