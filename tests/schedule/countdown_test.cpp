#include "schedule/countdown.h"

#include <gtest/gtest.h>
#include <limits>

using namespace schedule;

TEST(SystemActionFlags, EachActionWithAndWithoutForce) {
    const struct {
        std::optional<SystemAction> action;
        std::uint32_t flags;
    } cases[] = {
        {SystemAction::ShutDown, 1}, {SystemAction::Reboot, 2}, {SystemAction::RestartApplications, 64},
        {SystemAction::PowerOff, 8}, {SystemAction::LogOff, 0}, {std::nullopt, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(systemActionFlags(c.action, false), c.flags);
        EXPECT_EQ(systemActionFlags(c.action, true), c.flags + 4);
    }
}

TEST(CountdownTick, BorrowsThroughSecondsMinutesAndHours) {
    const struct {
        CountdownState before;
        CountdownState after;
        TickResult result;
    } cases[] = {
        {{0, 40, 0}, {0, 39, 59}, TickResult::Running},
        {{1, 0, 0}, {0, 59, 59}, TickResult::Running},
        {{0, 0, 1}, {0, 0, 0}, TickResult::Running},
        {{0, 0, 0}, {-1, 59, 59}, TickResult::Finished},
        {{2, 5, 30}, {2, 5, 29}, TickResult::Running},
        // Minutes above 59 typed by hand count down from there.
        {{0, 61, 0}, {0, 60, 59}, TickResult::Running},
    };
    for (const auto& c : cases) {
        CountdownState s = c.before;
        EXPECT_EQ(countdownTick(s), c.result);
        EXPECT_EQ(s.hours, c.after.hours);
        EXPECT_EQ(s.minutes, c.after.minutes);
        EXPECT_EQ(s.seconds, c.after.seconds);
    }
}

TEST(CountdownTotalSeconds, StaysInsideInt) {
    EXPECT_EQ(countdownTotalSeconds(0, 40), 2400);
    EXPECT_EQ(countdownTotalSeconds(48, 61), 48 * 3600 + 61 * 60);
    EXPECT_EQ(countdownTotalSeconds(std::numeric_limits<int>::max(), 0), std::numeric_limits<int>::max());
}

TEST(MinutesRollover, OnlyAboveSixty) {
    EXPECT_FALSE(minutesRollover(60, 3));
    EXPECT_FALSE(minutesRollover(0, 0));
    EXPECT_EQ(minutesRollover(61, 0), 1);
    EXPECT_EQ(minutesRollover(75, 48), 49);
    EXPECT_EQ(minutesRollover(75, std::numeric_limits<int>::max()), std::int64_t(std::numeric_limits<int>::max()) + 1);
}
