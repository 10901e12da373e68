#include "memory/consume_math.h"
#include "platform/torvane_error.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr std::int64_t MiB = 1048576;
constexpr std::int64_t GiB = 1024 * MiB;

TEST(ConsumeMathTest, SafetyCap) {
    EXPECT_EQ(safetyCapBytes(QString()), MiB);
    EXPECT_EQ(safetyCapBytes(QStringLiteral("-")), MiB);
    EXPECT_EQ(safetyCapBytes(QStringLiteral("-20")), MiB);
    EXPECT_EQ(safetyCapBytes(QStringLiteral("10")), 10 * MiB);
    EXPECT_EQ(safetyCapBytes(QStringLiteral("4096")), 4 * GiB); // 64-bit arithmetic
    EXPECT_EQ(safetyCapBytes(QStringLiteral("x")), 0);
}

TEST(ConsumeMathTest, ConsumeAmount) {
    struct Case {
        std::int64_t available, cap, target, amount;
    };
    const Case cases[] = {
        {100 * MiB, 10 * MiB, 30 * MiB, 30 * MiB},  // the target is smaller
        {100 * MiB, 10 * MiB, 200 * MiB, 90 * MiB}, // memory beyond the cap is smaller
        {100 * MiB, 10 * MiB, 0, 0},
        {100 * MiB, 10 * MiB, -5, 90 * MiB}, // a negative target does not limit
        {10 * MiB, 10 * MiB, 5 * MiB, 0},    // cap at the available memory
        {5 * MiB, 10 * MiB, 5 * MiB, 0},     // cap above it
        {8 * GiB, 10 * MiB, 3 * GiB, GiB},   // one consumption holds at most 1 GiB
    };
    for (const Case& c : cases)
        EXPECT_EQ(consumeAmount(c.available, c.cap, c.target), c.amount) << c.available << " " << c.target;
}

TEST(ConsumeMathTest, FreeAmount) {
    EXPECT_EQ(freeAmount(500 * MiB, 100 * MiB), 100 * MiB);
    EXPECT_EQ(freeAmount(101 * MiB, 100 * MiB), 101 * MiB); // not more than 1 MiB above the target
    EXPECT_EQ(freeAmount(101 * MiB + 1, 100 * MiB), 100 * MiB);
    EXPECT_EQ(freeAmount(10 * MiB, 400 * MiB), 10 * MiB);
    EXPECT_EQ(freeAmount(8 * GiB, 3 * GiB), GiB);
    EXPECT_EQ(freeAmount(8 * GiB, -1), GiB);
}

TEST(ConsumeMathTest, RewriteOnlyWhileTheTargetFitsBeyondTheCap) {
    EXPECT_TRUE(rewriteAllowed(100 * MiB, 10 * MiB, 89 * MiB));
    EXPECT_FALSE(rewriteAllowed(100 * MiB, 10 * MiB, 90 * MiB));
    EXPECT_FALSE(rewriteAllowed(100 * MiB, 10 * MiB, 0));
}

TEST(ConsumeMathTest, ManualTarget) {
    EXPECT_EQ(manualTarget(QStringLiteral("1024"), QStringLiteral("1024"), QStringLiteral("1")), MiB);
    EXPECT_EQ(manualTarget(QStringLiteral("4096"), QStringLiteral("4096"), QStringLiteral("65521")),
              std::int64_t(4096) * 4096 * 65521);
    EXPECT_EQ(manualTarget(QStringLiteral("0"), QStringLiteral("1024"), QStringLiteral("1")), 0);
    EXPECT_FALSE(manualTarget(QString(), QStringLiteral("1024"), QStringLiteral("1")));
    EXPECT_FALSE(manualTarget(QStringLiteral("1"), QStringLiteral("1"), QString()));
    // Three 31-bit factors overflow 64 bits: the product saturates instead of wrapping.
    EXPECT_EQ(manualTarget(QStringLiteral("2147483647"), QStringLiteral("2147483647"), QStringLiteral("2147483647")),
              std::numeric_limits<std::int64_t>::max());
    EXPECT_THROW(manualTarget(QStringLiteral("2147483648"), QStringLiteral("1"), QStringLiteral("1")), TorvaneError);
}

TEST(ConsumeMathTest, ExtraMegaBytesIsSigned) {
    EXPECT_FALSE(extraMegaBytes(QString()));
    EXPECT_FALSE(extraMegaBytes(QStringLiteral("-")));
    EXPECT_EQ(extraMegaBytes(QStringLiteral("0")), 0);
    EXPECT_EQ(extraMegaBytes(QStringLiteral("300")), 300);
    EXPECT_EQ(extraMegaBytes(QStringLiteral("-300")), -300);
    EXPECT_EQ(extraMegaBytes(QStringLiteral(" -3 0")), -30);
    EXPECT_EQ(extraMegaBytes(QStringLiteral("3-0")), 30);
}

TEST(ConsumeMathTest, ExtraMegaBytesResetKeepsWithinThePhysicalMemory) {
    const std::int64_t total = 4096 * MiB;
    EXPECT_FALSE(extraMegaBytesReset(QStringLiteral("4095"), total));
    EXPECT_EQ(extraMegaBytesReset(QStringLiteral("4096"), total), 4095);
    EXPECT_EQ(extraMegaBytesReset(QStringLiteral("65521"), total), 4095);
    EXPECT_FALSE(extraMegaBytesReset(QStringLiteral("-4095"), total));
    EXPECT_EQ(extraMegaBytesReset(QStringLiteral("-65521"), total), -4095);
    EXPECT_FALSE(extraMegaBytesReset(QStringLiteral("-"), total));
    EXPECT_FALSE(extraMegaBytesReset(QString(), total));
    // Memory unknown (total 0): any value settles at 0 instead of flipping sign forever.
    EXPECT_EQ(extraMegaBytesReset(QStringLiteral("5"), 0), 0);
    EXPECT_EQ(extraMegaBytesReset(QStringLiteral("-5"), 0), 0);
    EXPECT_EQ(extraMegaBytesReset(QStringLiteral("0"), 0), 0);
}

TEST(ConsumeMathTest, QuickConsumeTargets) {
    const QuickConsumeInput base{4 * GiB, 3 * GiB, 0, 0, QStringLiteral("0")};
    struct Case {
        QuickChoice choice;
        QuickConsumeInput in;
        std::int64_t target;
    };
    QuickConsumeInput held = base;
    held.available = 2 * GiB;
    held.held = 512 * MiB; // others use 1.5 GiB
    QuickConsumeInput crowded = base;
    crowded.available = GiB; // others use 3 GiB
    QuickConsumeInput extra = base;
    extra.consumeTarget = 100 * MiB;
    extra.extraText = QStringLiteral("50");
    QuickConsumeInput less = extra;
    less.extraText = QStringLiteral("-150");
    QuickConsumeInput blank = extra;
    blank.extraText = QStringLiteral("-");
    QuickConsumeInput odd = base;
    odd.total = 5; // 10 / 3 = 3.33
    odd.available = 3;
    const Case cases[] = {
        {QuickChoice::OneThirdRemainsFree, base, 2863311531 - GiB}, // Round(4 GiB × 2/3) − 1 GiB
        {QuickChoice::HalfRemainsFree, base, GiB},
        {QuickChoice::ThirdOfFree, base, GiB},
        {QuickChoice::HalfOfFree, base, 3 * GiB / 2},
        {QuickChoice::OneThirdRemainsFree, held, 2863311531 - 3 * GiB / 2},
        {QuickChoice::HalfOfFree, held, GiB + 512 * MiB},
        {QuickChoice::HalfRemainsFree, crowded, -GiB},
        {QuickChoice::ExtraMegaBytes, base, 0},
        {QuickChoice::ExtraMegaBytes, extra, 150 * MiB},
        {QuickChoice::ExtraMegaBytes, less, -50 * MiB},
        {QuickChoice::ExtraMegaBytes, blank, 0},
        {QuickChoice::OneThirdRemainsFree, odd, 3 - 2},
        {QuickChoice::ThirdOfFree, odd, 1},
        {QuickChoice::HalfOfFree, odd, 2}, // 1.5 rounds to 2
        {QuickChoice::None, base, 0},
    };
    int n = 0;
    for (const Case& c : cases)
        EXPECT_EQ(quickConsumeTarget(c.choice, c.in), c.target) << "case " << n++;
}

TEST(ConsumeMathTest, OptimizeAmount) {
    EXPECT_EQ(optimizeAmount(100 * MiB, QStringLiteral("10")), 90 * MiB);
    EXPECT_EQ(optimizeAmount(100 * MiB, QString()), 100 * MiB); // no 1 MiB default here
    EXPECT_EQ(optimizeAmount(10 * MiB, QStringLiteral("10")), 0);
}

TEST(ConsumeMathTest, ShortfallWarning) {
    EXPECT_EQ(shortfallWarning(1536 * MiB / 2),
              QStringLiteral("768 Mega Bytes could not be consumed.\n\rThis may be the result of:\n\r- not enough "
                             "memory space or\n\r- too corrupted memory."));
    EXPECT_TRUE(shortfallWarning(MiB / 2).startsWith(QStringLiteral("0 Mega"))); // 0.5 rounds to 0
    EXPECT_TRUE(shortfallWarning(3 * MiB / 2).startsWith(QStringLiteral("2 Mega")));
}

} // namespace
