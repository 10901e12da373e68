#pragma once

// The option that decides which tasks the All Task List shows.
struct TaskListOptions {
    bool showHiddenTasks = false; // hidden tasks instead of the visible ones
};
