#include "app/torvane_program.h"

#include "app/auto_save.h"
#include "app/session_end.h"
#include "app/settings_files_controller.h"
#include "app/ttorvane.h"
#include "help/helping.h"
#include "lists/list_commands.h"
#include "lists/t_new_task.h"
#include "schedule/auto_windows_actions_tab.h"
#include "tasks/protection.h"
#include "tasks/task_actions.h"
#include "temperature/t_temp_investigator.h"
#include "temperature/temperature_reactions.h"
#include "temperature/temperature_tab.h"

TorvaneProgram::TorvaneProgram(platform::Platform& platform, const QString& baseDir, ActionWindow* asks) {
    m_values.BaseDir = baseDir;
    m_main = std::make_unique<TTorvane>(platform, m_values, asks);
    TTorvane& main = *m_main;
    m_helping = std::make_unique<THelping>(m_main->policy());
    m_main->hooks.showHelp = [this] { m_helping->openHelp(m_values.HelpDir); };
    m_investigator = std::make_unique<TTempInvestigator>();
    main.temperatureTab().reactions().setInvestigator(*m_investigator);
    // Each window exists, hidden, from start-up on (Qt would otherwise create it when first shown),
    // so the first snapshot of protection already holds them.
    for (QWidget* window : {static_cast<QWidget*>(&main.newTask()), static_cast<QWidget*>(m_helping.get()),
                            static_cast<QWidget*>(m_investigator.get())})
        window->winId();
    auto settings = std::make_shared<SettingsController>(main);
    main.hooks.loadSettings = [settings] { settings->LoadSettings(); };
    main.hooks.saveSettings = [settings] { settings->SaveSettings(); };
    m_autoSave = new AutoSave(main);
    main.autoActionsTab().controller().beforeSystemAction = [this] { m_autoSave->saveNow(); };
}

TorvaneProgram::~TorvaneProgram() = default;

TNewTask& TorvaneProgram::newTask() {
    return m_main->newTask();
}

void TorvaneProgram::start() {
    m_main->show();
}

void TorvaneProgram::endOn(platform::TerminationRequests& requests) {
    new SessionEnd(*m_main, *m_autoSave, requests);
}
