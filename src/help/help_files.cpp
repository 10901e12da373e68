#include "help/help_files.h"

#include "core/file_errors.h"
#include "platform/torvane_error.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <memory>

namespace help {

bool helpFileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

void readHelpFile(const QString& path, QByteArray& out) {
    out.clear();
    errno = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(QFile::encodeName(path).constData(), "rb"),
                                                         &std::fclose);
    if (!file)
        throw TorvaneError(fileErrorText(errno));
    char buffer[65536];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        out.append(buffer, static_cast<qsizetype>(got));
        if (got < sizeof buffer) {
            if (std::ferror(file.get()))
                throw TorvaneError(fileErrorText(errno));
            return;
        }
    }
}

} // namespace help
