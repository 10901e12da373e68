#pragma once

#include "app/settings_files_controller.h"
#include "core/shared_values.h"
#include "platform/platform.h"
#include "platform/termination_requests.h"

#include <memory>

class AutoSave;
class MainWindow;
class HelpWindow;
class TaskActionWindow;
class TemperatureInvestigator;

// The program: the main window, which makes every controller and window (all hidden at first) in
// its constructor, with the settings and the auto-save around it.
class TorvaneProgram {
public:
    // `baseDir` empty means the folders of this installation (see program_folders.h).
    TorvaneProgram(platform::Platform& platform, const QString& baseDir = {},
                   const SettingsStoreFactory& settings = settingsFiles);
    ~TorvaneProgram();

    MainWindow& mainWindow() { return *m_main; }
    TaskActionWindow& newTask();
    HelpWindow& helping();
    TemperatureInvestigator& investigator();
    SharedValues& values() { return m_values; }

    AutoSave& autoSave() { return *m_autoSave; }

    // Shows the main window; its first paint applies the settings.
    void start();
    // Ends the program through its exit sequence on each request.
    void endOn(platform::TerminationRequests& requests);

private:
    SharedValues m_values;
    std::unique_ptr<MainWindow> m_main;
    AutoSave* m_autoSave = nullptr; // owned by the main window
};
