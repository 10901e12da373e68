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
#include "widgets/spin_edit.h"
#include "widgets/task_list_view.h"

#include <QAction>
#include <QCheckBox>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <exception>

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

Protection::Protection(const ProtectionControls& controls, const RecognitionHandlers& recognition, SharedValues& values,
                       WindowSystem& windows, MessagePolicy& policy, TaskActions& actions, ActionWindow& actionWindow,
                       InvestigatorRequests& investigator)
    : m_controls(controls), m_recognition(recognition), m_values(values), m_windows(windows), m_policy(policy),
      m_actions(actions), m_actionWindow(actionWindow), m_investigator(investigator) {}

bool Protection::protectionOn() const {
    return m_controls.KillHiddenNewTasks1->isChecked();
}

bool Protection::actionWindowVisible() const {
    return m_actionWindow.actionWindowShown();
}

void Protection::Timer3Timer() {
    TickGuard guard(m_inTick);
    if (guard.entered())
        ProtectionTick();
}

void Protection::kill(WindowHandle window) {
    m_killedThisTick.push_back(window);
    m_actions.KillTaskWindow(window);
}

bool Protection::killedThisTick(WindowHandle window) const {
    return std::find(m_killedThisTick.begin(), m_killedThisTick.end(), window) != m_killedThisTick.end();
}

int Protection::findInSafeList(const QString& name, LookupHandle handle, const RecognitionOptions& options) {
    return m_safeLookups.find(m_controls.ListBox2->taskModel(), name, handle, options);
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
    attempt([this] { m_values.MemoryLimitMB = DigitsToInt(m_controls.SpinEdit10->text()); });
    const RecognitionOptions options = m_recognition.options();
    attempt([&] { applyDecision(options); });
    attempt([this] { takeSnapshots(); });
    if (m_controls.CheckBox1->isChecked())
        m_lists.ListBox5 = m_lists.ListBox6;
    if (m_controls.CheckBox26->isChecked())
        attempt([&] { followRenamedTasks(options); });
    if (m_controls.CheckBox8->isChecked()) {
        attempt([this] {
            const std::int32_t limit = DigitsToInt(m_controls.SpinEdit9->text());
            for (TaskEntry& e : m_lists.ListBox5)
                e.title = LimitNameLength(e.title, limit);
        });
    }
    enforceKillList(m_lists.ListBox6, options, failure); // only a tick writes it, and ticks never nest
    if (failure)
        std::rethrow_exception(failure);
    if (!protectionOn())
        return;
    if (m_policy.silentMode()) {
        killNewTasksSilently(options);
        return;
    }
    askAboutNewTasks(options);
    if (m_controls.CheckBox10->isChecked() && !m_lists.ListBox6.empty() && !m_controls.SpinEdit10->text().isEmpty())
        warnAboutMemory(options);
}

void Protection::statusCaption() {
    QString caption = QStringLiteral("Torvane  %1 % free memory").arg(m_values.FreeMemPercent);
    if (m_controls.TempGetTimer->isActive())
        caption += QStringLiteral(", %1 C core temperature").arg(m_values.CurrentTemp);
    m_controls.Torvane->setWindowTitle(caption);
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

void Protection::applyDecision(const RecognitionOptions& options) {
    const TaskEntry decided{m_values.DecidedTaskName, m_values.DecidedTaskWindow};
    const QString& asked = m_values.ActionTaskName;
    switch (m_values.TaskDecision) {
    case ActionDecision::AddToSafeList: {
        TaskListModel& safe = m_controls.ListBox2->taskModel();
        if (FindTask(safe.tasks(), asked, 0, options) == -1)
            AddTaskIfAbsent(safe, decided.title, decided.handle, options);
        if (usesOver(decided.handle, m_values.MemoryLimitMB))
            m_lists.AllowedOfSize.push_back(decided);
        m_lists.RunningBefore.push_back(decided);
        confirm(QStringLiteral("Added to safe List"),
                QStringLiteral("Successfully added %1to the safe list.\n\rNow, the task will be processed according "
                               "to the safe list commands.")
                    .arg(decided.title));
        break;
    }
    case ActionDecision::AddToKillList:
        if (FindTask(m_controls.ListBox3->taskModel().tasks(), asked, 0, options) == -1)
            m_controls.ListBox3->taskModel().append(decided);
        confirm(QStringLiteral("Added to kill List"),
                QStringLiteral("Successfully added %1 to the kill list.\n\rNow, the task will be processed according "
                               "to the kill list commands.")
                    .arg(decided.title));
        break;
    case ActionDecision::AllowToRun:
        if (FindTask(m_lists.RunningBefore, asked, 0, options) == -1)
            m_lists.RunningBefore.push_back(decided);
        if (usesOver(decided.handle, m_values.MemoryLimitMB))
            m_lists.AllowedOfSize.push_back(decided);
        confirm(QStringLiteral("Allowed to Run"),
                QStringLiteral("Allowed %1 to run this time, without closing it.\n\rIf you wish to kill the task now, "
                               "you can still do it manually.")
                    .arg(decided.title));
        break;
    default:
        break;
    }
    if (m_values.TaskDecision != ActionDecision::None) {
        m_values.ActionTaskName.clear();
        m_values.ActionTaskWindow = 0;
        // A decision is applied once: even while the window shows the next task, the one applied
        // here is gone, so a later tick cannot apply it again.
        m_values.TaskDecision = ActionDecision::None;
    }
}

void Protection::takeSnapshots() {
    // One enumeration serves both lists, so hidden and visible tasks come from the same moment.
    const std::vector<WindowInfo> windows = m_windows.topLevelWindows();
    m_lists.ListBox5.clear();
    appendTasks(windows, false, m_lists.ListBox5);
    m_lists.ListBox6 = m_lists.ListBox5;
    appendTasks(windows, true, m_lists.ListBox6);
}

void Protection::followRenamedTasks(const RecognitionOptions& options) {
    TaskListModel& safe = m_controls.ListBox2->taskModel();
    for (const TaskEntry& task : m_lists.ListBox6) {
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
    for (const TaskEntry& task : tasks) {
        const TaskList& killList = m_controls.ListBox3->taskModel().tasks();
        int found = -1;
        try {
            found = FindTask(killList, task.title, 0, options);
        } catch (const TorvaneError&) {
            // An option box holding no usable number still leaves the exact names to go by.
            if (!failure)
                failure = std::current_exception();
            found = FindTaskByName(killList, task.title);
        }
        if (found != -1)
            kill(task.handle); // spares the program's own windows
    }
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
    const TaskList& candidates = m_lists.ListBox5;
    for (const TaskEntry& task : candidates) {
        if (task.handle == 0)
            continue;
        if (findInSafeList(task.title, task.handle, options) == -1 &&
            FindTask(m_lists.RunningBefore, task.title, task.handle, options) == -1)
            kill(task.handle); // spares the program's own windows
    }
}

void Protection::askAboutNewTasks(const RecognitionOptions& options) {
    const TaskList& candidates = m_lists.ListBox5;
    for (const TaskEntry& task : candidates) {
        if (actionWindowVisible() || killedThisTick(task.handle))
            continue;
        const TaskList& safe = m_controls.ListBox2->taskModel().tasks();
        if (FindTask(safe, task.title, 0, options) != -1 ||
            FindTask(m_lists.RunningBefore, task.title, 0, options) != -1)
            continue;
        if (!m_controls.CheckBox9->isChecked() &&
            (FindTaskByHandle(safe, task.handle) != -1 || FindTaskByHandle(m_lists.RunningBefore, task.handle) != -1))
            continue;
        // The program's own windows (the caption changes with every tick) are never new tasks.
        if (m_actions.ownedByThisProgram(task.handle))
            continue;
        m_values.ActionTaskName = task.title;
        m_values.ActionTaskWindow = task.handle;
        AskAboutTask();
    }
}

void Protection::warnAboutMemory(const RecognitionOptions& options) {
    const TaskList& tasks = m_lists.ListBox6; // only a tick writes it, and ticks never nest
    for (const TaskEntry& task : tasks) {
        if (actionWindowVisible() || killedThisTick(task.handle))
            continue;
        if (!usesOver(task.handle, m_values.MemoryLimitMB))
            continue;
        if (FindTask(m_lists.AllowedOfSize, task.title, 0, options) != -1)
            continue;
        const bool byHandle = !m_controls.CheckBox9->isChecked();
        if (byHandle && FindTaskByHandle(m_lists.AllowedOfSize, task.handle) != -1)
            continue;
        const TaskList& safe = m_controls.ListBox2->taskModel().tasks();
        const bool includeSafe = m_controls.CheckBox11->isChecked();
        if (!includeSafe && FindTask(safe, task.title, 0, options) != -1)
            continue;
        if (!includeSafe && byHandle && FindTaskByHandle(safe, task.handle) != -1)
            continue;
        if (m_actions.ownedByThisProgram(task.handle))
            continue;
        m_values.ActionTaskName = task.title;
        m_values.ActionTaskWindow = task.handle;
        AskAboutTask();
    }
}

void Protection::AskAboutTask() {
    if (m_controls.CheckBox25->isChecked() && m_values.RepeatLastAction != RepeatAction::None) {
        m_actionWindow.startOnShow();
        m_actionWindow.performRepeatLast();
        return;
    }
    m_actionWindow.showForActionTask();
}
