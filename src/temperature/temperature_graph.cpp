#include "temperature/temperature_graph.h"

#include "temperature/temperature_text.h"

#include <algorithm>

namespace {

constexpr int kSlots = TemperatureHistory::kSlots;

int validSpan(int graphSpan) {
    return std::clamp(graphSpan, kMinGraphSpan, kSlots);
}

GraphRectangle background(QSize size) {
    return {0, 0, size.width(), size.height(), GraphColor::systemHotLight(), kGraphRed};
}

void addAxisBars(GraphDrawing& drawing) {
    const int w = drawing.size.width();
    const int h = drawing.size.height();
    drawing.items.push_back(GraphRectangle{0, 0, 5, h, kGraphRed, kGraphRed});
    drawing.items.push_back(GraphRectangle{0, h - 5, w, h, kGraphRed, kGraphRed});
}

} // namespace

int zoomIn(int graphSpan) {
    return std::max(kMinGraphSpan, graphSpan - kGraphSpanStep);
}

int zoomOut(int graphSpan) {
    return std::min(kDefaultGraphSpan, graphSpan + kGraphSpanStep);
}

GraphColor CoreColors::colorOfButton(int ni) const {
    if (ni < 1 || ni > TemperatureHistory::kCores)
        return kGraphBlack;
    return m_colors[ni - 1];
}

void CoreColors::setColor(int ni, GraphColor color) {
    if (ni >= 1 && ni <= TemperatureHistory::kCores)
        m_colors[ni - 1] = color;
}

std::vector<int> plotSlots(int tempIndex, int graphSpan) {
    const int span = validSpan(graphSpan);
    // The walk starts at the newest sample for the full span, then runs from the oldest onwards; this
    // ring order is what users of the graph know. Before the first sample (index 0) slot 0 does not
    // exist, so the walk starts at the last slot instead.
    int slot = tempIndex + kSlots - span;
    if (slot > kSlots)
        slot -= kSlots;
    if (slot < 1)
        slot += kSlots;
    std::vector<int> walk;
    walk.reserve(span);
    for (int p = 0; p < span; ++p) {
        walk.push_back(slot);
        slot = slot >= kSlots ? 1 : slot + 1;
    }
    return walk;
}

QList<QPoint> plotSeries(const std::function<float(int slot)>& series, int tempIndex, int graphSpan, float peakTemp,
                         QSize size) {
    const int w = size.width();
    const int h = size.height();
    const int span = validSpan(graphSpan);
    const double scale = static_cast<double>(peakTemp) + 1.0;
    QList<QPoint> points;
    points.reserve(span + 1);
    points.append(QPoint(0, h));
    int p = 0;
    for (int slot : plotSlots(tempIndex, span)) {
        const int x = roundHalfEven(static_cast<double>(w) / span * p);
        const int y = h - roundHalfEven(static_cast<double>(series(slot)) / scale * (h - 20));
        points.append(QPoint(x, y));
        ++p;
    }
    return points;
}

GraphDrawing computeAverageGraph(const TemperatureHistory& history, int graphSpan, QSize size, const QLocale& locale) {
    GraphDrawing drawing{size, {}};
    const int w = size.width();
    const int index = history.TempIndex();
    const float peak = history.PeakTemp();
    drawing.items.push_back(background(size));

    drawing.items.push_back(GraphPolyline{
        kGraphYellow, plotSeries([&](int slot) { return history.AverageTemp(slot); }, index, graphSpan, peak, size)});
    drawing.items.push_back(GraphLabel{QPoint(w - 85, 20),
                                       temperatureText(history.newestAverage(), locale) + QStringLiteral(" C Average"),
                                       kGraphRed, GraphColor::systemHotLight()});

    drawing.items.push_back(GraphPolyline{
        kGraphRed, plotSeries([&](int slot) { return history.BiggestTemp(slot); }, index, graphSpan, peak, size)});
    drawing.items.push_back(GraphLabel{QPoint(w - 85, 5),
                                       temperatureText(history.newestBiggest(), locale) + QStringLiteral(" C Biggest"),
                                       kGraphRed, GraphColor::systemHotLight()});

    addAxisBars(drawing);
    return drawing;
}

GraphDrawing computeCoreGraph(const TemperatureHistory& history, int graphSpan, QSize size, const CoreColors& colors,
                              const QLocale& locale) {
    GraphDrawing drawing{size, {}};
    const int w = size.width();
    const int index = history.TempIndex();
    const float peak = history.PeakTemp();
    drawing.items.push_back(background(size));

    for (int core = 1; core <= TemperatureHistory::kCores; ++core) {
        const GraphColor color = colors.colorOfButton(core);
        drawing.items.push_back(GraphPolyline{
            color, plotSeries([&](int slot) { return history.CoreTemp(core, slot); }, index, graphSpan, peak, size)});
        const float newest = history.newestCoreTemp(core);
        if (newest != 0.0f) {
            const QString text =
                QStringLiteral("Core %1:  ").arg(core) + temperatureText(newest, locale) + QStringLiteral(" C");
            drawing.items.push_back(
                GraphLabel{QPoint(w - 105, 15 * core + 100), text, color, GraphColor::systemHotLight()});
        }
    }

    addAxisBars(drawing);
    return drawing;
}
