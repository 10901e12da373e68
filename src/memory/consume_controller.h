#pragma once

#include "memory/consume_math.h"
#include "memory/consumed_blocks.h"
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
// released. Options are read from the tab's controls when needed; the target lives in
// SharedValues::ConsumeTarget.
class ConsumeController {
public:
    // `OptimizeFreeEvery1` is the main menu item that mirrors CheckBox12 and shows its minutes.
    ConsumeController(const ConsumeControls& controls, platform::MemoryInfo& memory, SharedValues& values,
                      MessagePolicy& policy, QAction* OptimizeFreeEvery1, HeapAllocator& heap);

    void ConsumeMemory();
    void FreeConsumed();
    void RewriteConsumed();

    void Free1Click();    // "Free all consumed"
    void Button17Click(); // "GO" / "Free"
    void Button18Click(); // "Rewrite Now"
    void Button19Click() { QuickConsume(); }
    void Button27Click() { OptimizeAndFree(); }
    void Optimizeandfreenow1Click() { OptimizeAndFree(); }
    void QuickConsume();
    void OptimizeAndFree();
    void Consumeto66Click();
    void Consumeto50Click();
    void Consume50ofavailable1Click();
    void Consume33ofavailable1Click();

    void Timer4Timer();
    void CheckBox12Click();
    void OptimizeFreeEvery1Click();
    void SpinEdit11Change();
    void SpinEdit5Change();

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
    QuickChoice selectedChoice() const;
    void showConsumedState();
    void setRewriteControlsVisible(bool visible);

    ConsumeControls m_c;
    platform::MemoryInfo& m_memory;
    SharedValues& m_values;
    MessagePolicy& m_policy;
    QAction* m_optimizeFreeEvery1;
    ConsumedBlocks m_blocks;
    ProgressGauge m_gauge;
    int RewriteMinutes = 0;
    int OptimizeMinutes = 0;
    // Set while an operation runs; the warning's modal box lets Timer4 fire meanwhile.
    bool m_busy = false;
};
