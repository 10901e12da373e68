#pragma once

#include <QByteArray>
#include <QString>

namespace help {

// True when a file (not a folder) exists at `path`.
bool helpFileExists(const QString& path);

// Reads the whole file into `out`. A file that cannot be opened or read throws TorvaneError with the
// file error's text; what was read before a read failure stays in `out`.
void readHelpFile(const QString& path, QByteArray& out);

} // namespace help
