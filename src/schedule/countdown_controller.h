#pragma once

#include "schedule/countdown.h"
#include "schedule/countdown_options.h"

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

// The controls of the "Auto Windows Actions" tab with its countdown timer, plus the main window's
// progress bar.
struct AutoWindowsActionsControls {
    QPushButton* countdownButton = nullptr;
    QRadioButton* shutDownRadio = nullptr;
    QRadioButton* rebootRadio = nullptr;
    QRadioButton* restartApplicationsRadio = nullptr;
    QRadioButton* powerOffRadio = nullptr;
    QRadioButton* logOffRadio = nullptr;
    QCheckBox* forceActionCheck = nullptr;
    QPushButton* performNowButton = nullptr;
    QLabel* countdownTimeLabel = nullptr;
    SpinEdit* countdownHoursSpin = nullptr;
    SpinEdit* countdownMinutesSpin = nullptr;
    QProgressBar* countdownProgressBar = nullptr;
    QTimer* countdownTimer = nullptr;
};

inline const QString kCountdownStartCaption = QStringLiteral("Start countdown for performing the selected action");

// The countdown and the system actions. Whether a countdown runs is the enabled state of the
// `Countdown` timer; options are read when needed. The controls are those the countdown shows
// into or sets.
class CountdownController : public QObject {
    Q_OBJECT
public:
    CountdownController(const AutoWindowsActionsControls& controls, const CountdownOptions& options,
                        platform::SystemActions& actions, MessagePolicy& policy);

    void onCountdownClicked();
    void onCountdownTick();
    void onCountdownMinutesChanged();
    void onPerformNowClicked();
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
    const CountdownOptions& m_options;
    platform::SystemActions& m_actions;
    MessagePolicy& m_policy;
    schedule::CountdownState m_remaining;
    // Set while a failure box is open: its nested event loop keeps the timer firing.
    bool m_performing = false;
};
