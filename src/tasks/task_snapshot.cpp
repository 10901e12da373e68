#include "tasks/task_snapshot.h"

#include "platform/processes.h"

void appendTasks(const std::vector<platform::WindowInfo>& windows, bool visible, TaskList& target) {
    for (const platform::WindowInfo& w : windows) {
        if (w.title.isEmpty() || w.visible != visible)
            continue;
        // A title ends at its first zero character, as a C string read back would.
        QString title = w.title.left(kMaxTitleLength);
        const qsizetype zero = title.indexOf(QChar(u'\0'));
        if (zero == 0)
            continue;
        if (zero > 0)
            title.truncate(zero);
        target.push_back(TaskEntry{title, w.handle});
    }
}

void ListVisibleTasks(platform::WindowSystem& windows, TaskList& target) {
    appendTasks(windows.topLevelWindows(), true, target);
}

void ListHiddenTasks(platform::WindowSystem& windows, TaskList& target) {
    appendTasks(windows.topLevelWindows(), false, target);
}

void ListAllTasks(platform::WindowSystem& windows, TaskList& target) {
    const auto all = windows.topLevelWindows();
    appendTasks(all, false, target);
    appendTasks(all, true, target);
}

platform::WindowOwner windowOwner(platform::WindowHandle window, platform::WindowSystem& windows,
                                  platform::Processes& processes) {
    const platform::ProcessId pid = windows.windowProcessId(window);
    return platform::WindowOwner{pid, processes.identify(pid)};
}

void noteOwners(TaskList& tasks, platform::WindowSystem& windows, platform::Processes& processes) {
    for (TaskEntry& task : tasks)
        task.owner = windowOwner(task.handle, windows, processes);
}
