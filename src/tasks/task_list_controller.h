#pragma once

#include "core/task_list.h"
#include "tasks/task_controls.h"
#include "tasks/task_list_options.h"

class MessagePolicy;

namespace platform {
class Processes;
class WindowSystem;
} // namespace platform

// The All Task List: refreshing it with the selection kept, switching it between visible and
// hidden tasks, and the mirrored "treat non-hidden tasks as hidden" option.
class TaskListController {
public:
    TaskListController(const TaskListControls& controls, const TaskListOptions& options,
                       platform::WindowSystem& windows, platform::Processes& processes, MessagePolicy& policy);

    void onRefreshTasksTriggered();
    void onShowHiddenTasksTriggered();
    void onTreatAsHiddenTriggered();
    void onTreatShownAsHiddenToggled();

    // Fills the All Task List at start-up.
    void fillAllTaskList();

private:
    // Fills `target` anew with the visible or the hidden tasks, each with its owner noted.
    void snapshotInto(TaskList& target, bool hidden);

    TaskListControls m_controls;
    const TaskListOptions& m_options;
    TaskList m_refreshSnapshot; // the refresh's snapshot, kept between refreshes
    platform::WindowSystem& m_windows;
    platform::Processes& m_processes;
    MessagePolicy& m_policy;
};
