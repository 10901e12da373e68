#pragma once

#include "schedule/countdown.h"

#include <QObject>
#include <cstdint>

class MessagePolicy;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;
class SpinEdit;

namespace platform {
class SystemActions;
}

// The controls of the "Auto Windows Actions" tab, plus the main window's countdown timer and
// progress bar.
struct AutoWindowsActionsControls {
    QPushButton* Button29 = nullptr;
    QRadioButton* RadioButton8 = nullptr;
    QRadioButton* RadioButton9 = nullptr;
    QRadioButton* RadioButton10 = nullptr;
    QRadioButton* RadioButton11 = nullptr;
    QRadioButton* RadioButton12 = nullptr;
    QCheckBox* CheckBox20 = nullptr;
    QPushButton* Button28 = nullptr;
    QLabel* Label18 = nullptr;
    SpinEdit* ActHours = nullptr;
    SpinEdit* ActMins = nullptr;
    QProgressBar* ActCountoun = nullptr;
    QTimer* Countdown = nullptr;
};

inline const QString kCountdownStartCaption = QStringLiteral("Start countdown for performing the selected action");

// The countdown and the system actions. Whether a countdown runs is the enabled state of the
// `Countdown` timer; options are read from the controls when needed.
class CountdownController : public QObject {
    Q_OBJECT
public:
    CountdownController(const AutoWindowsActionsControls& controls, platform::SystemActions& actions,
                        MessagePolicy& policy);

    void Button29Click();
    void CountdownTimer();
    void ActMinsChange();
    void Button28Click();
    void PerformSystemAction(std::uint32_t flags);

    bool counting() const;
    const schedule::CountdownState& remaining() const { return m_remaining; }
    // The flags of the selected action as the tab shows it now.
    std::uint32_t selectedFlags() const;

signals:
    // Sent before the system is asked to end the session, reboot or power off: the program may
    // not get another chance to save. Receivers handle their own errors.
    void systemActionDue();

private:
    void startCountdown();
    void stopCountdown();

    AutoWindowsActionsControls m_c;
    platform::SystemActions& m_actions;
    MessagePolicy& m_policy;
    schedule::CountdownState m_remaining;
    // Set while a failure box is open: its nested event loop keeps the timer firing.
    bool m_performing = false;
};
