#include "app/autostart.h"

#include "app/settings_files.h"
#include "core/file_errors.h"
#include "platform/torvane_error.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace autostart {

QString entryPath(const QString& appId, const QString& xdgConfigHome, const QString& home) {
    const QString configHome =
        QDir::isAbsolutePath(xdgConfigHome) ? xdgConfigHome : QDir(home).filePath(QStringLiteral(".config"));
    return QDir::cleanPath(configHome) + QStringLiteral("/autostart/") + appId + QStringLiteral(".desktop");
}

QString execQuoted(const QString& path) {
    // The Exec key's reserved characters need quoting; inside quotes ", `, $ and \ are escaped with
    // a backslash, and then the value's own backslashes and a literal % double once more.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`=%");
    bool quote = false;
    for (QChar c : path)
        quote = quote || reserved.contains(c);
    QString exec = path;
    if (quote) {
        QString inner;
        for (QChar c : path) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
                inner += QLatin1Char('\\');
            inner += c;
        }
        exec = QLatin1Char('"') + inner + QLatin1Char('"');
    }
    exec.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    exec.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return exec;
}

QByteArray entryText(const QString& appId, const QString& executable) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Torvane\n"
                          "Comment=Task guard for the X11 desktop\n"
                          "Exec=%1\n"
                          "Icon=%2\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(execQuoted(executable), appId)
        .toUtf8();
}

QString currentEntryPath(const QString& appId) {
    return entryPath(appId, qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath());
}

bool enabled(const QString& entryPath) {
    return QFileInfo::exists(entryPath);
}

void setEnabled(const QString& entryPath, bool on, const QString& appId, const QString& executable) {
    if (!on) {
        settings_files::removeFileIfPresent(entryPath);
        return;
    }
    const QString folder = QFileInfo(entryPath).absolutePath();
    errno = 0;
    if (!QDir().mkpath(folder))
        throw TorvaneError(fileErrorText(errno != 0 ? errno : EACCES));
    settings_files::replaceFile(entryPath, entryText(appId, executable));
}

} // namespace autostart
