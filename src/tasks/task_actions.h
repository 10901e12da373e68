#pragma once

#include "core/main_form.h"
#include "platform/types.h"

#include <cstdint>

class MessagePolicy;
class TaskListController;

namespace platform {
class Processes;
class WindowSystem;
} // namespace platform

// What the program does to one task through its window: kill it (close the window, end the
// process that owns it) and read the memory that process uses.
class TaskActions {
public:
    TaskActions(MainForm& form, platform::WindowSystem& windows, platform::Processes& processes, MessagePolicy& policy,
                TaskListController& taskList);

    // Closes the window, ends its process, then refreshes the All Task List.
    void KillTaskWindow(platform::WindowHandle window);
    // The same without the refresh, for callers that refresh once after several kills.
    void killWithoutRefresh(platform::WindowHandle window);
    // False for handle 0 (no query made); otherwise true, with 0 bytes when the process can not be read.
    bool GetTaskMemory(platform::WindowHandle window, std::uint64_t& bytes);

    void KillSelectedTask();
    void ShowSelectedMemory();

private:
    MainForm& m_form;
    platform::WindowSystem& m_windows;
    platform::Processes& m_processes;
    MessagePolicy& m_policy;
    TaskListController& m_taskList;
};

// A byte count in whole megabytes, halves to the even neighbour.
std::int64_t roundedMegabytes(std::uint64_t bytes);
