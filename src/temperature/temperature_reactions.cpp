#include "temperature/temperature_reactions.h"

#include "core/digits_to_int.h"
#include "tasks/recognition.h"
#include "tasks/task_actions.h"
#include "tasks/task_snapshot.h"
#include "temperature/temperature_history.h"
#include "temperature/temperature_investigator.h"
#include "temperature/temperature_text.h"
#include "widgets/task_list_view.h"

#include <QCheckBox>
#include <QLabel>
#include <cmath>

TemperatureReactions::TemperatureReactions(SharedValues& values, const TemperatureOptions& options,
                                           const TemperatureHistory& history, platform::WindowSystem& windows,
                                           TaskActions& taskActions, TemperatureReactionHooks hooks,
                                           TemperatureInvestigator& investigator)
    : m_values(values), m_options(options), m_history(history), m_windows(windows), m_taskActions(taskActions),
      m_hooks(std::move(hooks)), m_investigator(investigator) {
    investigator.bindRequest(m_values.InvestigatorRequest);
}

void TemperatureReactions::overTemperatureCheck() {
    // A tick that fires while a question of the reactions is open leaves everything as it is, so
    // questions never stack and the latch keeps its rhythm once the answer is given.
    if (m_reacting)
        return;
    // Without a reading nothing is known to be hot, whatever the threshold.
    if (!m_history.newestHasReading()) {
        m_overheatLatch = false;
        return;
    }
    const std::int32_t threshold = DigitsToInt(m_options.overheatThreshold);
    if (static_cast<double>(threshold) > static_cast<double>(m_history.newestBiggest()) || m_overheatLatch) {
        m_overheatLatch = false;
        return;
    }
    m_overheatLatch = true;
    m_reacting = true;
    try {
        runOverheatReactions();
    } catch (...) {
        m_reacting = false;
        throw;
    }
    m_reacting = false;
}

void TemperatureReactions::runOverheatReactions() {
    if (m_options.overheatKill && m_hooks.killAllOutsideSafeList)
        m_hooks.killAllOutsideSafeList(kill_reason::overheatReaction());
    if (m_options.overheatStopLookup) {
        QCheckBox* retrieval = m_hooks.automaticRetrieval ? m_hooks.automaticRetrieval() : nullptr;
        if (retrieval && retrieval->isChecked())
            retrieval->setChecked(false);
    }
    if (m_options.overheatStopMemory) {
        if (m_values.ConsumeTarget != 0 && m_hooks.freeAllConsumed)
            m_hooks.freeAllConsumed();
        QCheckBox* optimize = m_hooks.optimizeFreeEvery ? m_hooks.optimizeFreeEvery() : nullptr;
        if (optimize && optimize->isChecked())
            optimize->setChecked(false);
    }
}

void TemperatureReactions::DetectTemperatureChange() {
    // Widened to double, the difference of two single-precision values is exact.
    const double current = m_history.newestBiggest();
    const double previous = m_history.previousBiggest();
    const std::int32_t tolerance = DigitsToInt(m_options.changeTolerance);
    const double change = current - previous;
    if (std::fabs(change) > tolerance) {
        m_lists.PreviousTempTasks = m_lists.NowTempTasks;
        m_lists.NowTempTasks.clear();
        ListAllTasks(m_windows, m_lists.NowTempTasks);
    }
    if (change > tolerance && previous != 0.0 && current != 0.0)
        reportRise(change);
}

void TemperatureReactions::reportRise(double rise) {
    TaskListModel& list = m_investigator.suspectsView->taskModel();
    // An open window keeps what it lists; the new tasks go below.
    if (!m_investigator.isVisible())
        list.clear();
    m_investigator.headingLabel->setText(QStringLiteral("Temperature risen by ") + temperatureText(rise) +
                                         QStringLiteral(" degrees. Possible task reasons:"));
    for (TaskEntry entry : m_lists.NowTempTasks) {
        if (FindTaskByName(m_lists.PreviousTempTasks, entry.title) != -1)
            continue;
        // The list may stay open for hours: each entry keeps the owner its window has now.
        m_taskActions.capture(entry);
        // The program's own caption changes with the temperature: it is never a reason.
        if (!m_taskActions.ownedByThisProgram(entry.handle))
            list.append(entry);
    }
    if (list.count() > 0)
        m_investigator.show();
}

void TemperatureReactions::ProcessInvestigatorRequest() {
    const std::int32_t request = m_values.InvestigatorRequest;
    if (request == 0)
        return;
    // Cleared first: a failing kill must not repeat on every tick.
    m_values.InvestigatorRequest = 0;
    TaskListView& list = *m_investigator.suspectsView;
    // Copied first: a kill refreshes the All Task List, and nothing here may shift the entries.
    std::vector<TaskEntry> selected;
    for (int i = 0; i < list.count(); ++i) {
        if (list.isSelected(i))
            selected.push_back(list.taskModel().at(i));
    }
    if (request == TemperatureInvestigator::kKillRequest) {
        QStringList ended;
        bool killed = false;
        for (const TaskEntry& entry : selected) {
            const TaskActions::KillOutcome outcome = m_taskActions.killCaptured(entry, kill_reason::investigator());
            killed = killed || outcome == TaskActions::KillOutcome::Killed;
            if (outcome == TaskActions::KillOutcome::AlreadyEnded)
                ended << entry.title;
        }
        if (killed)
            m_taskActions.refreshAfterKills();
        m_taskActions.tellAlreadyEnded(ended);
    } else if (request == TemperatureInvestigator::kAddToKillListRequest && m_hooks.killList) {
        TaskListModel& killList = m_hooks.killList->taskModel();
        for (const TaskEntry& entry : selected) {
            if (FindTaskByName(killList.tasks(), entry.title) == -1)
                killList.append(entry);
        }
    }
}
