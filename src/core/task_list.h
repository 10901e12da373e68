#pragma once

#include "platform/types.h"

#include <QString>
#include <vector>

// A task: a titled top-level window. Entries that did not come from an enumeration carry handle 0.
struct TaskEntry {
    QString title;
    platform::WindowHandle handle = 0;

    bool operator==(const TaskEntry&) const = default;
};

// An ordered list of tasks that allows duplicates; the one list type of the program.
using TaskList = std::vector<TaskEntry>;

// Where an entry goes in a case-insensitively sorted list: after every entry that sorts equal.
std::size_t sortedInsertPosition(const TaskList& list, const QString& title);
