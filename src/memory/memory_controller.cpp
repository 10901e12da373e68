#include "memory/memory_controller.h"

#include "core/shared_values.h"
#include "memory/graph_image.h"
#include "memory/memory_graph_painter.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <algorithm>
#include <limits>

namespace {

std::int64_t bytes(std::uint64_t value) {
    return static_cast<std::int64_t>(std::min<std::uint64_t>(value, std::numeric_limits<std::int64_t>::max()));
}

MemorySample toSample(const platform::MemoryStatus& r) {
    return {bytes(r.totalPhys),     bytes(r.availPhys),    bytes(r.totalPageFile),
            bytes(r.availPageFile), bytes(r.totalVirtual), bytes(r.availVirtual)};
}

void setValue(QProgressBar* bar, int value) {
    if (bar->value() != value)
        bar->setValue(value);
}

void setText(QLabel* label, const QString& text) {
    if (label->text() != text)
        label->setText(text);
}

} // namespace

void setBarColor(QProgressBar* bar, const QColor& color) {
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Highlight, color);
    bar->setPalette(palette);
}

QColor barColorOf(const QProgressBar* bar) {
    return bar->palette().color(QPalette::Highlight);
}

MemoryController::MemoryController(const MemoryStatusControls& controls, platform::MemoryInfo& memory,
                                   SharedValues& values, std::function<bool()> graphShown)
    : m_c(controls), m_memory(memory), m_values(values), m_graphShown(std::move(graphShown)) {}

QColor MemoryController::barColor(FreeMemColor color) {
    switch (color) {
    case FreeMemColor::Red:
        return QColor(255, 0, 0);
    case FreeMemColor::Yellow:
        return QColor(255, 255, 0);
    case FreeMemColor::HotLight:
        break;
    }
    return hotLightColor();
}

std::function<bool()> MemoryController::graphShownWhen(const QTabWidget* pages, const QWidget* page,
                                                       const QAction* collapse) {
    return [pages, page, collapse] {
        return pages && pages->currentWidget() == page && !(collapse && collapse->isChecked());
    };
}

platform::MemoryStatus MemoryController::SampleMemory() {
    const platform::MemoryStatus r = m_memory.globalMemoryStatus();
    m_history.record(bytes(r.totalPhys), bytes(r.availPhys));
    if (m_graphShown && m_graphShown())
        drawMemoryGraph();
    return r;
}

void MemoryController::sampleAndShow() {
    const platform::MemoryStatus r = SampleMemory();
    const MemoryGauges gauges = computeGauges(toSample(r));
    showGauges(gauges);
    m_values.FreeMemPercent = gauges.FreeMemPercent;
}

void MemoryController::showGauges(const MemoryGauges& g) {
    if (!m_colorSet || g.freeMemColor != m_freeColor) {
        setBarColor(m_c.freePhysicalGauge, barColor(g.freeMemColor));
        m_freeColor = g.freeMemColor;
        m_colorSet = true;
    }
    setValue(m_c.freePhysicalGauge, g.freePhysicalGauge);
    setValue(m_c.usedPhysicalGauge, g.usedPhysicalGauge);
    setValue(m_c.usedPagingGauge, g.usedPagingGauge);
    setValue(m_c.usedVirtualGauge, g.usedVirtualGauge);
    setText(m_c.usedPhysicalLabel, g.usedPhysicalLabel);
    setText(m_c.freePhysicalLabel, g.freePhysicalLabel);
    setText(m_c.usedPagingLabel, g.usedPagingLabel);
    setText(m_c.usedVirtualLabel, g.usedVirtualLabel);
}

void MemoryController::drawMemoryGraph() {
    QImage& canvas = m_c.memoryGraphImage->canvas();
    layoutMemoryGraph(m_history, canvas.size(), m_layout);
    paintMemoryGraph(canvas, m_layout, hotLightColor());
    m_c.memoryGraphImage->present();
}
