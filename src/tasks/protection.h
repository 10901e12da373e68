#pragma once

#include "core/main_form.h"
#include "platform/types.h"
#include "tasks/recognition_options.h"
#include "tasks/safe_list_lookups.h"

#include <exception>
#include <functional>
#include <vector>

class MessagePolicy;
class TaskActions;
struct SharedValues;

namespace platform {
class WindowSystem;
struct WindowInfo;
} // namespace platform

// What the protection cycle needs from the "Task Action" window and the other subsystems it meets.
struct ProtectionLinks {
    std::function<bool()> actionWindowVisible;
    std::function<void()> showActionWindow;  // shows it; showing prepares it for ActionTaskName
    std::function<void()> startOnShow;       // prepares it without showing it
    std::function<void()> performRepeatLast; // performs the repeated choice without showing it
    std::function<void()> processInvestigatorRequest;
    std::function<void()> silentMode1Click;
};

// The protection cycle: every half second the caption, the decisions of the Task Action window,
// the snapshots, the kill list (enforced even while protection is off), and with protection on
// the new tasks and the memory warning.
class Protection {
public:
    Protection(MainForm& form, SharedValues& values, platform::WindowSystem& windows, MessagePolicy& policy,
               TaskActions& actions);

    ProtectionLinks links;

    void Timer3Timer();
    void ShowS();
    void Button20Click();
    void WarnIfTaskUsesOver1Click();
    void CheckBox10Click();
    void AskAboutTask();
    // Windows that just appeared, were mapped or changed their title meet the kill list at once,
    // between ticks; everything else about them waits for the tick.
    void WindowsChanged(const std::vector<platform::WindowInfo>& windows);

    bool protectionOn() const;

private:
    void ProtectionTick();
    void statusCaption();
    void applyDecision(const RecognitionOptions& options);
    void takeSnapshots();
    void followRenamedTasks(const RecognitionOptions& options);
    void enforceKillList(const TaskList& tasks, const RecognitionOptions& options, std::exception_ptr& failure);
    void killNewTasksSilently(const RecognitionOptions& options);
    void askAboutNewTasks(const RecognitionOptions& options);
    void warnAboutMemory(const RecognitionOptions& options);
    bool usesOver(platform::WindowHandle window, std::int32_t limitMB);
    bool actionWindowVisible() const;
    void kill(platform::WindowHandle window);
    bool killedThisTick(platform::WindowHandle window) const;
    int findInSafeList(const QString& name, LookupHandle handle, const RecognitionOptions& options);
    void confirm(const QString& title, const QString& text);
    void updateProtectionControls();

    MainForm& m_form;
    SharedValues& m_values;
    platform::WindowSystem& m_windows;
    MessagePolicy& m_policy;
    TaskActions& m_actions;
    bool m_inTick = false;
    SafeListLookups m_safeLookups;
    // Windows killed earlier in the running tick: they are gone, so nothing may ask about them.
    std::vector<platform::WindowHandle> m_killedThisTick;
};
