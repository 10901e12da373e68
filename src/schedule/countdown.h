#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace schedule {

// The shut-down call's flags, with the program's numbers.
enum ExitFlag : std::uint32_t {
    ExitLogOff = 0x00,
    ExitShutdown = 0x01,
    ExitReboot = 0x02,
    ExitForce = 0x04,
    ExitPowerOff = 0x08,
    ExitRestartApps = 0x40,
};

// The radio buttons of the actions, in the order of the tab.
enum class SystemAction { ShutDown, Reboot, RestartApplications, PowerOff, LogOff };

// Flags for the first selected action (none selected means log off), plus force when asked.
std::uint32_t systemActionFlags(std::optional<SystemAction> selected, bool force);

// The remaining time of a running countdown. Values may run past the spin edits' ranges: the
// hours reach -1 on the tick that ends the countdown.
struct CountdownState {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};

CountdownState countdownStart(int hours, int minutes);

// Seconds until the countdown shows zero: the progress bar's maximum. Kept inside int even for
// absurd typed-in hour counts.
int countdownTotalSeconds(int hours, int minutes);

enum class TickResult { Running, Finished };

// One second passes. Finished on the tick after the one that left 0 hours 0 minutes 0 seconds.
TickResult countdownTick(CountdownState& state);

// The caption of the start/stop button while counting.
QString countdownCaption(const CountdownState& state);

// Minutes above 60 roll over into one more hour: the hours to set, or nothing when no roll-over.
std::optional<std::int64_t> minutesRollover(int minutes, int hours);

} // namespace schedule
