#include "memory/consume_controller.h"

#include "core/digits_to_int.h"
#include "core/message_policy.h"
#include "core/shared_values.h"
#include "platform/dialogs.h"
#include "platform/memory_status.h"
#include "widgets/spin_edit.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Marks an operation as running for as long as the scope lasts.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : m_busy(busy), m_was(busy) { m_busy = true; }
    ~BusyScope() { m_busy = m_was; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& m_busy;
    bool m_was;
};

std::int64_t bytes(std::uint64_t value) {
    return static_cast<std::int64_t>(std::min<std::uint64_t>(value, std::numeric_limits<std::int64_t>::max()));
}

// Round(part / whole × maximum); no movement while there is no whole.
std::int64_t proportion(std::int64_t part, std::int64_t whole, std::int64_t maximum) {
    if (whole <= 0)
        return 0;
    return static_cast<std::int64_t>(std::nearbyint(double(part) / double(whole) * double(maximum)));
}

} // namespace

ConsumeController::ConsumeController(const ConsumeControls& controls, const MemoryOptions& options,
                                     platform::MemoryInfo& memory, SharedValues& values, MessagePolicy& policy,
                                     QAction* periodicOptimizeAction, HeapAllocator& heap)
    : m_c(controls), m_options(options), m_memory(memory), m_values(values), m_policy(policy),
      m_periodicOptimizeAction(periodicOptimizeAction), m_blocks(heap), m_gauge(controls.consumedGauge) {}

ConsumeController::Status ConsumeController::status() const {
    const platform::MemoryStatus s = m_memory.globalMemoryStatus();
    return {bytes(s.totalPhys), bytes(s.availPhys)};
}

std::int64_t& ConsumeController::consumeTarget() {
    return m_values.ConsumeTarget;
}

void ConsumeController::ConsumeMemory() {
    BusyScope busy(m_busy);
    const std::int64_t available = status().available;
    const std::int64_t cap = safetyCapBytes(m_options.safetyCap);
    const std::int64_t wanted = consumeAmount(available, cap, consumeTarget());
    // The heap practically never refuses while the system overcommits; the kernel would end
    // programs instead. What would leave less than the margin is not taken but reported.
    const std::int64_t amount = std::clamp<std::int64_t>(available - m_blocks.heap().safetyMargin(), 0, wanted);
    if (amount < ConsumedBlocks::kMaxConsumption)
        m_gauge.setMaximum(amount);
    m_gauge.showAtZero();
    const std::int64_t shortfall = wanted - amount + m_blocks.consume(amount, [this, amount](std::int64_t consumed) {
        m_gauge.setValue(proportion(consumed, amount, m_gauge.maximum()));
    });
    if (shortfall != 0)
        m_policy.show(BoxKind::SilentGated, shortfallWarning(shortfall), QStringLiteral("Warning"),
                      platform::MbOk | platform::MbIconWarning);
    m_gauge.hide();
}

void ConsumeController::FreeConsumed() {
    BusyScope busy(m_busy);
    const std::int64_t x = freeAmount(status().available, consumeTarget());
    if (x < ConsumedBlocks::kMaxConsumption)
        m_gauge.setMaximum(x);
    m_gauge.showAtZero();
    m_blocks.releaseAll([this, x](std::int64_t freed) { m_gauge.setValue(proportion(freed, x, m_gauge.maximum())); });
    m_gauge.hide();
    consumeTarget() -= x;
}

void ConsumeController::RewriteConsumed() {
    BusyScope busy(m_busy);
    const std::int64_t cap = safetyCapBytes(m_options.safetyCap);
    if (!rewriteAllowed(status().available, cap, consumeTarget()))
        return;
    m_gauge.setMaximum(consumeTarget());
    m_gauge.showAtZero();
    m_blocks.rewrite([this](std::int64_t written) { m_gauge.setValue(written); });
    m_gauge.hide();
}

void ConsumeController::setRewriteControlsVisible(bool visible) {
    m_rewriteControlsShown = visible;
    for (QWidget* w : {static_cast<QWidget*>(m_c.rewriteNowButton), static_cast<QWidget*>(m_c.periodicRewriteCheck),
                       static_cast<QWidget*>(m_c.rewriteIntervalSpin), static_cast<QWidget*>(m_c.rewriteMinutesLabel)})
        w->setVisible(visible);
}

void ConsumeController::showConsumedState() {
    for (SpinEdit* field : {m_c.consumeFirstFactorSpin, m_c.consumeSecondFactorSpin, m_c.consumeThirdFactorSpin})
        field->setEnabled(false);
    m_c.consumeButton->setText(QStringLiteral("Free"));
    setRewriteControlsVisible(true);
    RewriteMinutes = 0;
}

void ConsumeController::onFreeConsumedTriggered() {
    FreeConsumed();
    for (SpinEdit* field : {m_c.consumeFirstFactorSpin, m_c.consumeSecondFactorSpin, m_c.consumeThirdFactorSpin})
        field->setEnabled(true);
    m_c.consumeButton->setText(QStringLiteral("GO"));
    consumeTarget() = 0;
    setRewriteControlsVisible(false);
}

void ConsumeController::onConsumeClicked() {
    if (consumeTarget() != 0) {
        onFreeConsumedTriggered();
        return;
    }
    if (const auto target =
            manualTarget(m_options.consumeFirstFactor, m_options.consumeSecondFactor, m_options.consumeThirdFactor))
        consumeTarget() = *target;
    if (consumeTarget() > 0) {
        ConsumeMemory();
        showConsumedState();
    }
}

void ConsumeController::onRewriteNowClicked() {
    RewriteConsumed();
}

void ConsumeController::QuickConsume() {
    const Status s = status();
    const QuickConsumeInput in{s.total, s.available, m_blocks.held(), consumeTarget(), m_options.extraMegabytes};
    const std::int64_t q = quickConsumeTarget(m_options.quickChoice, in);
    if (q <= 0) {
        onFreeConsumedTriggered();
        return;
    }
    FreeConsumed();
    consumeTarget() = q;
    ConsumeMemory();
    m_c.consumeFirstFactorSpin->setValue(1024);
    m_c.consumeSecondFactorSpin->setValue(1024);
    m_c.consumeThirdFactorSpin->setValue(roundedMebibytes(q));
    showConsumedState();
}

void ConsumeController::onConsumeToTwoThirdsTriggered() {
    m_c.oneThirdRemainsFreeRadio->setChecked(true);
    QuickConsume();
}

void ConsumeController::onConsumeToHalfTriggered() {
    m_c.halfRemainsFreeRadio->setChecked(true);
    QuickConsume();
}

void ConsumeController::onConsumeHalfOfFreeTriggered() {
    m_c.thirdOfFreeRadio->setChecked(true);
    QuickConsume();
}

void ConsumeController::onConsumeThirdOfFreeTriggered() {
    m_c.halfOfFreeRadio->setChecked(true);
    QuickConsume();
}

void ConsumeController::OptimizeAndFree() {
    BusyScope busy(m_busy);
    const std::int64_t a = optimizeAmount(status().available, m_options.safetyCap);
    if (a <= 0)
        return;
    if (consumeTarget() > 0)
        onFreeConsumedTriggered();
    consumeTarget() += a;
    ConsumeMemory();
    FreeConsumed();
    // Everything is released again: a rest of the target would inflate the next "GO" or quick
    // consume, and would turn "GO" into "Free".
    consumeTarget() = 0;
}

void ConsumeController::onMinuteTick() {
    if (m_busy)
        return;
    if (m_options.periodicRewrite && m_rewriteControlsShown) {
        ++RewriteMinutes;
        const QString& minutes = m_options.rewriteInterval;
        if (!minutes.isEmpty() && RewriteMinutes >= DigitsToInt(minutes)) {
            RewriteMinutes = 0;
            RewriteConsumed();
        }
    }
    if (m_options.periodicOptimize) {
        ++OptimizeMinutes;
        const QString& minutes = m_options.optimizeInterval;
        if (!minutes.isEmpty() && OptimizeMinutes >= DigitsToInt(minutes)) {
            OptimizeMinutes = 0;
            OptimizeAndFree();
        }
    }
}

void ConsumeController::onPeriodicOptimizeToggled() {
    if (m_options.periodicOptimize) {
        onFreeConsumedTriggered();
        OptimizeMinutes = 0;
    }
    if (m_periodicOptimizeAction)
        m_periodicOptimizeAction->setChecked(m_options.periodicOptimize);
}

void ConsumeController::onPeriodicOptimizeTriggered() {
    const bool checked = !(m_periodicOptimizeAction && m_periodicOptimizeAction->isChecked());
    // Setting the box runs its own reaction; a box already in that state brings only the item back in line.
    if (m_options.periodicOptimize == checked)
        onPeriodicOptimizeToggled();
    else
        m_c.periodicOptimizeCheck->setChecked(checked);
}

void ConsumeController::onOptimizeIntervalChanged() {
    if (m_periodicOptimizeAction)
        m_periodicOptimizeAction->setText(QStringLiteral("Optimize and free every ") +
                                          QString::number(DigitsToInt(m_options.optimizeInterval)) +
                                          QStringLiteral(" minutes"));
}

void ConsumeController::onExtraMegabytesChanged() {
    const QString text = m_options.extraMegabytes;
    if (!extraMegaBytes(text))
        return;
    if (const auto reset = extraMegaBytesReset(text, status().total))
        m_c.extraMegabytesSpin->setValue(*reset);
}
