#include "memory/memory_graph.h"
#include "memory/memory_graph_painter.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

constexpr std::int64_t MiB = 1048576;

MemoryGraphLayout layoutOf(const MemoryHistory& h, QSize size) {
    MemoryGraphLayout layout;
    layoutMemoryGraph(h, size, layout);
    return layout;
}

TEST(MemoryGraphTest, XRoundsHalvesToEven) {
    const std::pair<int, int> cases[] = {{1, 2}, {2, 4}, {3, 7}, {6, 14}, {10, 22}, {200, 450}};
    for (auto [j, x] : cases)
        EXPECT_EQ(memoryGraphX(j, 450), x) << j;
    EXPECT_EQ(memoryGraphX(7, 400), 14);
}

TEST(MemoryGraphTest, YScalesIntoAllButTheTopTwentyPixels) {
    EXPECT_EQ(memoryGraphY(5000000, 0, 6000000, 380), 80);  // 5/6 × 360 = 300
    EXPECT_EQ(memoryGraphY(5000000, 0, 6000000, 377), 79);  // 297.5 rounds to 298
    EXPECT_EQ(memoryGraphY(3000000, 0, 6000000, 377), 199); // 178.5 rounds to 178
    EXPECT_EQ(memoryGraphY(6000000, 0, 6000000, 377), 20);  // the bound itself
    EXPECT_EQ(memoryGraphY(0, 0, 6000000, 377), 377);       // the bottom edge
}

TEST(MemoryGraphTest, AnEmptyScaleDrawsOnTheBottomEdge) {
    EXPECT_EQ(memoryGraphY(0, 0, 0, 377), 377);
    MemoryHistory h;
    h.record(0, 0); // a status reporting no memory at all
    const MemoryGraphLayout layout = layoutOf(h, QSize(450, 377));
    for (int j = 0; j <= MemoryHistory::kSlots; ++j)
        EXPECT_EQ(layout.line[j].y(), 377) << j;
    EXPECT_EQ(layout.high.text, QStringLiteral("0 MB"));
}

TEST(MemoryGraphTest, FirstTickRisesAtTheLeftEdgeThenRunsAlongTheBottom) {
    MemoryHistory h;
    h.record(4096 * MiB, 4096 * MiB - 1500 * MiB);
    const MemoryGraphLayout layout = layoutOf(h, QSize(400, 380));
    EXPECT_EQ(layout.line[0], QPoint(0, 380));
    // 1500 MiB against a bound of 1800 MiB: 5/6 of 360 pixels.
    EXPECT_EQ(layout.line[1], QPoint(2, 80));
    for (int j = 2; j <= MemoryHistory::kSlots; ++j)
        EXPECT_EQ(layout.line[j], QPoint(2 * j, 380)) << j;
    EXPECT_EQ(layout.newest.text, QStringLiteral("1500 MB"));
    EXPECT_EQ(layout.newest.topLeft, QPoint(345, 10));
    EXPECT_EQ(layout.high.text, QStringLiteral("1800 MB"));
    EXPECT_EQ(layout.high.topLeft, QPoint(10, 10));
    EXPECT_EQ(layout.low.text, QStringLiteral("0 MB"));
    EXPECT_EQ(layout.low.topLeft, QPoint(10, 358));
    EXPECT_EQ(layout.leftBar, QRect(0, 0, 5, 380));
    EXPECT_EQ(layout.bottomBar, QRect(0, 375, 400, 5));
}

TEST(MemoryGraphTest, TheNewestComesFirstThenOldestToSecondNewest) {
    MemoryHistory h;
    // 203 samples: slots 1..3 were overwritten, the newest sits in slot 3.
    for (int i = 1; i <= 203; ++i)
        h.record(8000000, 8000000 - i * 10000);
    ASSERT_EQ(h.MemIndex, 3);
    ASSERT_EQ(h.GraphHigh, 2030000 + 406000);
    const MemoryGraphLayout layout = layoutOf(h, QSize(450, 377));
    auto y = [&h](std::int64_t v) { return memoryGraphY(v, 0, h.GraphHigh, 377); };
    EXPECT_EQ(layout.line[1], QPoint(2, y(2030000)));     // the newest, sample 203
    EXPECT_EQ(layout.line[2], QPoint(4, y(40000)));       // slot 4: the oldest kept, sample 4
    EXPECT_EQ(layout.line[199], QPoint(448, y(2010000))); // slot 1: sample 201
    EXPECT_EQ(layout.line[200], QPoint(450, y(2020000))); // slot 2: the second newest
}

TEST(MemoryGraphTest, ResizingChangesTheNextLayout) {
    MemoryHistory h;
    h.record(8000000, 3000000);
    const MemoryGraphLayout small = layoutOf(h, QSize(200, 120));
    const MemoryGraphLayout large = layoutOf(h, QSize(800, 620));
    EXPECT_EQ(small.line[200], QPoint(200, 120));
    EXPECT_EQ(large.line[200], QPoint(800, 620));
    EXPECT_EQ(small.line[1], QPoint(1, 120 - 83)); // 5/6 × 100 = 83.3
    EXPECT_EQ(large.line[1], QPoint(4, 620 - 500));
    EXPECT_EQ(large.newest.topLeft, QPoint(745, 10));
}

TEST(MemoryGraphPainterTest, AreaOutlineBarsAndLine) {
    MemoryHistory h;
    for (int i = 0; i < MemoryHistory::kSlots; ++i)
        h.record(8000000, 3000000); // a flat line at 5/6 of the scale
    const QSize size(400, 380);
    const MemoryGraphLayout layout = layoutOf(h, size);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QColor hotLight(0, 102, 204);
    paintMemoryGraph(image, layout, hotLight);
    const QRgb red = qRgb(255, 0, 0);
    const QRgb yellow = qRgb(255, 255, 0);
    EXPECT_EQ(image.pixel(200, 200), hotLight.rgb());
    EXPECT_EQ(image.pixel(399, 200), red); // the outline's right edge
    EXPECT_EQ(image.pixel(200, 0), red);   // the outline's top edge
    EXPECT_EQ(image.pixel(4, 200), red);   // the left bar, five pixels wide
    EXPECT_EQ(image.pixel(5, 200), hotLight.rgb());
    EXPECT_EQ(image.pixel(200, 375), red); // the bottom bar, five pixels high
    EXPECT_EQ(image.pixel(200, 374), hotLight.rgb());
    EXPECT_EQ(image.pixel(200, 80), yellow);
    EXPECT_EQ(image.pixel(200, 79), hotLight.rgb());
}

} // namespace
