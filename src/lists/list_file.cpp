#include "lists/list_file.h"

#include "core/durable_file.h"
#include "lists/list_file_stream.h"
#include "platform/torvane_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <system_error>

namespace {

QString fileErrorMessage(const QString& words, const QString& path, const QString& reason) {
    return words + QStringLiteral(" \"") + path + QStringLiteral("\". ") + reason;
}

// The previous file survives any failure: see durable::replaceFile. A file that already holds the
// bytes is not rewritten.
void writeListStream(const QString& path, const QByteArray& bytes) {
    if (durable::fileHolds(path, bytes))
        return;
    if (const int error = durable::replaceFile(path, bytes)) {
        const int shown = QFileInfo(path).isDir() ? EISDIR : error;
        throw TorvaneError(fileErrorMessage(QStringLiteral("Cannot create file"), path,
                                            QString::fromStdString(std::generic_category().message(shown))));
    }
}

// Appends items up to the next separator; false when the items run out first.
bool takeSection(const QStringList& items, qsizetype& next, TaskList& into) {
    for (; next < items.size(); ++next) {
        if (items[next] == kListSeparator) {
            ++next;
            return true;
        }
        into.push_back(TaskEntry{items[next], 0});
    }
    return false;
}

} // namespace

void ListFileSections::throwIfError() const {
    if (!error.isEmpty())
        throw TorvaneError(error);
}

QString defaultListFilePath(const QString& baseDir) {
    return baseDir + kDefaultListFileName;
}

QString presetListFilePath(const QString& configDirs) {
    const QString dirs = configDirs.isEmpty() ? QStringLiteral("/etc/xdg") : configDirs;
    for (const QString& dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString path = dir + QStringLiteral("/torvane/") + kDefaultListFileName;
        if (QDir::isAbsolutePath(dir) && QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QStringList stageListItems(const TaskList& safe, const TaskList& kill) {
    QStringList items;
    items.reserve(qsizetype(safe.size() + kill.size() + 2));
    for (const TaskEntry& entry : safe)
        items.append(entry.title);
    items.append(kListSeparator);
    for (const TaskEntry& entry : kill)
        items.append(entry.title);
    items.append(kListSeparator);
    return items;
}

ListFileSections splitListItems(const QStringList& items) {
    ListFileSections sections;
    qsizetype next = 0;
    const QString outOfBounds = QStringLiteral("List index out of bounds (%1)").arg(items.size());
    if (!takeSection(items, next, sections.safe)) {
        sections.replacesKill = false;
        sections.error = outOfBounds;
        return sections;
    }
    if (!takeSection(items, next, sections.kill))
        sections.error = outOfBounds;
    return sections;
}

QByteArray encodeListFile(const TaskList& safe, const TaskList& kill) {
    return encodeListStream(stageListItems(safe, kill));
}

ListFileSections decodeListFile(QByteArrayView bytes) {
    return splitListItems(decodeListStream(bytes));
}

void saveListFile(const QString& path, const TaskList& safe, const TaskList& kill) {
    writeListStream(path, encodeListFile(safe, kill));
}

ListFileSections loadListFile(const QString& path) {
    if (!QFileInfo::exists(path)) {
        writeListStream(path, encodeListStream({}));
        ListFileSections untouched;
        untouched.replacesSafe = false;
        untouched.replacesKill = false;
        return untouched;
    }
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        // Qt refuses a folder itself, without a system error; give it the system's wording.
        const int error = errno ? errno : (QFileInfo(path).isDir() ? EISDIR : 0);
        const QString reason =
            error ? QString::fromStdString(std::generic_category().message(error)) : file.errorString();
        throw TorvaneError(fileErrorMessage(QStringLiteral("Cannot open file"), path, reason));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw TorvaneError(kStreamReadError);
    return decodeListFile(bytes);
}
