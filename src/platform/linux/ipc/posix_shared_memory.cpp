#include "platform/linux/ipc/posix_shared_memory.h"

#include <algorithm>
#include <cerrno>
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

// Copies the start of the open object into `data`, shortened to what the object holds; false when
// it cannot be read or is not a live object of `owner`.
bool copyObject(int fd, uid_t owner, QByteArray& data) {
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != owner || !heldByPublisher(fd))
        return false;
    // Read, not mapped: any process of the user may shrink the object at any moment, and touching
    // a mapped page past its new end would raise SIGBUS.
    qsizetype copied = 0;
    while (copied < data.size()) {
        const ssize_t got = pread(fd, data.data() + copied, static_cast<std::size_t>(data.size() - copied), copied);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break; // the end of the object, however it moved
        copied += got;
    }
    data.truncate(copied);
    return true;
}

} // namespace

uint PosixSharedMemory::userId() const {
    return m_owner;
}

std::optional<QByteArray> PosixSharedMemory::readObject(const QString& name, int size) {
    const QByteArray objectName = "/" + name.toUtf8();
    // Non-blocking: a FIFO put in the object's place would otherwise hold this open forever.
    const int fd = shm_open(objectName.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC, 0);
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
