#include "schedule/countdown_controller.h"

#include "core/digits_to_int.h"
#include "core/message_policy.h"
#include "platform/dialogs.h"
#include "platform/system_actions.h"
#include "widgets/spin_edit.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <limits>

using schedule::SystemAction;

CountdownController::CountdownController(const AutoWindowsActionsControls& controls, const CountdownOptions& options,
                                         platform::SystemActions& actions, MessagePolicy& policy)
    : m_c(controls), m_options(options), m_actions(actions), m_policy(policy) {}

bool CountdownController::counting() const {
    return m_c.countdownTimer->isActive();
}

void CountdownController::onCountdownClicked() {
    if (counting())
        stopCountdown();
    else
        startCountdown();
}

void CountdownController::startCountdown() {
    const int minutes = DigitsToInt(m_options.minutes);
    const int hours = DigitsToInt(m_options.hours);
    m_remaining = schedule::countdownStart(hours, minutes);

    m_c.countdownTimer->start();
    m_c.countdownProgressBar->show();
    const int total = schedule::countdownTotalSeconds(hours, minutes);
    m_c.countdownProgressBar->setRange(0, total);
    m_c.countdownProgressBar->setValue(total);

    m_c.countdownTimeLabel->hide();
    m_c.countdownMinutesSpin->hide();
    m_c.countdownHoursSpin->hide();
}

void CountdownController::stopCountdown() {
    m_c.countdownTimer->stop();
    m_c.countdownProgressBar->hide();

    // Each write may run the minutes' change reaction; the spin edits clamp into their ranges.
    m_c.countdownMinutesSpin->setValue(m_remaining.minutes);
    m_c.countdownHoursSpin->setValue(m_remaining.hours);

    m_c.countdownTimeLabel->show();
    m_c.countdownMinutesSpin->show();
    m_c.countdownHoursSpin->show();
    m_c.countdownButton->setText(kCountdownStartCaption);
}

void CountdownController::onCountdownTick() {
    if (m_performing || !counting())
        return;
    if (schedule::countdownTick(m_remaining) == schedule::TickResult::Finished) {
        stopCountdown();
        onPerformNowClicked();
        return;
    }
    m_c.countdownProgressBar->setValue(m_c.countdownProgressBar->value() - 1);
    m_c.countdownButton->setText(schedule::countdownCaption(m_remaining));
}

void CountdownController::onCountdownMinutesChanged() {
    const auto hours = schedule::minutesRollover(DigitsToInt(m_options.minutes), DigitsToInt(m_options.hours));
    if (!hours)
        return;
    m_c.countdownMinutesSpin->setValue(0);
    m_c.countdownHoursSpin->setValue(int(std::min<std::int64_t>(*hours, std::numeric_limits<int>::max())));
}

std::uint32_t CountdownController::selectedFlags() const {
    const std::pair<bool, SystemAction> order[] = {
        {m_options.shutDown, SystemAction::ShutDown},
        {m_options.reboot, SystemAction::Reboot},
        {m_options.restartApplications, SystemAction::RestartApplications},
        {m_options.powerOff, SystemAction::PowerOff},
        {m_options.logOff, SystemAction::LogOff},
    };
    std::optional<SystemAction> selected;
    for (const auto& [chosen, action] : order) {
        if (chosen) {
            selected = action;
            break;
        }
    }
    return schedule::systemActionFlags(selected, m_options.force);
}

void CountdownController::onPerformNowClicked() {
    PerformSystemAction(selectedFlags());
}

void CountdownController::PerformSystemAction(std::uint32_t flags) {
    if (m_performing)
        return;
    struct Performing {
        bool& flag;
        explicit Performing(bool& f) : flag(f) { flag = true; }
        ~Performing() { flag = false; }
    } performing(m_performing);
    emit systemActionDue();
    const QString failedStage = m_actions.exitWindows(flags);
    if (!failedStage.isEmpty())
        m_policy.showOwned(BoxKind::Always, nullptr, QStringLiteral("Exit Error"), failedStage, platform::MbOk);
}
