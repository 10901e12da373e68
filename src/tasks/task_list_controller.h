#pragma once

#include "core/main_form.h"

class MessagePolicy;

namespace platform {
class WindowSystem;
}

// The All Task List: refreshing it with the selection kept, switching it between visible and
// hidden tasks, and the mirrored "treat non-hidden tasks as hidden" option.
class TaskListController {
public:
    TaskListController(MainForm& form, platform::WindowSystem& windows, MessagePolicy& policy);

    void RefreshTasks1Click();
    void ShowHiddenTasksClick();
    void TreatAsHidden1Click();
    void CheckBox1Click();

    // Fills the All Task List at start-up.
    void fillAllTaskList();

private:
    void snapshotInto(TaskList& target, bool hidden);

    MainForm& m_form;
    platform::WindowSystem& m_windows;
    MessagePolicy& m_policy;
};
