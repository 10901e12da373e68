#pragma once

#include "platform/types.h"

#include <QString>
#include <optional>
#include <utility>
#include <vector>

// A task: a titled top-level window. Entries that did not come from an enumeration carry handle 0.
struct TaskEntry {
    TaskEntry() = default;
    TaskEntry(QString title, platform::WindowHandle handle = 0) : title(std::move(title)), handle(handle) {}

    QString title;
    platform::WindowHandle handle = 0;
    // Who owned the window when the entry was taken from the desktop, so that an action decided on
    // later strikes that process or nothing; unset for entries from the list file or a snapshot
    // nobody acts on later.
    std::optional<platform::WindowOwner> owner;

    // Entries are the same task by title and window; the owner is what was known about it.
    bool operator==(const TaskEntry& other) const { return title == other.title && handle == other.handle; }
};

// An ordered list of tasks that allows duplicates; the one list type of the program.
using TaskList = std::vector<TaskEntry>;

// Where an entry goes in a case-insensitively sorted list: after every entry that sorts equal.
std::size_t sortedInsertPosition(const TaskList& list, const QString& title);
