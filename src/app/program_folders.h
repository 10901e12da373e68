#pragma once

#include <QString>

// Where the program finds and keeps its files. Run from its build folder or a portable folder (with
// "Help/" beside the executable) everything lives beside the executable; installed, the user's files
// live in the per-user data folder and the shipped ones in the installation's share and libexec
// folders. Every folder ends with "/".
struct ProgramFolders {
    QString data;      // lists, settings and choice files (BaseDir)
    QString help;      // the folder that holds "Help/"
    QString companion; // the folder that holds core-temp
    bool installed = false;

    bool operator==(const ProgramFolders&) const = default;
};

// Where an installation puts the shared files, relative to the executable's folder.
struct InstallLayout {
    QString helpFromBin;      // e.g. "../share/torvane"
    QString companionFromBin; // e.g. "../libexec/torvane"
};

// `exeDir` is the executable's folder, `helpBeside` whether "Help/" is there; `xdgDataHome` and
// `home` are the environment's values (a relative or empty XDG_DATA_HOME is ignored).
ProgramFolders programFolders(const QString& exeDir, bool helpBeside, const InstallLayout& layout,
                              const QString& xdgDataHome, const QString& home);

// The folders of this process, from its executable and environment.
ProgramFolders currentProgramFolders();

// Creates the per-user data folder (mode 0700) when it is missing; false when that failed.
bool createDataFolder(const QString& folder);
