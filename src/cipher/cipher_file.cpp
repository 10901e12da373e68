#include "cipher/cipher_file.h"

#include "cipher/cipher_stream.h"
#include "core/durable_file.h"
#include "core/file_errors.h"
#include "platform/torvane_error.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

[[noreturn]] void throwFileError(int errnoValue) {
    throw TorvaneError(fileErrorText(errnoValue));
}

// Closes its descriptor on every way out; `close()` reports what the final close says.
class FileHandle {
public:
    explicit FileHandle(int fd) : m_fd(fd) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int fd() const { return m_fd; }
    void close() {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0 && errno != EINTR)
            throwFileError(errno);
    }

private:
    int m_fd;
};

std::size_t readSome(int fd, std::uint8_t* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(fd, buffer, size);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno != EINTR)
            throwFileError(errno);
    }
}

void writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(fd, data, size);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            throwFileError(errno);
        }
        data += put;
        size -= static_cast<std::size_t>(put);
    }
}

} // namespace

CipherFileResult cipherFileInPlace(const QString& path, CipherDirection direction, const CipherCodes& codes,
                                   const CipherFileHooks& hooks) {
    QByteArray inputName = QFile::encodeName(path);
    struct stat found {};
    if (inputName.isEmpty() || ::stat(inputName.constData(), &found) != 0)
        return CipherFileResult::NotFound;
    // Through a symbolic link the file it names is transformed: replacing the link itself would
    // leave the original content where the link points.
    struct stat link {};
    if (::lstat(inputName.constData(), &link) == 0 && S_ISLNK(link.st_mode)) {
        const QString target = QFileInfo(path).canonicalFilePath();
        if (!target.isEmpty())
            inputName = QFile::encodeName(target);
    }
    const QByteArray outputName = inputName + ".enc";
    if (hooks.started)
        hooks.started(static_cast<std::uint64_t>(found.st_size));

    // Only a regular file can be replaced by its transform: a folder, a pipe or a device would
    // fail, block the window or never end. They are refused as the system refuses a folder.
    if (!S_ISREG(found.st_mode))
        throwFileError(EACCES);
    // Read and write access, so a read-only file is refused before anything is written.
    FileHandle input(::open(inputName.constData(), O_RDWR | O_CLOEXEC));
    if (input.fd() < 0)
        throwFileError(errno);
    struct stat opened {};
    if (::fstat(input.fd(), &opened) != 0)
        throwFileError(errno);
    if (!S_ISREG(opened.st_mode))
        throwFileError(EACCES);

    // A symbolic link in place of the ".enc" file would receive the data and then be renamed over
    // the input; it is refused instead of followed.
    FileHandle output(::open(outputName.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (output.fd() < 0)
        throwFileError(errno);
    // The result takes the input's place, so it keeps the input's permissions.
    ::fchmod(output.fd(), opened.st_mode & 07777);

    CipherStream cipher(codes, direction);
    std::vector<std::uint8_t> buffer(kCipherBlockSize);
    std::uint64_t processed = 0;
    bool cancelled = false;
    for (;;) {
        const std::size_t got = readSome(input.fd(), buffer.data(), buffer.size());
        if (got == 0)
            break;
        cipher.transform(buffer.data(), buffer.data(), got);
        writeAll(output.fd(), buffer.data(), got);
        processed += got;
        if (hooks.progress && !hooks.progress(processed)) {
            cancelled = true;
            break;
        }
    }
    input.close();
    if (!cancelled && ::fsync(output.fd()) != 0)
        throwFileError(errno);
    output.close();

    if (cancelled) {
        if (::unlink(outputName.constData()) != 0)
            throwFileError(errno);
        return CipherFileResult::Cancelled;
    }
    // One rename replaces the input: at every moment either the old or the new content is there.
    if (const int error = durable::renameOver(outputName, inputName))
        throwFileError(error);
    return CipherFileResult::Done;
}
