#pragma once

#include "app/command_line.h"

namespace platform {
class RemoteScripting;
}

// Where the lists are kept when no Torvane runs to change them.
struct ListFilePlace {
    QString dataFolder;        // the program's data folder (ends with "/"), which holds AllLists.sav
    bool createFolder = false; // installed: the per-user folder may not exist yet
    QString configDirs;        // $XDG_CONFIG_DIRS, where the lists for new users are found
};

// Carries out `command` through the Torvane running on `display`. When none runs there, a list
// change goes into the list file under the same rules and the other commands fail.
CommandLineAnswer runRemoteCommand(const RemoteCommand& command, platform::RemoteScripting& torvane,
                                   const QString& display, const ListFilePlace& place);
