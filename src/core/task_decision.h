#pragma once

#include <cstdint>

// What the "Task Action" window decided about the task it asked for; the next protection tick
// applies it. Kill Task acts at once, so the tick only clears the hand-over for it. The values
// 1 to 4 are also the task's choice-file codes; Ignore counts as choice-file code 5.
enum class ActionDecision : std::int32_t {
    None = 0,
    KillTask = 1,
    AddToSafeList = 2,
    AddToKillList = 3,
    AllowToRun = 4,
    Ignore = -1,
};

// The last action the user asked to repeat, by the Task Action window button that repeats it.
enum class RepeatAction : std::int32_t {
    None = 0,
    KillTask = 1,
    AllowToRun = 2,
    AddToSafeList = 3,
    AddToKillList = 4,
    Ignore = 5,
    MostlyPerformedByMe = 6,
    MostlyPerformedByCloud = 7,
};
