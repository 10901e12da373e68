#pragma once

#include "core/task_list.h"
#include "platform/window_system.h"

namespace platform {
class Processes;
}

// What the desktop's top-level windows make of a task list. A task is a window with a title;
// entries are appended in stacking order, the top first, and the target list is never cleared.

// A task's title holds at most this many UTF-16 code units; a window's longer title is cut there.
constexpr int kMaxTitleLength = 256;

// Appends the titled windows that are visible.
void ListVisibleTasks(platform::WindowSystem& windows, TaskList& target);
// Appends the titled windows that are not visible.
void ListHiddenTasks(platform::WindowSystem& windows, TaskList& target);
// Appends all tasks, the hidden ones first, from one enumeration so both halves see the same windows.
void ListAllTasks(platform::WindowSystem& windows, TaskList& target);

// The same over windows already enumerated.
void appendTasks(const std::vector<platform::WindowInfo>& windows, bool visible, TaskList& target);

// Who owns the window now: the process id and, while that process lives, its identity.
platform::WindowOwner windowOwner(platform::WindowHandle window, platform::WindowSystem& windows,
                                  platform::Processes& processes);
// Notes the owner of every entry's window, so what is done to an entry later strikes that owner or nothing.
void noteOwners(TaskList& tasks, platform::WindowSystem& windows, platform::Processes& processes);
