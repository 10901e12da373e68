#include "core/digits_to_int.h"
#include "core/message_policy.h"
#include "core/shared_values.h"
#include "platform/dialogs.h"
#include "platform/torvane_error.h"
#include "platform/window_system.h"
#include "tasks/protection.h"
#include "tasks/recognition.h"
#include "tasks/recognition_handlers.h"
#include "tasks/task_actions.h"
#include "tasks/task_snapshot.h"
#include "widgets/task_list_view.h"

#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <exception>
#include <functional>
#include <utility>

using namespace platform;

namespace {

// Runs while a tick is in progress; a tick that starts meanwhile (from the nested event loop of a
// box the first one opened) returns at once.
class TickGuard {
public:
    explicit TickGuard(bool& flag) : m_flag(flag), m_entered(!flag) { m_flag = true; }
    ~TickGuard() {
        if (m_entered)
            m_flag = false;
    }
    bool entered() const { return m_entered; }

private:
    bool& m_flag;
    bool m_entered;
};

} // namespace

Protection::Protection(const ProtectionControls& controls, const ProtectionOptions& options,
                       const RecognitionHandlers& recognition, SharedValues& values, WindowSystem& windows,
                       MessagePolicy& policy, TaskActions& actions, ActionWindow& actionWindow,
                       InvestigatorRequests& investigator)
    : m_controls(controls), m_options(options), m_recognition(recognition), m_values(values), m_windows(windows),
      m_policy(policy), m_actions(actions), m_actionWindow(actionWindow), m_investigator(investigator) {}

bool Protection::protectionOn() const {
    return m_options.protectionOn;
}

bool Protection::actionWindowVisible() const {
    return m_actionWindow.actionWindowShown();
}

void Protection::onProtectionTick() {
    TickGuard guard(m_inTick);
    if (guard.entered())
        ProtectionTick();
    else
        enforceKillListMeanwhile();
}

void Protection::enforceKillListMeanwhile() {
    TaskList tasks;
    ListAllTasks(m_windows, tasks);
    // Options that cannot be read are the waiting tick's to report; the exact names still count.
    std::exception_ptr failure;
    enforceKillList(tasks, m_recognition.options(), failure);
}

bool Protection::kill(const TaskEntry& task, const QString& reason) {
    m_killedThisTick.push_back(task.handle);
    return m_actions.killWithoutRefresh(task, reason);
}

bool Protection::killedThisTick(WindowHandle window) const {
    return std::find(m_killedThisTick.begin(), m_killedThisTick.end(), window) != m_killedThisTick.end();
}

int Protection::findInSafeList(const QString& name, LookupHandle handle, const RecognitionOptions& options) {
    return m_safeLookups.find(m_controls.safeListView->taskModel(), name, handle, options);
}

void Protection::ProtectionTick() {
    m_killedThisTick.clear();
    // A failing step (bad input in a box, a failing subsystem) is reported only after the kill list
    // has had its turn: nothing may keep kill-listed tasks alive. The steps after the kill list
    // act on new tasks and are left out of a tick that went wrong.
    std::exception_ptr failure;
    const auto attempt = [&failure](const auto& step) {
        try {
            step();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    };
    attempt([this] { statusCaption(); });
    attempt([this] { m_investigator.ProcessInvestigatorRequest(); });
    attempt([this] { m_values.MemoryLimitMB = DigitsToInt(m_options.memoryLimitText); });
    const RecognitionOptions options = m_recognition.options();
    attempt([&] { applyDecision(options); });
    attempt([this] { takeSnapshots(); });
    if (m_options.treatShownAsHidden)
        m_lists.visibleSnapshot = m_lists.allSnapshot;
    if (m_options.matchSameNames)
        attempt([&] { followRenamedTasks(options); });
    if (m_recognition.settings().limitNameLength) {
        attempt([this] {
            const std::int32_t limit = DigitsToInt(m_recognition.settings().nameLengthLimitText);
            for (TaskEntry& e : m_lists.visibleSnapshot)
                e.title = LimitNameLength(e.title, limit);
        });
    }
    enforceKillList(m_lists.allSnapshot, options, failure); // only a tick writes it, and ticks never nest
    m_actions.forgetTriedKillsExcept(m_lists.allSnapshot);
    // A decision's notice waits until the kill list has had its turn: a task just put in the kill
    // list ends before the box opens, not after the user has read it.
    if (m_pendingConfirmation) {
        const auto [title, text] = *std::exchange(m_pendingConfirmation, std::nullopt);
        attempt([&] { confirm(title, text); });
    }
    if (failure)
        std::rethrow_exception(failure);
    if (!protectionOn())
        return;
    if (m_policy.silentMode()) {
        killNewTasksSilently(options);
        return;
    }
    askAboutNewTasks(options);
    if (m_options.memoryWarning && !m_lists.allSnapshot.empty() && !m_options.memoryLimitText.isEmpty())
        warnAboutMemory(options);
}

void Protection::statusCaption() {
    QString caption = QStringLiteral("Torvane  %1 % free memory").arg(m_values.FreeMemPercent);
    if (m_controls.temperatureTimer->isActive())
        caption += QStringLiteral(", %1 C core temperature").arg(m_values.CurrentTemp);
    m_controls.mainWindow->setWindowTitle(caption);
}

bool Protection::usesOver(WindowHandle window, std::int32_t limitMB) {
    std::uint64_t bytes = 0;
    if (!m_actions.GetTaskMemory(window, bytes))
        return false;
    return static_cast<double>(bytes) / 1024.0 / 1024.0 > static_cast<double>(limitMB);
}

void Protection::confirm(const QString& title, const QString& text) {
    m_policy.show(BoxKind::ConfirmationGated, text, title, MbIconInformation);
}

void Protection::confirmAfterKillList(const QString& title, const QString& text) {
    m_pendingConfirmation = std::make_pair(title, text);
}

void Protection::applyDecision(const RecognitionOptions& options) {
    const TaskEntry decided = m_values.DecidedTask;
    // The Task Action window forgets the asked task when it hides; the decided one is what counts.
    const QString& asked = decided.title;
    switch (m_values.TaskDecision) {
    case ActionDecision::AddToSafeList: {
        TaskListModel& safe = m_controls.safeListView->taskModel();
        if (FindTask(safe.tasks(), asked, 0, options) == -1)
            AddTaskIfAbsent(safe, decided.title, decided.handle, options);
        if (usesOver(decided.handle, m_values.MemoryLimitMB))
            m_lists.AllowedOfSize.push_back(decided);
        m_lists.RunningBefore.push_back(decided);
        confirmAfterKillList(
            QStringLiteral("Added to safe List"),
            QStringLiteral("Successfully added %1to the safe list.\n\rNow, the task will be processed according "
                           "to the safe list commands.")
                .arg(decided.title));
        break;
    }
    case ActionDecision::AddToKillList:
        if (FindTask(m_controls.killListView->taskModel().tasks(), asked, 0, options) == -1)
            m_controls.killListView->taskModel().append(decided);
        confirmAfterKillList(
            QStringLiteral("Added to kill List"),
            QStringLiteral("Successfully added %1 to the kill list.\n\rNow, the task will be processed according "
                           "to the kill list commands.")
                .arg(decided.title));
        break;
    case ActionDecision::AllowToRun:
        if (FindTask(m_lists.RunningBefore, asked, 0, options) == -1)
            m_lists.RunningBefore.push_back(decided);
        if (usesOver(decided.handle, m_values.MemoryLimitMB))
            m_lists.AllowedOfSize.push_back(decided);
        confirmAfterKillList(
            QStringLiteral("Allowed to Run"),
            QStringLiteral("Allowed %1 to run this time, without closing it.\n\rIf you wish to kill the task now, "
                           "you can still do it manually.")
                .arg(decided.title));
        break;
    default:
        break;
    }
    if (m_values.TaskDecision != ActionDecision::None) {
        m_values.ActionTask = TaskEntry{};
        // A decision is applied once: even while the window shows the next task, the one applied
        // here is gone, so a later tick cannot apply it again.
        m_values.TaskDecision = ActionDecision::None;
    }
}

void Protection::takeSnapshots() {
    // One enumeration serves both lists, so hidden and visible tasks come from the same moment.
    const std::vector<WindowInfo> windows = m_windows.topLevelWindows();
    m_lists.visibleSnapshot.clear();
    appendTasks(windows, false, m_lists.visibleSnapshot);
    m_lists.allSnapshot = m_lists.visibleSnapshot;
    appendTasks(windows, true, m_lists.allSnapshot);
}

void Protection::followRenamedTasks(const RecognitionOptions& options) {
    TaskListModel& safe = m_controls.safeListView->taskModel();
    for (const TaskEntry& task : m_lists.allSnapshot) {
        const int k = findInSafeList(task.title, task.handle, options);
        if (k != -1)
            safe.setEntry(k, task);
        const int r = FindTask(m_lists.RunningBefore, task.title, task.handle, options);
        if (r != -1)
            m_lists.RunningBefore[static_cast<std::size_t>(r)] = task;
    }
}

void Protection::enforceKillList(const TaskList& tasks, const RecognitionOptions& options,
                                 std::exception_ptr& failure) {
    bool killed = false;
    for (const TaskEntry& task : tasks) {
        const TaskList& killList = m_controls.killListView->taskModel().tasks();
        int found = -1;
        try {
            found = FindTask(killList, task.title, 0, options);
        } catch (const TorvaneError&) {
            // An option box holding no usable number still leaves the exact names to go by.
            if (!failure)
                failure = std::current_exception();
            found = FindTaskByName(killList, task.title);
        }
        if (found != -1) // spares the program's own windows
            killed = kill(task, kill_reason::killListEntry(killList[static_cast<std::size_t>(found)].title)) || killed;
    }
    // One refresh after all kills: a burst of listed windows is not slowed by a refresh per kill.
    if (killed)
        m_actions.refreshAfterKills();
}

void Protection::WindowsChanged(const std::vector<WindowInfo>& windows) {
    TaskList tasks;
    appendTasks(windows, false, tasks);
    appendTasks(windows, true, tasks);
    // A failure of the options is the tick's to report; the exact names still count here.
    std::exception_ptr failure;
    enforceKillList(tasks, m_recognition.options(), failure);
}

void Protection::killNewTasksSilently(const RecognitionOptions& options) {
    const TaskList& candidates = m_lists.visibleSnapshot;
    bool killed = false;
    for (const TaskEntry& task : candidates) {
        if (task.handle == 0)
            continue;
        if (findInSafeList(task.title, task.handle, options) == -1 &&
            FindTask(m_lists.RunningBefore, task.title, task.handle, options) == -1)
            killed = kill(task, kill_reason::protection()) || killed; // spares the program's own windows
    }
    if (killed)
        m_actions.refreshAfterKills();
}

bool Protection::isNewTask(const TaskEntry& task, const RecognitionOptions& options) {
    const TaskList& safe = m_controls.safeListView->taskModel().tasks();
    if (FindTask(safe, task.title, 0, options) != -1 || FindTask(m_lists.RunningBefore, task.title, 0, options) != -1)
        return false;
    return m_recognition.settings().changeByHandle ||
           (FindTaskByHandle(safe, task.handle) == -1 && FindTaskByHandle(m_lists.RunningBefore, task.handle) == -1);
}

bool Protection::overMemoryLimit(const TaskEntry& task, const RecognitionOptions& options) {
    if (!usesOver(task.handle, m_values.MemoryLimitMB))
        return false;
    if (FindTask(m_lists.AllowedOfSize, task.title, 0, options) != -1)
        return false;
    const bool byHandle = !m_recognition.settings().changeByHandle;
    if (byHandle && FindTaskByHandle(m_lists.AllowedOfSize, task.handle) != -1)
        return false;
    const TaskList& safe = m_controls.safeListView->taskModel().tasks();
    const bool includeSafe = m_options.warnSafeListToo;
    if (!includeSafe && FindTask(safe, task.title, 0, options) != -1)
        return false;
    return includeSafe || !byHandle || FindTaskByHandle(safe, task.handle) == -1;
}

void Protection::askAbout(const TaskList& tasks, const std::function<bool(const TaskEntry&)>& qualifies) {
    if (actionWindowVisible())
        return;
    // Owners are noted at the snapshot: a question may wait in a box for minutes, and a later
    // candidate's window may meanwhile have passed to another program.
    TaskList candidates;
    for (const TaskEntry& task : tasks)
        if (!killedThisTick(task.handle) && qualifies(task))
            candidates.push_back(task);
    m_actions.capture(candidates);
    for (const TaskEntry& task : candidates) {
        // The lists may have changed while an earlier question was open.
        if (actionWindowVisible() || killedThisTick(task.handle) || !qualifies(task))
            continue;
        // A task that outlived "Kill Task" is not asked about again until its title or owner changes.
        if (m_actions.killAlreadyTried(task))
            continue;
        // The program's own windows (the caption changes with every tick) are never new tasks.
        if (m_actions.ownedByThisProgram(task.handle))
            continue;
        m_values.ActionTask = task;
        AskAboutTask();
    }
}

void Protection::askAboutNewTasks(const RecognitionOptions& options) {
    askAbout(m_lists.visibleSnapshot, [&](const TaskEntry& task) { return isNewTask(task, options); });
}

void Protection::warnAboutMemory(const RecognitionOptions& options) {
    // only a tick writes allSnapshot, and ticks never nest
    askAbout(m_lists.allSnapshot, [&](const TaskEntry& task) { return overMemoryLimit(task, options); });
}

void Protection::AskAboutTask() {
    if (m_options.quickRepeat && m_values.RepeatLastAction != RepeatAction::None) {
        m_actionWindow.startOnShow();
        m_actionWindow.performRepeatLast();
        return;
    }
    m_actionWindow.showForActionTask();
}
