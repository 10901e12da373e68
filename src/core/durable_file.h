#pragma once

#include <QByteArray>
#include <QString>

// How every file the program replaces reaches the disk: the new content goes to a temporary in
// the same folder, is flushed, renamed over the old file, and the folder is flushed too. A crash,
// a power cut or a full disk at any moment leaves either the old file or the new one, whole.
namespace durable {

// Replaces the file at `path` (a symbolic link is written through to the file it names).
// `tmpPath` names the temporary when a format fixes it (created anew, a stale one removed first);
// empty picks a unique name beside the file. Returns 0, or the system's error number of the step
// that failed; the temporary is then removed and the old file is untouched.
int replaceFile(const QString& path, const QByteArray& bytes, const QString& tmpPath = {});

// Renames a temporary that is already flushed over `target` and flushes the folder. Returns 0 or
// the system's error number.
int renameOver(const QByteArray& temporary, const QByteArray& target);

// True when the file at `path` holds exactly `bytes`: rewriting it would change nothing.
bool fileHolds(const QString& path, const QByteArray& bytes);

// Moves a file that could not be read out of the way under a name that says so,
// "name.bad-YYYYMMDD-HHMMSS" beside it, never replacing another file. Returns the new path, or
// an empty string when the file could not be moved (it is then left as it is).
QString keepAside(const QString& path);

} // namespace durable
