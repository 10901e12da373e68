#include "schedule/countdown.h"

#include <algorithm>
#include <limits>

namespace schedule {

std::uint32_t systemActionFlags(std::optional<SystemAction> selected, bool force) {
    std::uint32_t flags = ExitLogOff;
    if (selected) {
        switch (*selected) {
        case SystemAction::ShutDown:
            flags = ExitShutdown;
            break;
        case SystemAction::Reboot:
            flags = ExitReboot;
            break;
        case SystemAction::RestartApplications:
            flags = ExitRestartApps;
            break;
        case SystemAction::PowerOff:
            flags = ExitPowerOff;
            break;
        case SystemAction::LogOff:
            flags = ExitLogOff;
            break;
        }
    }
    return force ? flags + ExitForce : flags;
}

CountdownState countdownStart(int hours, int minutes) {
    return CountdownState{hours, minutes, 0};
}

int countdownTotalSeconds(int hours, int minutes) {
    const std::int64_t total = std::int64_t(minutes) * 60 + std::int64_t(hours) * 3600;
    return int(std::clamp<std::int64_t>(total, 0, std::numeric_limits<int>::max()));
}

TickResult countdownTick(CountdownState& state) {
    if (--state.seconds < 0) {
        state.seconds = 59;
        --state.minutes;
    }
    if (state.minutes < 0) {
        state.minutes = 59;
        --state.hours;
    }
    return state.hours < 0 ? TickResult::Finished : TickResult::Running;
}

QString countdownCaption(const CountdownState& state) {
    return QStringLiteral("Stop Countdown: ") + QString::number(state.hours) + QStringLiteral(" hours  ") +
           QString::number(state.minutes) + QStringLiteral(" minutes  ") + QString::number(state.seconds) +
           QStringLiteral(" seconds  ");
}

std::optional<std::int64_t> minutesRollover(int minutes, int hours) {
    if (minutes > 60)
        return std::int64_t(hours) + 1;
    return std::nullopt;
}

} // namespace schedule
