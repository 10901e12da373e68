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
#include <QSignalBlocker>
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

ConsumeController::ConsumeController(const ConsumeControls& controls, platform::MemoryInfo& memory,
                                     SharedValues& values, MessagePolicy& policy, QAction* OptimizeFreeEvery1,
                                     HeapAllocator& heap)
    : m_c(controls), m_memory(memory), m_values(values), m_policy(policy), m_optimizeFreeEvery1(OptimizeFreeEvery1),
      m_blocks(heap), m_gauge(controls.Gauge1) {}

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
    const std::int64_t cap = safetyCapBytes(m_c.SpinEdit6->text());
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
    const std::int64_t cap = safetyCapBytes(m_c.SpinEdit6->text());
    if (!rewriteAllowed(status().available, cap, consumeTarget()))
        return;
    m_gauge.setMaximum(consumeTarget());
    m_gauge.showAtZero();
    m_blocks.rewrite([this](std::int64_t written) { m_gauge.setValue(written); });
    m_gauge.hide();
}

void ConsumeController::setRewriteControlsVisible(bool visible) {
    for (QWidget* w : {static_cast<QWidget*>(m_c.Button18), static_cast<QWidget*>(m_c.CheckBox3),
                       static_cast<QWidget*>(m_c.SpinEdit4), static_cast<QWidget*>(m_c.RewriteMinutesLabel)})
        w->setVisible(visible);
}

void ConsumeController::showConsumedState() {
    for (SpinEdit* field : {m_c.SpinEdit1, m_c.SpinEdit2, m_c.SpinEdit3})
        field->setEnabled(false);
    m_c.Button17->setText(QStringLiteral("Free"));
    setRewriteControlsVisible(true);
    RewriteMinutes = 0;
}

void ConsumeController::Free1Click() {
    FreeConsumed();
    for (SpinEdit* field : {m_c.SpinEdit1, m_c.SpinEdit2, m_c.SpinEdit3})
        field->setEnabled(true);
    m_c.Button17->setText(QStringLiteral("GO"));
    consumeTarget() = 0;
    setRewriteControlsVisible(false);
}

void ConsumeController::Button17Click() {
    if (consumeTarget() != 0) {
        Free1Click();
        return;
    }
    if (const auto target = manualTarget(m_c.SpinEdit1->text(), m_c.SpinEdit2->text(), m_c.SpinEdit3->text()))
        consumeTarget() = *target;
    if (consumeTarget() > 0) {
        ConsumeMemory();
        showConsumedState();
    }
}

void ConsumeController::Button18Click() {
    RewriteConsumed();
}

QuickChoice ConsumeController::selectedChoice() const {
    if (m_c.RadioButton1->isChecked())
        return QuickChoice::OneThirdRemainsFree;
    if (m_c.RadioButton2->isChecked())
        return QuickChoice::HalfRemainsFree;
    if (m_c.RadioButton3->isChecked())
        return QuickChoice::ThirdOfFree;
    if (m_c.RadioButton4->isChecked())
        return QuickChoice::HalfOfFree;
    if (m_c.RadioButton5->isChecked())
        return QuickChoice::ExtraMegaBytes;
    return QuickChoice::None;
}

void ConsumeController::QuickConsume() {
    const Status s = status();
    const QuickConsumeInput in{s.total, s.available, m_blocks.held(), consumeTarget(), m_c.SpinEdit5->text()};
    const std::int64_t q = quickConsumeTarget(selectedChoice(), in);
    if (q <= 0) {
        Free1Click();
        return;
    }
    FreeConsumed();
    consumeTarget() = q;
    ConsumeMemory();
    m_c.SpinEdit1->setValue(1024);
    m_c.SpinEdit2->setValue(1024);
    m_c.SpinEdit3->setValue(roundedMebibytes(q));
    showConsumedState();
}

void ConsumeController::Consumeto66Click() {
    m_c.RadioButton1->setChecked(true);
    QuickConsume();
}

void ConsumeController::Consumeto50Click() {
    m_c.RadioButton2->setChecked(true);
    QuickConsume();
}

void ConsumeController::Consume50ofavailable1Click() {
    m_c.RadioButton3->setChecked(true);
    QuickConsume();
}

void ConsumeController::Consume33ofavailable1Click() {
    m_c.RadioButton4->setChecked(true);
    QuickConsume();
}

void ConsumeController::OptimizeAndFree() {
    BusyScope busy(m_busy);
    const std::int64_t a = optimizeAmount(status().available, m_c.SpinEdit6->text());
    if (a <= 0)
        return;
    if (consumeTarget() > 0)
        Free1Click();
    consumeTarget() += a;
    ConsumeMemory();
    FreeConsumed();
    // Everything is released again: a rest of the target would inflate the next "GO" or quick
    // consume, and would turn "GO" into "Free".
    consumeTarget() = 0;
}

void ConsumeController::Timer4Timer() {
    if (m_busy)
        return;
    if (m_c.CheckBox3->isChecked() && !m_c.CheckBox3->isHidden()) {
        ++RewriteMinutes;
        const QString minutes = m_c.SpinEdit4->text();
        if (!minutes.isEmpty() && RewriteMinutes >= DigitsToInt(minutes)) {
            RewriteMinutes = 0;
            RewriteConsumed();
        }
    }
    if (m_c.CheckBox12->isChecked()) {
        ++OptimizeMinutes;
        const QString minutes = m_c.SpinEdit11->text();
        if (!minutes.isEmpty() && OptimizeMinutes >= DigitsToInt(minutes)) {
            OptimizeMinutes = 0;
            OptimizeAndFree();
        }
    }
}

void ConsumeController::CheckBox12Click() {
    if (m_c.CheckBox12->isChecked()) {
        Free1Click();
        OptimizeMinutes = 0;
    }
    if (m_optimizeFreeEvery1)
        m_optimizeFreeEvery1->setChecked(m_c.CheckBox12->isChecked());
}

void ConsumeController::OptimizeFreeEvery1Click() {
    const bool checked = !(m_optimizeFreeEvery1 && m_optimizeFreeEvery1->isChecked());
    {
        // The box's own reaction would run here as well; it runs once, below.
        const QSignalBlocker blocker(m_c.CheckBox12);
        m_c.CheckBox12->setChecked(checked);
    }
    CheckBox12Click();
}

void ConsumeController::SpinEdit11Change() {
    if (m_optimizeFreeEvery1)
        m_optimizeFreeEvery1->setText(QStringLiteral("Optimize and free every ") +
                                      QString::number(DigitsToInt(m_c.SpinEdit11->text())) +
                                      QStringLiteral(" minutes"));
}

void ConsumeController::SpinEdit5Change() {
    const QString text = m_c.SpinEdit5->text();
    if (!extraMegaBytes(text))
        return;
    if (const auto reset = extraMegaBytesReset(text, status().total))
        m_c.SpinEdit5->setValue(*reset);
}
