#include "shm_block_writer.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace coretemp {
namespace {

bool sameObject(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether `name` still refers to the object open as `fd`.
bool nameRefersTo(const QByteArray& name, int fd) {
    struct stat ours {};
    if (fstat(fd, &ours) != 0)
        return false;
    const int other = shm_open(name.constData(), O_RDONLY | O_CLOEXEC, 0);
    if (other < 0)
        return false;
    struct stat theirs {};
    const bool same = fstat(other, &theirs) == 0 && sameObject(ours, theirs);
    close(other);
    return same;
}

// The lock is what makes the object live for readers: it belongs to this open file description and
// ends with the process, so a killed publisher leaves no readings that look current.
bool lockForWriting(int fd) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    return fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

} // namespace

ShmBlockWriter::~ShmBlockWriter() {
    if (m_fd >= 0)
        close(m_fd);
}

void ShmBlockWriter::fail(const char* what) {
    m_error =
        QStringLiteral("%1 %2: %3")
            .arg(QLatin1String(what), QString::fromLocal8Bit(m_name), QString::fromLocal8Bit(std::strerror(errno)));
}

ShmBlockWriter::OpenResult ShmBlockWriter::open(const QString& name, std::size_t size) {
    m_name = name.toLocal8Bit();
    m_size = size;
    // A publisher that is just stopping may unlink the name between our open and our lock; then
    // the object we locked is orphaned and we start over with a fresh one.
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int fd = shm_open(m_name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            fail("cannot open shared memory");
            return OpenResult::Failed;
        }
        // Readers ignore an object of another user, so publishing into one would show nothing.
        struct stat info {};
        if (fstat(fd, &info) != 0 || info.st_uid != geteuid()) {
            errno = EPERM;
            fail("cannot publish into the shared memory of another user");
            close(fd);
            return OpenResult::Failed;
        }
        if (!lockForWriting(fd)) {
            const bool busy = errno == EAGAIN || errno == EACCES;
            if (!busy)
                fail("cannot lock shared memory");
            close(fd);
            return busy ? OpenResult::Busy : OpenResult::Failed;
        }
        if (nameRefersTo(m_name, fd)) {
            m_fd = fd;
            break;
        }
        close(fd);
    }
    if (m_fd < 0) {
        errno = EAGAIN;
        fail("cannot open shared memory");
        return OpenResult::Failed;
    }
    if (ftruncate(m_fd, static_cast<off_t>(size)) != 0) {
        fail("cannot size shared memory");
        return OpenResult::Failed;
    }
    m_open = true;
    return OpenResult::Opened;
}

bool ShmBlockWriter::write(const QByteArray& block) {
    if (!m_open || static_cast<std::size_t>(block.size()) != m_size)
        return false;
    // Written, not mapped: once another process of the user shrank the object, a store through a
    // mapping would raise SIGBUS.
    return pwrite(m_fd, block.constData(), m_size, 0) == static_cast<ssize_t>(m_size);
}

void ShmBlockWriter::unlinkObject() {
    if (m_fd >= 0 && nameRefersTo(m_name, m_fd))
        shm_unlink(m_name.constData());
}

} // namespace coretemp
