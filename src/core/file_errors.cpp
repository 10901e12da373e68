#include "core/file_errors.h"

#include <cerrno>

QString fileErrorText(int errnoValue) {
    switch (errnoValue) {
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("File access denied");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Too many open files");
    case ENOSPC:
        return QStringLiteral("Disk full");
    default:
        return QStringLiteral("I/O error %1").arg(errnoValue);
    }
}
