#pragma once

#include "core/task_list.h"

#include <QString>

// The parts of other subsystems the protection cycle and the list commands call. Each is handed
// over at construction, so every call has a receiver.

// The "Task Action" window, which asks the user what to do with one task.
class ActionWindow {
public:
    virtual bool actionWindowShown() const = 0;
    // Shows it for the task in the hand-over values ActionTask.title / ActionTask.handle.
    virtual void showForActionTask() = 0;
    // Puts the task into those values with the reason, then shows it as above.
    virtual void showFor(const TaskEntry& task, const QString& reason) = 0;
    // Prepares it for the task without showing it.
    virtual void startOnShow() = 0;
    // Performs the repeated choice without showing it.
    virtual void performRepeatLast() = 0;

protected:
    ~ActionWindow() = default;
};

// The temperature investigator's queued request (kill or add a task), served once per tick.
class InvestigatorRequests {
public:
    virtual void ProcessInvestigatorRequest() = 0;

protected:
    ~InvestigatorRequests() = default;
};
