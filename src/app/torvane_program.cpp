#include "app/torvane_program.h"

#include "app/auto_save.h"
#include "app/main_window.h"
#include "app/session_end.h"
#include "schedule/auto_windows_actions_tab.h"

TorvaneProgram::TorvaneProgram(platform::Platform& platform, const QString& baseDir,
                               const SettingsStoreFactory& settings) {
    m_values.BaseDir = baseDir;
    m_main = std::make_unique<MainWindow>(platform, m_values, settings);
    MainWindow& main = *m_main;
    m_autoSave = new AutoSave(main);
    QObject::connect(&main.autoActionsTab().controller(), &CountdownController::systemActionDue, m_autoSave,
                     &AutoSave::saveNow);
}

TorvaneProgram::~TorvaneProgram() = default;

TaskActionWindow& TorvaneProgram::newTask() {
    return m_main->newTask();
}

HelpWindow& TorvaneProgram::helping() {
    return m_main->helping();
}

TemperatureInvestigator& TorvaneProgram::investigator() {
    return m_main->investigator();
}

void TorvaneProgram::start() {
    m_main->show();
}

void TorvaneProgram::endOn(platform::TerminationRequests& requests) {
    new SessionEnd(*m_main, *m_autoSave, requests);
}
