#pragma once

#include "memory/consume_math.h"
#include "memory/consumed_blocks.h"
#include "memory/memory_options.h"
#include "memory/progress_gauge.h"
#include "memory/ram_controls.h"

#include <cstdint>

class MessagePolicy;
class QAction;
struct SharedValues;

namespace platform {
class MemoryInfo;
}

// "Optimize and free RAM" and the consumption tools: memory held in the program's own heap until
// released. Options are read when needed; the target lives in SharedValues::ConsumeTarget.
class ConsumeController {
public:
    // `periodicOptimizeAction` is the main menu item that mirrors periodicOptimizeCheck and shows its minutes.
    // `controls` are the ones it shows into or sets; a set control brings its option along.
    ConsumeController(const ConsumeControls& controls, const MemoryOptions& options, platform::MemoryInfo& memory,
                      SharedValues& values, MessagePolicy& policy, QAction* periodicOptimizeAction,
                      HeapAllocator& heap);

    void ConsumeMemory();
    void FreeConsumed();
    void RewriteConsumed();

    void onFreeConsumedTriggered();
    void onConsumeClicked(); // "GO" / "Free"
    void onRewriteNowClicked();
    void onQuickConsumeClicked() { QuickConsume(); }
    void onOptimizeAndFreeClicked() { OptimizeAndFree(); }
    void onOptimizeNowTriggered() { OptimizeAndFree(); }
    void QuickConsume();
    void OptimizeAndFree();
    void onConsumeToTwoThirdsTriggered();
    void onConsumeToHalfTriggered();
    void onConsumeHalfOfFreeTriggered();
    void onConsumeThirdOfFreeTriggered();

    void onMinuteTick();
    void onPeriodicOptimizeToggled();
    void onPeriodicOptimizeTriggered();
    void onOptimizeIntervalChanged();
    void onExtraMegabytesChanged();

    const ConsumedBlocks& blocks() const { return m_blocks; }
    const ProgressGauge& gauge() const { return m_gauge; }
    int rewriteMinutes() const { return RewriteMinutes; }
    int optimizeMinutes() const { return OptimizeMinutes; }

private:
    struct Status {
        std::int64_t total;
        std::int64_t available;
    };
    Status status() const;
    std::int64_t& consumeTarget();
    void showConsumedState();
    void setRewriteControlsVisible(bool visible);

    ConsumeControls m_c;
    const MemoryOptions& m_options;
    platform::MemoryInfo& m_memory;
    SharedValues& m_values;
    MessagePolicy& m_policy;
    QAction* m_periodicOptimizeAction;
    ConsumedBlocks m_blocks;
    ProgressGauge m_gauge;
    int RewriteMinutes = 0;
    int OptimizeMinutes = 0;
    bool m_rewriteControlsShown = false; // only while something is consumed
    // Set while an operation runs; the warning's modal box lets minuteTimer fire meanwhile.
    bool m_busy = false;
};
