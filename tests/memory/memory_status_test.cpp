#include "memory/memory_gauges.h"
#include "memory/memory_history.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t MiB = 1048576;
constexpr std::int64_t GiB = 1024 * MiB;

TEST(MemoryHistoryTest, FirstSampleFillsSlotOneAndScalesToOnePointTwoTimesIt) {
    MemoryHistory h;
    EXPECT_EQ(h.MemIndex, 0);
    EXPECT_EQ(h.record(4 * GiB, 3 * GiB), GiB);
    EXPECT_EQ(h.MemIndex, 1);
    EXPECT_EQ(h.MemHistory[1], GiB);
    EXPECT_EQ(h.newest(), GiB);
    EXPECT_EQ(h.GraphHigh, GiB + GiB / 5);
    EXPECT_EQ(h.GraphLow, 0);
    EXPECT_EQ(h.MemTotal, 4 * GiB);
    EXPECT_EQ(h.MemAvail, 3 * GiB);
}

TEST(MemoryHistoryTest, ScaleOnlyGrowsAndNeverExceedsTotal) {
    MemoryHistory h;
    h.record(1000, 500); // 500 used: 500 + 100
    EXPECT_EQ(h.GraphHigh, 600);
    h.record(1000, 900); // a smaller sample leaves the bound
    EXPECT_EQ(h.GraphHigh, 600);
    h.record(1000, 200); // 800 + 160 = 960
    EXPECT_EQ(h.GraphHigh, 960);
    h.record(1000, 100); // 900 + 180 is above the total
    EXPECT_EQ(h.GraphHigh, 1000);
    h.record(1000, 999);
    EXPECT_EQ(h.GraphHigh, 1000);
    EXPECT_EQ(h.GraphLow, 0);
}

TEST(MemoryHistoryTest, SlotTwoHundredWrapsToOne) {
    MemoryHistory h;
    for (int i = 1; i <= MemoryHistory::kSlots; ++i)
        h.record(10000, 10000 - i);
    EXPECT_EQ(h.MemIndex, 200);
    EXPECT_EQ(h.MemHistory[200], 200);
    h.record(10000, 10000 - 777);
    EXPECT_EQ(h.MemIndex, 1);
    EXPECT_EQ(h.MemHistory[1], 777);
    EXPECT_EQ(h.MemHistory[2], 2);
}

TEST(MemoryGaugesTest, FourGibibytesWithOneAvailable) {
    MemorySample s{4 * GiB, GiB, 6 * GiB, 3 * GiB, 128 * GiB, 96 * GiB};
    const MemoryGauges g = computeGauges(s);
    EXPECT_EQ(g.freePhysicalGauge, 25);
    EXPECT_EQ(g.freeMemColor, FreeMemColor::Red);
    EXPECT_EQ(g.usedPhysicalGauge, 75);
    EXPECT_EQ(g.FreeMemPercent, 25);
    EXPECT_EQ(g.usedPagingGauge, 50);
    EXPECT_EQ(g.usedVirtualGauge, 25);
    EXPECT_EQ(g.usedPhysicalLabel, QStringLiteral("Used Physical Memory 3072 MB/ 4096 MB"));
    EXPECT_EQ(g.freePhysicalLabel, QStringLiteral("Free Physical Memory 1024 MB/ 4096 MB"));
    EXPECT_EQ(g.usedPagingLabel, QStringLiteral("Used Paging File 3072 MB/ 6144 MB"));
    EXPECT_EQ(g.usedVirtualLabel, QStringLiteral("Used Virtual Memory 32768 MB/ 131072 MB"));
}

TEST(MemoryGaugesTest, LineDropsTheMebibyteRemainder) {
    EXPECT_EQ(memoryLine(QStringLiteral("Used Physical Memory "), 1536 * MiB + MiB - 1, 4096 * MiB),
              QStringLiteral("Used Physical Memory 1536 MB/ 4096 MB"));
}

TEST(MemoryGaugesTest, FreeBarColourBoundaries) {
    const std::int64_t total = 3000000001; // total div 3 = 1000000000
    struct Case {
        std::int64_t available;
        FreeMemColor color;
    };
    const Case cases[] = {
        {2000000000, FreeMemColor::HotLight},                                     // exactly 2 × (total div 3)
        {1999999999, FreeMemColor::Yellow},   {1000000000, FreeMemColor::Yellow}, // exactly total div 3
        {999999999, FreeMemColor::Red},       {0, FreeMemColor::Red},
        {total, FreeMemColor::HotLight},
    };
    for (const Case& c : cases)
        EXPECT_EQ(freeMemColor(total, c.available), c.color) << c.available;
}

TEST(MemoryGaugesTest, PercentagesRoundHalvesToEvenAndGaugesClamp) {
    EXPECT_EQ(roundedPercent(1, 8), 12);    // 12.5
    EXPECT_EQ(roundedPercent(3, 8), 38);    // 37.5
    EXPECT_EQ(roundedPercent(1, 200), 0);   // 0.5
    EXPECT_EQ(roundedPercent(3, 200), 2);   // 1.5
    EXPECT_EQ(roundedPercent(-5, 10), -50); // used above total in a broken status
    EXPECT_EQ(gaugeValue(-50), 0);
    EXPECT_EQ(gaugeValue(150), 100);
    // Available above total: the free bar is full and the used bar complements what it holds.
    const MemoryGauges g = computeGauges({100, 150, 0, 0, 0, 0});
    EXPECT_EQ(g.freePhysicalGauge, 100);
    EXPECT_EQ(g.usedPhysicalGauge, 0);
    EXPECT_EQ(g.FreeMemPercent, 150);
}

TEST(MemoryGaugesTest, AnEmptyStatusHasNoRatiosButDoesNotFail) {
    const MemoryGauges g = computeGauges({});
    EXPECT_EQ(g.freePhysicalGauge, 0);
    EXPECT_EQ(g.usedPhysicalGauge, 100);
    EXPECT_EQ(g.usedPagingGauge, 0);
    EXPECT_EQ(g.usedVirtualGauge, 0);
    EXPECT_EQ(g.FreeMemPercent, 0);
    EXPECT_EQ(g.usedPhysicalLabel, QStringLiteral("Used Physical Memory 0 MB/ 0 MB"));
}

} // namespace
