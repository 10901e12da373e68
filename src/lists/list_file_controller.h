#pragma once

#include "core/task_list.h"
#include "lists/list_controls.h"

#include <optional>

class MessagePolicy;
struct SharedValues;

namespace platform {
class Dialogs;
}

// Saving and loading the safe list and kill list: the default file in BaseDir, or one the user picks.
class ListFileController {
public:
    ListFileController(const ListFileControls& controls, SharedValues& values, platform::Dialogs& dialogs);

    // askPath false: the default file. A cancelled dialog does nothing.
    void SaveAllLists(bool askPath);
    // askPath false is the load at start: without a default file the lists come from the preset for
    // new users (presetListFilePath) when there is one, and the default file is written. A default
    // file that cannot be read is kept aside under a name that says so, the lists start empty and
    // the error tells where the file went.
    void LoadAllLists(bool askPath);
    void onSaveListsTriggered() { SaveAllLists(true); }
    void onLoadListsTriggered() { LoadAllLists(true); }

private:
    std::optional<QString> listFilePath(bool askPath, bool forSaving);
    void loadDefaultFile(const QString& path);
    void loadPresetLists();
    void replaceLists(const TaskList& safe, const TaskList& kill);

    ListFileControls m_controls;
    SharedValues& m_values;
    platform::Dialogs& m_dialogs;
    // Set when the default file could not be read nor moved aside: it is then never written over.
    bool m_defaultFileUntouchable = false;
};
