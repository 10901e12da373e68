#include "app/torvane_program.h"

#include "app/ttorvane.h"
#include "help/helping.h"
#include "lists/t_new_task.h"
#include "temperature/t_temp_investigator.h"

TorvaneProgram::TorvaneProgram(platform::Platform& platform, const QString& baseDir) {
    m_values.BaseDir = baseDir;
    m_main = std::make_unique<TTorvane>(platform, m_values);
    m_newTask = std::make_unique<TNewTask>();
    m_helping = std::make_unique<THelping>(m_main->policy());
    m_main->hooks.showHelp = [this] { m_helping->openHelp(m_values.BaseDir); };
    m_investigator = std::make_unique<TTempInvestigator>();
    // Each window exists, hidden, from start-up on (Qt would otherwise create it when first shown),
    // so the first snapshot of protection already holds them.
    for (QWidget* window : {static_cast<QWidget*>(m_newTask.get()), static_cast<QWidget*>(m_helping.get()),
                            static_cast<QWidget*>(m_investigator.get())})
        window->winId();
}

TorvaneProgram::~TorvaneProgram() = default;

void TorvaneProgram::start() {
    m_main->show();
}
