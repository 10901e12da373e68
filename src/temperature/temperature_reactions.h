#pragma once

#include "core/shared_values.h"
#include "core/task_list.h"
#include "tasks/protection_peers.h"
#include "temperature/temperature_tab_controls.h"

#include <functional>

class QAction;
class QCheckBox;
class QMenu;
class TaskListView;
class TaskActions;
class TemperatureHistory;
class TemperatureInvestigator;

namespace platform {
class WindowSystem;
}

// The main window's controls the reactions read and set: the Kill List and the temperature menu.
struct TemperatureMenuControls {
    TaskListView* killListView = nullptr;
    QMenu* overheatMenu = nullptr;
    QAction* startCoreTempWithTorvaneAction = nullptr;
    QAction* detectTemperatureChangesAction = nullptr;
    QAction* overheatStopProtectionAction = nullptr;
};

// What the over-temperature reactions reach in other subsystems. A missing hook (or a hook that
// gives no check box) leaves that part of the reaction out.
struct TemperatureReactionHooks {
    // "Kill All Outside Safe List" exactly as its button does it, question included.
    std::function<void()> killAllOutsideSafeList;
    // "Free all consumed".
    std::function<void()> freeAllConsumed;
    // The check box that switches the automatic public-address retrieval on; unchecking it stops
    // the retrieval through the box's own click reaction.
    std::function<QCheckBox*()> automaticRetrieval;
    // "Optimize and free every"; unchecking it stops the periodic optimization the same way.
    std::function<QCheckBox*()> optimizeFreeEvery;
};

// The reactions to the sampled temperatures: the over-temperature check, the detection of
// temperature jumps with the investigator, the investigator's requests, and the tab's options
// that mirror menu items.
class TemperatureReactions : public InvestigatorRequests {
public:
    TemperatureReactions(const TemperatureMenuControls& menu, SharedValues& values, TemperatureControls& controls,
                         const TemperatureHistory& history, platform::WindowSystem& windows, TaskActions& taskActions,
                         TemperatureReactionHooks hooks, TemperatureInvestigator& investigator);

    TemperatureInvestigator& investigator() const { return m_investigator; }

    // The over-temperature part of onRefreshTick, run after the All Task List refresh.
    void overTemperatureCheck();
    bool overheatLatch() const { return m_overheatLatch; }

    // The task snapshots the jump detection compares: the one before and the one at the jump.
    struct Lists {
        TaskList PreviousTempTasks;
        TaskList NowTempTasks;
    };
    Lists& lists() { return m_lists; }

    void DetectTemperatureChange();
    // Run by the protection tick right after the caption update.
    void ProcessInvestigatorRequest() override;

    void onOverheatThresholdChanged();
    void onOverheatShutDownToggled();

    // Mirrored options: a menu item flips its mark and sets its box; a box sets its item's mark.
    void onStartCoreTempWithTorvaneToggled();
    void onStartCoreTempWithTorvaneTriggered();
    void onDetectTemperatureChangesToggled();
    void onDetectTemperatureChangesTriggered();
    void onOverheatStopProtectionToggled();
    void onOverheatStopProtectionTriggered();

private:
    void runOverheatReactions();
    void reportRise(double rise);

    TemperatureMenuControls m_menu;
    Lists m_lists;
    SharedValues& m_values;
    TemperatureControls& m_controls;
    const TemperatureHistory& m_history;
    platform::WindowSystem& m_windows;
    TaskActions& m_taskActions;
    TemperatureReactionHooks m_hooks;
    TemperatureInvestigator& m_investigator;
    bool m_overheatLatch = false;
    // "Kill All Outside Safe List" may ask a question while this check keeps firing.
    bool m_reacting = false;
};
