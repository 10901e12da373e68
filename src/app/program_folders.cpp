#include "app/program_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef TORVANE_HELP_FROM_BIN
#define TORVANE_HELP_FROM_BIN "../share/torvane"
#endif
#ifndef TORVANE_COMPANION_FROM_BIN
#define TORVANE_COMPANION_FROM_BIN "../libexec/torvane"
#endif

namespace {

QString withSlash(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString below(const QString& exeDir, const QString& relative) {
    return withSlash(QDir::cleanPath(withSlash(exeDir) + relative));
}

} // namespace

ProgramFolders programFolders(const QString& exeDir, bool helpBeside, const InstallLayout& layout,
                              const QString& xdgDataHome, const QString& home) {
    if (helpBeside) {
        const QString beside = withSlash(exeDir);
        return {beside, beside, beside, false};
    }
    // Under the XDG base-directory rules a relative XDG_DATA_HOME is invalid and must be ignored.
    const QString dataHome =
        QDir::isAbsolutePath(xdgDataHome) ? xdgDataHome : withSlash(home) + QStringLiteral(".local/share");
    return {withSlash(QDir::cleanPath(dataHome)) + QStringLiteral("torvane/"), below(exeDir, layout.helpFromBin),
            below(exeDir, layout.companionFromBin), true};
}

ProgramFolders currentProgramFolders() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    return programFolders(exeDir, QFileInfo(exeDir + QStringLiteral("/Help")).isDir(),
                          {QStringLiteral(TORVANE_HELP_FROM_BIN), QStringLiteral(TORVANE_COMPANION_FROM_BIN)},
                          qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath());
}

bool createDataFolder(const QString& folder) {
    const QString path = QDir::cleanPath(folder);
    if (QFileInfo(path).isDir())
        return true;
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    // Lists and choices are the user's own: nobody else reads them.
    return QDir().mkdir(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
