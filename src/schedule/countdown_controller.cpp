#include "schedule/countdown_controller.h"

#include "core/digits_to_int.h"
#include "core/message_policy.h"
#include "platform/dialogs.h"
#include "platform/system_actions.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <limits>

using schedule::SystemAction;

CountdownController::CountdownController(const AutoWindowsActionsControls& controls, platform::SystemActions& actions,
                                         MessagePolicy& policy)
    : m_c(controls), m_actions(actions), m_policy(policy) {}

bool CountdownController::counting() const {
    return m_c.Countdown->isActive();
}

void CountdownController::Button29Click() {
    if (counting())
        stopCountdown();
    else
        startCountdown();
}

void CountdownController::startCountdown() {
    const int minutes = DigitsToInt(m_c.ActMins->text());
    const int hours = DigitsToInt(m_c.ActHours->text());
    m_remaining = schedule::countdownStart(hours, minutes);

    m_c.Countdown->start();
    m_c.ActCountoun->show();
    const int total = schedule::countdownTotalSeconds(hours, minutes);
    m_c.ActCountoun->setRange(0, total);
    m_c.ActCountoun->setValue(total);

    m_c.Label18->hide();
    m_c.ActMins->hide();
    m_c.ActHours->hide();
}

void CountdownController::stopCountdown() {
    m_c.Countdown->stop();
    m_c.ActCountoun->hide();

    // Each write may run the minutes' change reaction; the spin edits clamp into their ranges.
    m_c.ActMins->setValue(m_remaining.minutes);
    m_c.ActHours->setValue(m_remaining.hours);

    m_c.Label18->show();
    m_c.ActMins->show();
    m_c.ActHours->show();
    m_c.Button29->setText(kCountdownStartCaption);
}

void CountdownController::CountdownTimer() {
    if (m_performing || !counting())
        return;
    if (schedule::countdownTick(m_remaining) == schedule::TickResult::Finished) {
        stopCountdown();
        Button28Click();
        return;
    }
    m_c.ActCountoun->setValue(m_c.ActCountoun->value() - 1);
    m_c.Button29->setText(schedule::countdownCaption(m_remaining));
}

void CountdownController::ActMinsChange() {
    const auto hours = schedule::minutesRollover(DigitsToInt(m_c.ActMins->text()), DigitsToInt(m_c.ActHours->text()));
    if (!hours)
        return;
    m_c.ActMins->setValue(0);
    m_c.ActHours->setValue(int(std::min<std::int64_t>(*hours, std::numeric_limits<int>::max())));
}

std::uint32_t CountdownController::selectedFlags() const {
    const std::pair<QRadioButton*, SystemAction> order[] = {
        {m_c.RadioButton8, SystemAction::ShutDown},
        {m_c.RadioButton9, SystemAction::Reboot},
        {m_c.RadioButton10, SystemAction::RestartApplications},
        {m_c.RadioButton11, SystemAction::PowerOff},
        {m_c.RadioButton12, SystemAction::LogOff},
    };
    std::optional<SystemAction> selected;
    for (const auto& [button, action] : order) {
        if (button->isChecked()) {
            selected = action;
            break;
        }
    }
    return schedule::systemActionFlags(selected, m_c.CheckBox20->isChecked());
}

void CountdownController::Button28Click() {
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
