#include "lists/choice_file.h"

#include "core/durable_file.h"
#include "core/file_errors.h"
#include "platform/torvane_error.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace {

// Qt leaves the system's error number of a failed call in errno; fall back to EIO without one.
[[noreturn]] void throwFileError(int errnoValue) {
    throw TorvaneError(fileErrorText(errnoValue ? errnoValue : EIO));
}

} // namespace

QByteArray ReadChoiceFileText(const QString& path) {
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throwFileError(errno ? errno : (QFileInfo(path).isDir() ? EISDIR : 0)); // Qt refuses a folder itself
    // The file is read whole on the user-interface thread; one from outside may be anything.
    if (file.size() > kChoiceFileSizeLimit)
        throw TorvaneError(QStringLiteral("The choice file \"%1\" is larger than %2 MiB and was not read")
                               .arg(QFileInfo(path).fileName())
                               .arg(kChoiceFileSizeLimit / (1024 * 1024)));
    errno = 0;
    QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throwFileError(errno);
    return text;
}

namespace {

// The text goes to path + ".tmp", created anew, and is renamed over path: unlike deleting the old
// file first, no moment exists at which the choice file is missing or partly written.
void replaceChoiceFile(const QString& path, const QByteArray& text) {
    if (const int error = durable::replaceFile(path, text, path + QStringLiteral(".tmp")))
        throwFileError(error);
}

int mostPerformedIn(const QString& name, const QString& path) {
    return mostPerformedCode(ReadChoiceCounts(name, path));
}

} // namespace

ChoiceCounts ReadChoiceCounts(const QString& name, const QString& path) {
    if (name.isEmpty() || !QFileInfo::exists(path))
        return ChoiceCounts{};
    return findChoiceCounts(ReadChoiceFileText(path), name.toUtf8());
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
    replaceChoiceFile(path, addChoiceToText(ReadChoiceFileText(path), key, code));
}
