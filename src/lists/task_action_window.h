#pragma once

#include "core/task_decision.h"
#include "platform/types.h"
#include "tasks/protection_peers.h"

#include <QString>
#include <QWidget>
#include <cstdint>

class MessagePolicy;
class QCheckBox;
class QLabel;
class QPushButton;
class QTextEdit;
class QTimer;
class SpinEdit;
class TaskActions;
struct SharedValues;

namespace platform {
class WindowSystem;
}

// The "Task Action" window: created hidden at start-up and kept until exit; it asks the user
// what to do with one task. It meets the protection cycle only through the hand-over values in
// SharedValues: whoever shows it sets ActionTask.title and ActionTask.handle first; a decision leaves
// TaskDecision, DecidedTask.title, DecidedTask.handle and RepeatLastAction and hides the window.
class TaskActionWindow : public QWidget, public ActionWindow {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 460;
    static constexpr int kClientHeight = 404;

    TaskActionWindow(SharedValues& values, platform::WindowSystem& windows, TaskActions& actions, MessagePolicy& policy,
                     QWidget* parent = nullptr);

    // Shows the window for the task in ActionTask.title / ActionTask.handle. A window already showing
    // is prepared again for that task (the hand-opened case), so what it shows never describes an
    // earlier task. Errors go to the general error report.
    void showForActionTask() override;
    // Takes the task (and the reason, "Selected by the user running task" when opened by hand)
    // into the hand-over values, then shows the window as above. Ignored while an action of this
    // window is still running (its message box is open), so that action keeps its task.
    void showFor(const TaskEntry& task, const QString& reason = {}) override;
    bool actionWindowShown() const override { return isVisible(); }

    const QString& actionWindowReason() const { return m_ActionWindowReason; }
    void setActionWindowReason(const QString& reason) { m_ActionWindowReason = reason; }
    std::int32_t repeatSeconds() const { return m_RepeatSeconds; }
    // The message of the last preparation with its exact LF CR line joins.
    const QString& message() const { return m_message; }

    // Handlers. Called directly (by the protection cycle and tests) they throw TorvaneError;
    // the window's own signals and events run them inside the general error report.
    void onShown();
    void startOnShow() override;
    void performRepeatLast() override;
    void onKillTaskClicked();
    void onAllowClicked();
    void onAddToSafeListClicked();
    void onAddToKillListClicked();
    void onIgnoreClicked();
    void onPerformedByMeClicked();
    void onPerformedByCloudClicked();
    void onRepeatTick();
    void onRepeatClockTick();
    void onHidden();

    QLabel* headingLabel = nullptr;
    QTextEdit* detailsText = nullptr;
    QLabel* questionLabel = nullptr;
    QPushButton* performedByMeButton = nullptr;
    QPushButton* performedByCloudButton = nullptr;
    QPushButton* killTaskButton = nullptr;
    QPushButton* addToSafeListButton = nullptr;
    QPushButton* allowButton = nullptr;
    QPushButton* addToKillListButton = nullptr;
    QCheckBox* rememberCheck = nullptr;
    QPushButton* ignoreButton = nullptr;
    QCheckBox* repeatCheck = nullptr;
    SpinEdit* repeatSecondsSpin = nullptr;
    QCheckBox* recheckCheck = nullptr;
    QTimer* repeatTimer = nullptr;
    QTimer* repeatClockTimer = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildControls();
    void layoutControls();
    void wireControls();

    // Runs the operation of the button that `action` names unless an action is already running.
    void runButton(RepeatAction action);
    // The operations behind the buttons; each button's number is its repeat code.
    void performButton(RepeatAction action);
    void killTask();
    void decide(ActionDecision decision, RepeatAction repeat);
    void mostPerformed(bool cloud);
    QPushButton* button(RepeatAction action) const;

    void showNotFound();
    void placeBottomRight();
    void placeAgainForFrame();
    void bringToFront();
    void hideWindow();
    bool taskWindowVisible(platform::WindowHandle window);

    SharedValues& m_values;
    platform::WindowSystem& m_windows;
    TaskActions& m_actions;
    MessagePolicy& m_policy;

    QString m_ActionWindowReason;
    std::int32_t m_RepeatSeconds = 0;
    QString m_message;
    QSize m_placedFrame;   // the frame size the last placement knew
    bool m_acting = false; // an action (and its message box) is running
};
