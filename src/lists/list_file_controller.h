#pragma once

#include "core/main_form.h"

class MessagePolicy;
struct SharedValues;

namespace platform {
class Dialogs;
}

// Saving and loading the safe list and kill list: the default file in BaseDir, or one the user picks.
class ListFileController {
public:
    ListFileController(MainForm& form, SharedValues& values, platform::Dialogs& dialogs);

    void SaveAllLists(bool askPath);
    void LoadAllLists(bool askPath);
    void SaveLists1Click() { SaveAllLists(true); }
    void LoadLists1Click() { LoadAllLists(true); }

private:
    QString listFilePath(bool askPath, bool forSaving);

    MainForm& m_form;
    SharedValues& m_values;
    platform::Dialogs& m_dialogs;
};
