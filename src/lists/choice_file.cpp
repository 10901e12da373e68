#include "lists/choice_file.h"

#include "core/file_errors.h"
#include "platform/torvane_error.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {

// Qt leaves the system's error number of a failed call in errno; fall back to EIO without one.
[[noreturn]] void throwFileError(int errnoValue) {
    throw TorvaneError(fileErrorText(errnoValue ? errnoValue : EIO));
}

QByteArray readChoiceFile(const QString& path) {
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throwFileError(errno ? errno : (QFileInfo(path).isDir() ? EISDIR : 0)); // Qt refuses a folder itself
    errno = 0;
    QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throwFileError(errno);
    return text;
}

std::filesystem::path nativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The text goes to path + ".tmp", created anew, and is renamed over path: unlike deleting the old
// file first, no moment exists at which the choice file is missing or partly written.
void replaceChoiceFile(const QString& path, const QByteArray& text) {
    const QString tmpPath = path + QStringLiteral(".tmp");
    // Created anew: a stale temporary (or a link planted in its place) is not written through.
    QFile::remove(tmpPath);
    QFile tmp(tmpPath);
    errno = 0;
    if (!tmp.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throwFileError(errno);
    errno = 0;
    if (tmp.write(text) != text.size() || !tmp.flush()) {
        const int error = errno;
        tmp.close();
        tmp.remove();
        throwFileError(error);
    }
    tmp.close();
    if (QFileInfo::exists(path))
        QFile::setPermissions(tmpPath, QFile::permissions(path));
    std::error_code ec;
    std::filesystem::rename(nativePath(tmpPath), nativePath(path), ec);
    if (ec) {
        tmp.remove();
        throwFileError(ec.value());
    }
}

int mostPerformedIn(const QString& name, const QString& path) {
    return mostPerformedCode(ReadChoiceCounts(name, path));
}

} // namespace

ChoiceCounts ReadChoiceCounts(const QString& name, const QString& path) {
    if (name.isEmpty() || !QFileInfo::exists(path))
        return ChoiceCounts{};
    return findChoiceCounts(readChoiceFile(path), name.toUtf8());
}

int MostPerformedByMe(const QString& name, const QString& baseDir) {
    return mostPerformedIn(name, baseDir + kMyChoiceFileName);
}

int MostPerformedByCloud(const QString& name, const QString& baseDir) {
    return mostPerformedIn(name, baseDir + kCloudChoiceFileName);
}

void RecordChoice(ActionDecision decision, const QString& name, const QString& path) {
    const int code = choiceCodeForDecision(decision);
    if (name.isEmpty() || code == 0 || name.contains(QLatin1Char('\r')) || name.contains(QLatin1Char('\n')))
        return;
    const QByteArray key = name.toUtf8();
    if (!QFileInfo::exists(path)) {
        replaceChoiceFile(path, newChoiceText(key, code));
        return;
    }
    // The whole new text is built before anything is written, so a bad count leaves no trace.
    replaceChoiceFile(path, addChoiceToText(readChoiceFile(path), key, code));
}
