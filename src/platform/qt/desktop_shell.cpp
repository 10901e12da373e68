#include "platform/qt/desktop_shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace platform {

void DesktopShell::startFile(const QString& path) {
    const QFileInfo file(path);
    if (file.isFile() && file.isExecutable()) {
        // Detached, in the current folder, with no arguments, like a program started from the shell.
        QProcess::startDetached(file.absoluteFilePath(), {});
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

} // namespace platform
