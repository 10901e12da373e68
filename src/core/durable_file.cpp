#include "core/durable_file.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace durable {

namespace {

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

void syncFolder(const QByteArray& path) {
    const int fd = ::open(folderOf(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

int writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t put = ::write(fd, data, static_cast<size_t>(left));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += put;
        left -= put;
    }
    return 0;
}

// The mode a new file gets from the user's umask, as any program creating it would give it.
mode_t newFileMode() {
    static const mode_t mode = [] {
        const mode_t mask = ::umask(022);
        ::umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    return mode;
}

QByteArray uniqueTemporary(const QByteArray& target) {
    static std::atomic<unsigned> counter{0};
    return target + ".tmp-" + QByteArray::number(::getpid()) + '-' + QByteArray::number(counter++);
}

} // namespace

int renameOver(const QByteArray& temporary, const QByteArray& target) {
    if (::rename(temporary.constData(), target.constData()) != 0)
        return errno;
    syncFolder(target);
    return 0;
}

int replaceFile(const QString& path, const QByteArray& bytes, const QString& tmpPath) {
    QByteArray target = QFile::encodeName(path);
    // Replacing a link would cut it; the file it names is the one the user keeps.
    const QFileInfo info(path);
    if (info.isSymLink() && !info.canonicalFilePath().isEmpty())
        target = QFile::encodeName(info.canonicalFilePath());
    const QByteArray temporary = tmpPath.isEmpty() ? uniqueTemporary(target) : QFile::encodeName(tmpPath);
    // A stale temporary, or a link planted there, is not written through.
    if (!tmpPath.isEmpty() && ::unlink(temporary.constData()) != 0 && errno != ENOENT)
        return errno;

    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, newFileMode());
    if (fd < 0)
        return errno;
    struct stat old {};
    if (::stat(target.constData(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
    int error = writeAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error == 0)
        error = renameOver(temporary, target);
    if (error != 0)
        ::unlink(temporary.constData());
    return error;
}

bool fileHolds(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != bytes.size())
        return false;
    return file.readAll() == bytes;
}

QString keepAside(const QString& path) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString base = path + QStringLiteral(".bad-") + stamp;
    for (int attempt = 1; attempt < 100; ++attempt) {
        const QString aside = attempt == 1 ? base : base + QLatin1Char('-') + QString::number(attempt);
        // link() never replaces an existing file, unlike rename(); the old name goes afterwards.
        const QByteArray from = QFile::encodeName(path);
        const QByteArray to = QFile::encodeName(aside);
        if (::link(from.constData(), to.constData()) == 0) {
            if (::unlink(from.constData()) != 0) {
                ::unlink(to.constData());
                return {};
            }
            syncFolder(from);
            return aside;
        }
        if (errno != EEXIST) {
            // Some file systems have no hard links; a rename onto a free name does the same.
            if (!QFileInfo::exists(aside) && ::rename(from.constData(), to.constData()) == 0) {
                syncFolder(from);
                return aside;
            }
            return {};
        }
    }
    return {};
}

} // namespace durable
