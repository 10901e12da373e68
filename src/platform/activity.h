#pragma once

#include "platform/types.h"

#include <QDateTime>
#include <QString>

namespace platform {

// What came of one thing Torvane did to a task, or decided about it.
enum class ActivityResult {
    Ended,            // the window was asked to close and its process to end
    CloseRequestOnly, // the owner was unknown: only the window was asked to close
    AlreadyGone,      // the window had gone or changed hands: nothing was touched
    RefusedOwnTask,   // a window of Torvane itself: nothing was touched
    Remembered,       // a decision about the task was remembered (`decision` says which)
    ListChanged,      // a list was changed for the task's title (`decision` says how)
};

// One entry of the activity log. Titles and executables are kept escaped (see escapedForLog), so no
// entry carries control characters into a terminal, the journal or the History window.
struct ActivityEntry {
    QDateTime time{};
    QString title{};
    ProcessId pid = 0;  // 0 when unknown
    QString executable{}; // empty when unknown
    QString reason{};   // the kill-list entry or the path that acted: "kill list entry \"Game\"", "protection", ...
    ActivityResult result = ActivityResult::Ended;
    QString decision{}; // for Remembered and ListChanged

    // "ended", "close request only", "already gone", "refused: Torvane itself", "remembered: ...",
    // "list changed: ...".
    QString resultText() const {
        switch (result) {
        case ActivityResult::Ended:
            return QStringLiteral("ended");
        case ActivityResult::CloseRequestOnly:
            return QStringLiteral("close request only");
        case ActivityResult::AlreadyGone:
            return QStringLiteral("already gone");
        case ActivityResult::RefusedOwnTask:
            return QStringLiteral("refused: Torvane itself");
        case ActivityResult::Remembered:
            return QStringLiteral("remembered: ") + decision;
        case ActivityResult::ListChanged:
            return QStringLiteral("list changed: ") + decision;
        }
        return {};
    }
    // Whether Torvane ended the task or asked it to close.
    bool endedOrAskedToClose() const {
        return result == ActivityResult::Ended || result == ActivityResult::CloseRequestOnly;
    }
    friend bool operator==(const ActivityEntry&, const ActivityEntry&) = default;
};

// Where entries go: the journal, the bounded file, the bus.
class ActivitySink {
public:
    virtual ~ActivitySink() = default;
    virtual void write(const ActivityEntry& entry) = 0;
};

} // namespace platform
