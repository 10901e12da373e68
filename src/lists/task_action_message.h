#pragma once

#include <QString>
#include <cstdint>

// The texts of the "Task Action" window, composed from what is known about the task at hand.

inline const QString kSelectedByUserReason = QStringLiteral("Selected by the user running task");
inline const QString kNotFoundHeading = QStringLiteral("Not found");

// The name of the action a choice-file code stands for; "Nothing" for 0 and every other value.
QString ActionName(int choiceCode);

// "less than 1 Mega Byte" below one megabyte, else the rounded megabytes and " Mega Bytes".
QString memoryText(std::uint64_t bytes);

// The heading: the reason when there is one, otherwise whether the task's memory stays within
// the limit (compared unrounded).
// Whether the task is asked about for its memory: it uses more than the warning's limit.
bool usesTooMuchMemory(std::uint64_t bytes, std::int32_t memoryLimitMB);
QString taskHeading(std::uint64_t bytes, std::int32_t memoryLimitMB, const QString& reason);

struct TaskFacts {
    QString name;
    QString reason; // empty unless the user opened the window by hand
    bool visible = false;
    std::uint64_t bytes = 0;
    int mine = 0;  // choice-file code most performed by the user
    int cloud = 0; // the same for all cloud users
};

// The message for a task that can be asked about; lines are joined by LF CR.
QString taskMessage(const TaskFacts& facts);

// The message shown when the window was given no task name or no window.
QString notFoundMessage(const QString& name);

// Whether the one-second counter has run past the repeat period given by the seconds box. An
// empty box, or one that does not hold a whole number (the user may be typing), sets no period;
// the counter only ends a repeat then when it is about to overflow.
bool repeatPeriodOver(const QString& secondsText, std::int32_t repeatSeconds);

// A message as the rich-text view shows it: each LF CR join becomes one line break.
QString displayText(const QString& message);
