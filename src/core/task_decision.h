#pragma once

#include <QString>
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

// The button's text for a decision, as the activity log names it.
inline QString decisionName(ActionDecision decision) {
    switch (decision) {
    case ActionDecision::KillTask:
        return QStringLiteral("Kill Task");
    case ActionDecision::AddToSafeList:
        return QStringLiteral("Add to Safe List");
    case ActionDecision::AddToKillList:
        return QStringLiteral("Add to Kill List");
    case ActionDecision::AllowToRun:
        return QStringLiteral("Allow to Run");
    case ActionDecision::Ignore:
        return QStringLiteral("Ignore");
    case ActionDecision::None:
        break;
    }
    return QStringLiteral("none");
}

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
