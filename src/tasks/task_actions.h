#pragma once

#include "platform/types.h"
#include "tasks/task_controls.h"

#include <cstdint>
#include <optional>

class MessagePolicy;
class QWidget;
class TaskListController;

namespace platform {
class Processes;
class WindowSystem;
} // namespace platform

// What the program does to one task through its window: kill it (close the window, end the
// process that owns it) and read the memory that process uses.
class TaskActions {
public:
    TaskActions(const TaskActionControls& controls, platform::WindowSystem& windows, platform::Processes& processes,
                MessagePolicy& policy, TaskListController& taskList);

    // Closes the window, ends its process, then refreshes the All Task List. A window of this
    // program is left alone (nothing is refreshed either): false then.
    bool KillTaskWindow(platform::WindowHandle window);
    // The same without the refresh, for callers that refresh once after several kills.
    bool killWithoutRefresh(platform::WindowHandle window);
    // Whether the window belongs to this program's own process.
    bool ownedByThisProgram(platform::WindowHandle window);
    // Tells a user who asked to kill one of this program's windows why nothing happened.
    void tellOwnTaskSpared(QWidget* owner = nullptr);
    // False for handle 0 (no query made); otherwise true, with 0 bytes when the process can not be read.
    bool GetTaskMemory(platform::WindowHandle window, std::uint64_t& bytes);

    void KillSelectedTask();
    void ShowSelectedMemory();

private:
    // A window chosen for a kill and the process that owned it at that moment: its id (0 when
    // unknown) and, while that process was alive, its identity.
    struct KillTarget {
        platform::WindowHandle window = 0;
        platform::ProcessId pid = 0;
        std::optional<platform::ProcessIdentity> owner;
    };
    KillTarget resolve(platform::WindowHandle window);
    bool isOwn(const KillTarget& target) const;
    bool isOwnProcess(platform::ProcessId pid) const;
    bool kill(const KillTarget& target);
    bool stillTheSame(const KillTarget& target);

    TaskActionControls m_controls;
    platform::WindowSystem& m_windows;
    platform::Processes& m_processes;
    MessagePolicy& m_policy;
    TaskListController& m_taskList;
};

// A byte count in whole megabytes, halves to the even neighbour.
std::int64_t roundedMegabytes(std::uint64_t bytes);
