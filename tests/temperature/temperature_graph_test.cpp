#include "temperature/temperature_graph.h"
#include "temperature/temperature_graph_painter.h"
#include "temperature/temperature_text.h"

#include <QImage>
#include <gtest/gtest.h>
#include <numeric>

namespace {

std::vector<int> range(int from, int to) {
    std::vector<int> r(to - from + 1);
    std::iota(r.begin(), r.end(), from);
    return r;
}

std::vector<int> concat(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

coretemp::CoreReadings readings(std::initializer_list<float> values) {
    coretemp::CoreReadings r{};
    std::copy(values.begin(), values.end(), r.begin());
    return r;
}

TEST(GraphWalk, SlotsFollowTheRingFromIndexPlus200MinusSpan) {
    const struct {
        int tempIndex;
        int span;
        std::vector<int> expected;
    } cases[] = {
        {50, 10, range(40, 49)},
        {5, 200, concat(concat(range(5, 5), range(6, 200)), range(1, 4))}, // newest first, then oldest onwards
        {200, 200, concat(range(200, 200), range(1, 199))},
        {3, 10, concat(range(193, 200), range(1, 2))},
        {0, 200, concat(range(200, 200), range(1, 199))}, // before the first sample: still inside the ring
        {0, 10, range(190, 199)},
        {50, 0, range(40, 49)}, // a bad span is held to the smallest
    };
    for (const auto& c : cases)
        EXPECT_EQ(plotSlots(c.tempIndex, c.span), c.expected) << c.tempIndex << " " << c.span;
}

TEST(GraphWalk, PointsScaleToPeakPlusOneAndRoundHalvesToEven) {
    // W/span = 2.25: p = 2 gives 4.5 -> 4, p = 6 gives 13.5 -> 14.
    // Peak 44, so a value v sits Round(v / 45 * 357) above the bottom: 22.5 -> 178.5 -> 178.
    // Index 200, full span: the walk is slot 200 first, then slots 1 to 199.
    const auto series = [](int slot) { return slot == 2 ? 22.5f : slot == 6 ? 45.0f : 0.0f; };
    const QList<QPoint> points = plotSeries(series, 200, 200, 44.0f, QSize(450, 377));
    ASSERT_EQ(points.size(), 201);
    EXPECT_EQ(points[0], QPoint(0, 377));
    EXPECT_EQ(points[1], QPoint(0, 377));        // slot 200
    EXPECT_EQ(points[3], QPoint(4, 377 - 178));  // slot 2
    EXPECT_EQ(points[7], QPoint(14, 377 - 357)); // slot 6
    EXPECT_EQ(points[200], QPoint(448, 377));    // slot 199: Round(447.75)
}

TEST(GraphZoom, StaysWithin10And200) {
    int span = zoomDefault();
    EXPECT_EQ(span, 200);
    for (int i = 0; i < 25; ++i)
        span = zoomIn(span);
    EXPECT_EQ(span, 10);
    EXPECT_EQ(zoomOut(span), 20);
    EXPECT_EQ(zoomOut(200), 200);
    EXPECT_EQ(zoomIn(200), 190);
}

TEST(TemperatureText, FifteenSignificantDigitsWithLocaleSeparator) {
    const QLocale c = QLocale::c();
    const QLocale german(QLocale::German, QLocale::Germany);
    const struct {
        double value;
        QLocale locale;
        const char* text;
    } cases[] = {
        {45.0f, c, "45"}, {45.5f, c, "45.5"},          {127.0f / 3.0f, c, "42.3333320617676"}, {45.5f, german, "45,5"},
        {0.0f, c, "0"},   {-12.25f, german, "-12,25"}, {0.1f, c, "0.100000001490116"},
    };
    for (const auto& t : cases)
        EXPECT_EQ(temperatureText(t.value, t.locale), QString::fromLatin1(t.text)) << t.text;
}

const GraphLabel* labelAt(const GraphDrawing& drawing, QPoint position) {
    for (const GraphItem& item : drawing.items) {
        if (const auto* label = std::get_if<GraphLabel>(&item); label && label->position == position)
            return label;
    }
    return nullptr;
}

template <typename T> int countOf(const GraphDrawing& drawing) {
    return static_cast<int>(std::count_if(drawing.items.begin(), drawing.items.end(),
                                          [](const GraphItem& i) { return std::holds_alternative<T>(i); }));
}

TEST(AverageTemperatureGraph, NeverSampledShowsZerosOnTheBottomEdge) {
    const TemperatureHistory history;
    const GraphDrawing drawing = computeAverageGraph(history, 200, QSize(450, 377), QLocale::c());
    ASSERT_EQ(drawing.items.size(), 7u);
    const auto& back = std::get<GraphRectangle>(drawing.items.front());
    EXPECT_TRUE(back.brush.hotLight);
    EXPECT_EQ(back.pen, kGraphRed);
    EXPECT_EQ(std::get<GraphPolyline>(drawing.items[1]).pen, kGraphYellow);
    EXPECT_EQ(std::get<GraphPolyline>(drawing.items[3]).pen, kGraphRed);
    for (QPoint p : std::get<GraphPolyline>(drawing.items[1]).points)
        EXPECT_EQ(p.y(), 377);
    const GraphLabel* average = labelAt(drawing, QPoint(365, 20));
    const GraphLabel* biggest = labelAt(drawing, QPoint(365, 5));
    ASSERT_TRUE(average && biggest);
    EXPECT_EQ(average->text, QStringLiteral("0 C Average"));
    EXPECT_EQ(biggest->text, QStringLiteral("0 C Biggest"));
    EXPECT_EQ(average->color, kGraphRed);
    const auto& left = std::get<GraphRectangle>(drawing.items[5]);
    const auto& bottom = std::get<GraphRectangle>(drawing.items[6]);
    EXPECT_EQ(QRect(QPoint(left.left, left.top), QPoint(left.right, left.bottom)), QRect(QPoint(0, 0), QPoint(5, 377)));
    EXPECT_EQ(QRect(QPoint(bottom.left, bottom.top), QPoint(bottom.right, bottom.bottom)),
              QRect(QPoint(0, 372), QPoint(450, 377)));
}

TEST(AverageTemperatureGraph, LabelsShowTheNewestValues) {
    TemperatureHistory history;
    history.addSample(readings({40, 41, 46}));
    const GraphDrawing drawing = computeAverageGraph(history, 10, QSize(300, 200), QLocale::c());
    EXPECT_EQ(labelAt(drawing, QPoint(215, 20))->text, QStringLiteral("42.3333320617676 C Average"));
    EXPECT_EQ(labelAt(drawing, QPoint(215, 5))->text, QStringLiteral("46 C Biggest"));
}

TEST(CoreTemperatureGraph, OneLinePerCoreLabelsOnlyForReportingCores) {
    TemperatureHistory history;
    history.addSample(readings({45, 0, 45.5f}));
    CoreColors colors;
    EXPECT_EQ(colors.colorOfButton(3), kGraphBlack);
    colors.setColor(3, GraphColor::rgb(0, 128, 255));
    const GraphDrawing drawing = computeCoreGraph(history, 200, QSize(450, 377), colors, QLocale::c());
    EXPECT_EQ(countOf<GraphPolyline>(drawing), 8);
    EXPECT_EQ(countOf<GraphLabel>(drawing), 2);
    const GraphLabel* core1 = labelAt(drawing, QPoint(345, 115));
    const GraphLabel* core3 = labelAt(drawing, QPoint(345, 145));
    ASSERT_TRUE(core1 && core3);
    EXPECT_EQ(core1->text, QStringLiteral("Core 1:  45 C"));
    EXPECT_EQ(core3->text, QStringLiteral("Core 3:  45.5 C"));
    EXPECT_EQ(core1->color, kGraphBlack);
    EXPECT_EQ(core3->color, GraphColor::rgb(0, 128, 255));
    EXPECT_EQ(labelAt(drawing, QPoint(345, 130)), nullptr);
    // The first point drawn is the newest sample; core 3's is at the peak, the top of the scale.
    const auto& line3 = std::get<GraphPolyline>(drawing.items[4]);
    EXPECT_EQ(line3.pen, GraphColor::rgb(0, 128, 255));
    EXPECT_EQ(line3.points[1].y(), 377 - 349); // Round(45.5 / 46.5 * 357) = Round(349.32)
}

TEST(GraphPainter, PaintsBackgroundLinesAndAxisBars) {
    TemperatureHistory history;
    for (int i = 0; i < 200; ++i)
        history.addSample(readings({40, 50})); // average 45, biggest 50, peak 50: 45/51*357 = 315
    const QColor hotLight(0, 102, 204);
    const QImage image = renderTemperatureGraph(computeAverageGraph(history, 200, QSize(450, 377)), hotLight);
    ASSERT_EQ(image.size(), QSize(450, 377));
    EXPECT_EQ(image.pixelColor(200, 377 - 315), QColor(255, 255, 0));
    EXPECT_EQ(image.pixelColor(200, 377 - 350), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(200, 200), hotLight);
    EXPECT_EQ(image.pixelColor(2, 200), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(200, 374), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(449, 100), QColor(255, 0, 0)); // the background's outline
}

} // namespace
