#pragma once

#include "core/shared_values.h"
#include "core/task_list.h"
#include "tasks/protection_peers.h"
#include "temperature/temperature_options.h"

#include <functional>

class QCheckBox;
class TaskListView;
class TaskActions;
class TemperatureHistory;
class TemperatureInvestigator;

namespace platform {
class WindowSystem;
}

// What the over-temperature reactions reach in other subsystems. A missing hook (or a hook that
// gives no check box) leaves that part of the reaction out.
struct TemperatureReactionHooks {
    // "Kill All Outside Safe List" exactly as its button does it, question included.
    std::function<void(const QString& reason)> killAllOutsideSafeList;
    // "Free all consumed".
    std::function<void()> freeAllConsumed;
    // The check box that switches the automatic public-address retrieval on; unchecking it stops
    // the retrieval through the box's own click reaction.
    std::function<QCheckBox*()> automaticRetrieval;
    // "Optimize and free every"; unchecking it stops the periodic optimization the same way.
    std::function<QCheckBox*()> optimizeFreeEvery;
    // The Kill List, where the investigator's "add to the Kill List" puts its tasks.
    TaskListView* killList = nullptr;
};

// The reactions to the sampled temperatures: the over-temperature check, the detection of
// temperature jumps with the investigator, and the investigator's requests.
class TemperatureReactions : public InvestigatorRequests {
public:
    TemperatureReactions(SharedValues& values, const TemperatureOptions& options, const TemperatureHistory& history,
                         platform::WindowSystem& windows, TaskActions& taskActions, TemperatureReactionHooks hooks,
                         TemperatureInvestigator& investigator);

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

private:
    void runOverheatReactions();
    void reportRise(double rise);

    Lists m_lists;
    SharedValues& m_values;
    const TemperatureOptions& m_options;
    const TemperatureHistory& m_history;
    platform::WindowSystem& m_windows;
    TaskActions& m_taskActions;
    TemperatureReactionHooks m_hooks;
    TemperatureInvestigator& m_investigator;
    bool m_overheatLatch = false;
    // "Kill All Outside Safe List" may ask a question while this check keeps firing.
    bool m_reacting = false;
};
