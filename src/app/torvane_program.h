#pragma once

#include "core/shared_values.h"
#include "platform/platform.h"
#include "platform/termination_requests.h"

#include <memory>

class ActionWindow;
class AutoSave;
class TTorvane;
class THelping;
class TNewTask;
class TTempInvestigator;

// The composition root: the program's windows in their order of creation, all hidden at first.
class TorvaneProgram {
public:
    // `baseDir` empty means the folders of this installation (see program_folders.h).
    // `asks`: see TTorvane.
    TorvaneProgram(platform::Platform& platform, const QString& baseDir = {}, ActionWindow* asks = nullptr);
    ~TorvaneProgram();

    TTorvane& mainWindow() { return *m_main; }
    TNewTask& newTask();
    THelping& helping() { return *m_helping; }
    TTempInvestigator& investigator() { return *m_investigator; }
    SharedValues& values() { return m_values; }

    AutoSave& autoSave() { return *m_autoSave; }

    // Shows the main window; its first paint applies the settings.
    void start();
    // Ends the program through its exit sequence on each request.
    void endOn(platform::TerminationRequests& requests);

private:
    SharedValues m_values;
    std::unique_ptr<TTorvane> m_main;
    std::unique_ptr<THelping> m_helping;
    std::unique_ptr<TTempInvestigator> m_investigator;
    AutoSave* m_autoSave = nullptr; // owned by the main window
};
