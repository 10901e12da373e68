#pragma once

#include <QString>

// Starting Torvane with the desktop session: a freedesktop autostart entry in the user's config
// folder. Whether it is on is whether that file exists; the settings files know nothing of it.
namespace autostart {

// `xdgConfigHome` and `home` are the environment's values (a relative or empty XDG_CONFIG_HOME is
// ignored).
QString entryPath(const QString& appId, const QString& xdgConfigHome, const QString& home);
// The entry's text, starting `executable`.
QByteArray entryText(const QString& appId, const QString& executable);
// `path` quoted for the Exec key of a desktop entry.
QString execQuoted(const QString& path);

// The entry for this process's user and executable.
QString currentEntryPath(const QString& appId);
bool enabled(const QString& entryPath);
// Writes or removes the entry; throws TorvaneError with the file error text when that fails.
void setEnabled(const QString& entryPath, bool on, const QString& appId, const QString& executable);

} // namespace autostart
