#include "app/settings_files.h"

#include "core/durable_file.h"
#include "core/file_errors.h"
#include "platform/torvane_error.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cerrno>

namespace settings_files {

namespace {

// errno is the precise reason; Qt refuses some cases (a folder in place of the file) before any
// system call, and then only its own error code is left.
[[noreturn]] void throwFileError(const QString& path, QFileDevice::FileError qtError) {
    int error = errno;
    if (error == 0)
        error = QFileInfo(path).isDir() ? EISDIR : (qtError == QFileDevice::PermissionsError ? EACCES : EIO);
    throw TorvaneError(fileErrorText(error));
}

} // namespace

QByteArray encodeFlags(const Flags& flags) {
    QByteArray bytes;
    bytes.reserve(kFlagCount);
    for (bool flag : flags)
        bytes.append(flag ? '\1' : '\0');
    return bytes;
}

QByteArray encodeFields(const Fields& fields) {
    QByteArray bytes(kFieldCount * 4, '\0');
    for (int i = 0; i < kFieldCount; ++i)
        qToLittleEndian<std::int32_t>(fields[i], bytes.data() + i * 4);
    return bytes;
}

const char* RecordReader::take(qsizetype size) {
    if (m_bytes.size() - m_next < size)
        throw TorvaneError(kReadBeyondEndOfFile);
    const char* record = m_bytes.constData() + m_next;
    m_next += size;
    return record;
}

bool RecordReader::readFlag() {
    return *take(1) != 0;
}

std::int32_t RecordReader::readField() {
    return qFromLittleEndian<std::int32_t>(take(4));
}

QByteArray readWholeFile(const QString& path) {
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throwFileError(path, file.error());
    errno = 0;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throwFileError(path, file.error());
    return bytes;
}

void replaceFile(const QString& path, const QByteArray& bytes) {
    if (durable::fileHolds(path, bytes))
        return;
    if (const int error = durable::replaceFile(path, bytes))
        throw TorvaneError(fileErrorText(QFileInfo(path).isDir() ? EISDIR : error));
}

void removeFileIfPresent(const QString& path) {
    if (!QFileInfo::exists(path))
        return;
    QFile file(path);
    errno = 0;
    if (!file.remove())
        throwFileError(path, file.error());
}

} // namespace settings_files
