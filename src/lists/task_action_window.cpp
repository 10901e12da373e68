#include "lists/task_action_window.h"

#include "core/error_report.h"
#include "core/message_policy.h"
#include "core/shared_values.h"
#include "lists/choice_file.h"
#include "lists/task_action_message.h"
#include "platform/dialogs.h"
#include "platform/torvane_error.h"
#include "platform/window_system.h"
#include "tasks/task_actions.h"
#include "widgets/guarded_connect.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTextEdit>
#include <QTimer>
#include <exception>

using namespace platform;

namespace {

// Marks an action as running for its whole duration, message box included.
class ActingScope {
public:
    explicit ActingScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~ActingScope() { m_flag = false; }

private:
    bool& m_flag;
};

} // namespace

TaskActionWindow::TaskActionWindow(SharedValues& values, WindowSystem& windows, TaskActions& actions,
                                   MessagePolicy& policy, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      m_values(values), m_windows(windows), m_actions(actions), m_policy(policy) {
    setObjectName(QStringLiteral("NewTask"));
    setWindowTitle(QStringLiteral("Task Action"));
    // Closing this window must never end the program while the main window sits in the tray.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(kClientWidth, kClientHeight);
    buildControls();
    layoutControls();
    wireControls();
    repeatClockTimer->start();
    // Native from the start, so the window exists (hidden) before it is first shown.
    winId();
}

void TaskActionWindow::wireControls() {
    const std::pair<QPushButton*, void (TaskActionWindow::*)()> buttons[] = {
        {killTaskButton, &TaskActionWindow::onKillTaskClicked},
        {allowButton, &TaskActionWindow::onAllowClicked},
        {addToSafeListButton, &TaskActionWindow::onAddToSafeListClicked},
        {addToKillListButton, &TaskActionWindow::onAddToKillListClicked},
        {ignoreButton, &TaskActionWindow::onIgnoreClicked},
        {performedByMeButton, &TaskActionWindow::onPerformedByMeClicked},
        {performedByCloudButton, &TaskActionWindow::onPerformedByCloudClicked},
    };
    for (const auto& [control, handler] : buttons)
        connectGuarded(control, &QPushButton::clicked, this, m_policy,
                       [this, handler = handler] { (this->*handler)(); });
    connectGuarded(repeatTimer, &QTimer::timeout, this, m_policy, [this] { onRepeatTick(); });
    connectGuarded(repeatClockTimer, &QTimer::timeout, this, m_policy, [this] { onRepeatClockTick(); });
    connect(repeatClockTimer, &QTimer::timeout, this, &TaskActionWindow::placeAgainForFrame);
}

void TaskActionWindow::showForActionTask() {
    if (m_acting)
        return;
    if (isVisible())
        runGuarded(m_policy, [this] { onShown(); });
    else
        show(); // the show event runs onShown
}

void TaskActionWindow::showFor(const TaskEntry& task, const QString& reason) {
    if (m_acting)
        return;
    m_values.ActionTask = task;
    m_ActionWindowReason = reason;
    showForActionTask();
}

void TaskActionWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A spontaneous show is the window manager mapping the window again, not the program showing it.
    if (!event->spontaneous())
        runGuarded(m_policy, [this] { onShown(); });
}

bool TaskActionWindow::event(QEvent* event) {
    if (event->type() == QEvent::Paint)
        QMetaObject::invokeMethod(this, &TaskActionWindow::placeAgainForFrame, Qt::QueuedConnection);
    return QWidget::event(event);
}

// The window manager's frame is known only once the window is up, so a placement made at the show
// left the frame's right and bottom edges off the screen. The first paint mostly comes after the
// frame is known; the one-second timer catches the rest.
void TaskActionWindow::placeAgainForFrame() {
    if (isVisible() && frameGeometry().size() != m_placedFrame)
        placeBottomRight();
}

void TaskActionWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        runGuarded(m_policy, [this] { onHidden(); });
}

void TaskActionWindow::onShown() {
    placeBottomRight();
    startOnShow();
    bringToFront();
    // Focus is taken once, when the window appears; later raises leave it where the user put it.
    if (isVisible())
        activateWindow();
}

void TaskActionWindow::placeBottomRight() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The free area, so a panel along the bottom does not cover the buttons.
    const QRect desktop = screen->availableGeometry();
    const QSize outer = frameGeometry().size();
    m_placedFrame = outer;
    move(desktop.x() + desktop.width() - outer.width(), desktop.y() + desktop.height() - outer.height());
}

void TaskActionWindow::bringToFront() {
    if (isVisible())
        raise();
}

bool TaskActionWindow::taskWindowVisible(WindowHandle window) {
    for (const WindowInfo& info : m_windows.topLevelWindows())
        if (info.handle == window)
            return info.visible;
    return false;
}

void TaskActionWindow::startOnShow() {
    m_values.DecidedTask.title.clear();
    m_values.TaskDecision = ActionDecision::None;
    const QString name = m_values.ActionTask.title;
    const WindowHandle window = m_values.ActionTask.handle;
    if (name.isEmpty() || window == 0) {
        showNotFound();
        repeatTimer->start();
        return;
    }

    TaskFacts facts;
    facts.name = name;
    facts.reason = m_ActionWindowReason;
    m_actions.GetTaskMemory(window, facts.bytes);
    facts.visible = taskWindowVisible(window);
    // A choice file that cannot be read counts as holding no choice, so the window still shows
    // this task, and its error is reported once the window is complete.
    std::exception_ptr failure;
    try {
        facts.mine = MostPerformedByMe(name, m_values.BaseDir);
    } catch (const TorvaneError&) {
        failure = std::current_exception();
    }
    try {
        facts.cloud = MostPerformedByCloud(name, m_values.BaseDir);
    } catch (const TorvaneError&) {
        if (!failure)
            failure = std::current_exception();
    }

    headingLabel->setText(taskHeading(facts.bytes, m_values.MemoryLimitMB, m_ActionWindowReason));
    m_message = taskMessage(facts);
    detailsText->setPlainText(displayText(m_message));
    for (QPushButton* b : {killTaskButton, allowButton, addToSafeListButton, addToKillListButton, ignoreButton})
        b->setEnabled(true);
    performedByMeButton->setEnabled(facts.mine > 0);
    performedByCloudButton->setEnabled(facts.cloud > 0);
    repeatTimer->start();
    if (failure)
        std::rethrow_exception(failure);
}

void TaskActionWindow::showNotFound() {
    headingLabel->setText(kNotFoundHeading);
    m_message = notFoundMessage(m_values.ActionTask.title);
    detailsText->setPlainText(displayText(m_message));
    for (QPushButton* b : {killTaskButton, allowButton, addToSafeListButton, addToKillListButton, performedByMeButton,
                           performedByCloudButton})
        b->setEnabled(false);
    ignoreButton->setEnabled(true);
}

QPushButton* TaskActionWindow::button(RepeatAction action) const {
    QPushButton* const buttons[] = {killTaskButton, allowButton,         addToSafeListButton,   addToKillListButton,
                                    ignoreButton,   performedByMeButton, performedByCloudButton};
    const auto number = static_cast<int>(action);
    return number >= 1 && number <= 7 ? buttons[number - 1] : nullptr;
}

void TaskActionWindow::onKillTaskClicked() {
    runButton(RepeatAction::KillTask);
}
void TaskActionWindow::onAllowClicked() {
    runButton(RepeatAction::AllowToRun);
}
void TaskActionWindow::onAddToSafeListClicked() {
    runButton(RepeatAction::AddToSafeList);
}
void TaskActionWindow::onAddToKillListClicked() {
    runButton(RepeatAction::AddToKillList);
}
void TaskActionWindow::onIgnoreClicked() {
    runButton(RepeatAction::Ignore);
}
void TaskActionWindow::onPerformedByMeClicked() {
    runButton(RepeatAction::MostlyPerformedByMe);
}
void TaskActionWindow::onPerformedByCloudClicked() {
    runButton(RepeatAction::MostlyPerformedByCloud);
}

void TaskActionWindow::runButton(RepeatAction action) {
    // The "Kill Task" box runs a nested event loop in which repeatTimer keeps firing: a repeat must not
    // act on the task again, nor stack a second box, before the first action is over.
    if (m_acting)
        return;
    ActingScope acting(m_acting);
    performButton(action);
}

void TaskActionWindow::performButton(RepeatAction action) {
    switch (action) {
    case RepeatAction::KillTask:
        killTask();
        break;
    case RepeatAction::AllowToRun:
        decide(ActionDecision::AllowToRun, action);
        break;
    case RepeatAction::AddToSafeList:
        decide(ActionDecision::AddToSafeList, action);
        break;
    case RepeatAction::AddToKillList:
        decide(ActionDecision::AddToKillList, action);
        break;
    case RepeatAction::Ignore:
        decide(ActionDecision::Ignore, action);
        break;
    case RepeatAction::MostlyPerformedByMe:
        mostPerformed(false);
        break;
    case RepeatAction::MostlyPerformedByCloud:
        mostPerformed(true);
        break;
    case RepeatAction::None:
        break;
    }
}

void TaskActionWindow::killTask() {
    // The task keeps the owner noted when it was taken from the desktop: if its window has gone or
    // passed to another program while the window was open, nothing is killed.
    const TaskEntry task = m_values.ActionTask;
    std::uint64_t bytes = 0;
    const bool memoryWarning = m_ActionWindowReason.isEmpty() && m_actions.GetTaskMemory(task.handle, bytes) &&
                               usesTooMuchMemory(bytes, m_values.MemoryLimitMB);
    switch (
        m_actions.killCaptured(task, memoryWarning ? kill_reason::memoryWarning() : kill_reason::taskActionWindow())) {
    case TaskActions::KillOutcome::OwnTask:
        // Hidden without a decision: a repeated "Kill Task" must not bring the refusal back.
        m_actions.tellOwnTaskSpared(this);
        hideWindow();
        return;
    case TaskActions::KillOutcome::AlreadyEnded:
        m_actions.tellAlreadyEnded(task.title, this);
        break;
    case TaskActions::KillOutcome::Killed:
        m_policy.showOwned(BoxKind::Always, this,
                           QStringLiteral("The ") + task.title + QStringLiteral(" task was tried to be killed."),
                           QStringLiteral("Tried to Kill Task"), MbOk | MbIconInformation);
        break;
    }
    m_values.TaskDecision = ActionDecision::KillTask;
    if (repeatCheck->isChecked())
        m_values.RepeatLastAction = RepeatAction::KillTask;
    hideWindow();
}

void TaskActionWindow::decide(ActionDecision decision, RepeatAction repeat) {
    m_values.DecidedTask = m_values.ActionTask;
    m_values.TaskDecision = decision;
    if (repeatCheck->isChecked())
        m_values.RepeatLastAction = repeat;
    hideWindow();
}

void TaskActionWindow::mostPerformed(bool cloud) {
    const int code = cloud ? MostPerformedByCloud(m_values.ActionTask.title, m_values.BaseDir)
                           : MostPerformedByMe(m_values.ActionTask.title, m_values.BaseDir);
    // Choice-file codes name the actions in another order than the buttons.
    constexpr RepeatAction buttonOfCode[] = {RepeatAction::None,          RepeatAction::KillTask,
                                             RepeatAction::AddToSafeList, RepeatAction::AddToKillList,
                                             RepeatAction::AllowToRun,    RepeatAction::Ignore};
    if (code >= 1 && code <= 5)
        performButton(buttonOfCode[code]);
    if (repeatCheck->isChecked())
        m_values.RepeatLastAction = cloud ? RepeatAction::MostlyPerformedByCloud : RepeatAction::MostlyPerformedByMe;
}

void TaskActionWindow::hideWindow() {
    // A decision taken on the quick repeat path, with the window never shown, hides nothing.
    if (isVisible())
        hide();
}

void TaskActionWindow::performRepeatLast() {
    if (m_acting)
        return;
    QPushButton* repeated = button(m_values.RepeatLastAction);
    if (!repeated) {
        bringToFront();
        return;
    }
    if (repeated->isEnabled())
        runButton(m_values.RepeatLastAction);
}

void TaskActionWindow::onRepeatTick() {
    if (isVisible())
        performRepeatLast();
}

void TaskActionWindow::onRepeatClockTick() {
    ++m_RepeatSeconds;
    if (repeatPeriodOver(repeatSecondsSpin->text(), m_RepeatSeconds)) {
        m_RepeatSeconds = 0;
        m_values.RepeatLastAction = RepeatAction::None;
    }
}

void TaskActionWindow::onHidden() {
    // The window is reset even when the choice cannot be recorded: the next task must not inherit
    // this one's reason, repeat box or timer.
    std::exception_ptr failure;
    if (rememberCheck->isChecked()) {
        try {
            RecordChoice(m_values.TaskDecision, m_values.ActionTask.title, m_values.BaseDir + kMyChoiceFileName);
            m_actions.recordRemembered(m_values.ActionTask, m_values.TaskDecision == ActionDecision::Ignore
                                                                ? QStringLiteral("Ignore")
                                                                : ActionName(static_cast<int>(m_values.TaskDecision)));
        } catch (const TorvaneError&) {
            failure = std::current_exception();
        }
    }
    m_values.ActionTask.title.clear();
    m_ActionWindowReason.clear();
    repeatCheck->setChecked(false);
    repeatTimer->stop();
    if (failure)
        std::rethrow_exception(failure);
}
