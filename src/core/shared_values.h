#pragma once

#include "core/task_decision.h"
#include "core/task_list.h"
#include "platform/types.h"

#include <QString>
#include <cstdint>

// Values shared across subsystems that live beside the main window, owned by the composition root.
struct SharedValues {
    QString BaseDir;      // the folder of lists, settings and choice files, with a trailing "/"
    QString HelpDir;      // the folder holding "Help/"; BaseDir when empty
    QString CompanionDir; // the folder holding core-temp; BaseDir when empty
    bool MainWindowShown = true;
    std::int32_t FreeMemPercent = 0;
    std::int32_t CurrentTemp = 0;

    // Hand-over between the protection cycle and the Task Action window.
    // Each task keeps the owner noted when it was taken from the desktop.
    TaskEntry ActionTask;
    TaskEntry DecidedTask;
    ActionDecision TaskDecision = ActionDecision::None;
    RepeatAction RepeatLastAction = RepeatAction::None;
    std::int32_t MemoryLimitMB = 0;

    std::int32_t InvestigatorRequest = 0;
    std::int64_t ConsumeTarget = 0;
};
