#include "platform/torvane_error.h"
#include "temperature_tab_fixture.h"

namespace {

class OverTemperatureTest : public TemperatureTabFixture {
protected:
    void SetUp() override {
        controls().overheatKillCheck->setChecked(true); // reaction 1 is off by default
        values.ConsumeTarget = 1024;
    }
    // One refreshTimer tick; true when the reactions ran (each run asks to kill all outside the safe list).
    bool tick() {
        retrieval->setChecked(true);
        optimize->setChecked(true);
        events.clear();
        reactions().overTemperatureCheck();
        return !events.isEmpty();
    }
};

TEST_F(OverTemperatureTest, ReactsEveryFiveSecondsWhileAtOrAboveThreshold) {
    // Ticks every 2.5 s: 95 degrees for 18 seconds, then it cools down.
    const struct {
        float biggest;
        bool reacts;
    } ticks[] = {{95, true},  {95, false}, {95, true},  {95, false}, {95, true},     {95, false}, {95, true},
                 {95, false}, {85, false}, {85, false}, {90, true},  {89.9f, false}, {90, true}};
    for (std::size_t i = 0; i < std::size(ticks); ++i) {
        sampleAt(ticks[i].biggest);
        EXPECT_EQ(tick(), ticks[i].reacts) << "tick " << i << " at " << 2.5 * double(i) << " s";
    }
}

TEST_F(OverTemperatureTest, ReactionsRunInOrder) {
    sampleAt(95);
    tick();
    EXPECT_EQ(events, (QStringList{"kill all", "retrieval off", "free", "optimize off"}));
    EXPECT_TRUE(reactions().overheatLatch());
    EXPECT_TRUE(fake.boxes().isEmpty()); // the check itself says nothing
}

TEST_F(OverTemperatureTest, ThresholdZeroWithoutAReadingNeverReacts) {
    controls().overheatThresholdSpin->setValue(0);
    for (bool monitorStopped : {true, false}) {
        if (monitorStopped)
            stopMonitor(); // no object: nothing is read
        else
            sampleAt(0); // every core reads 0: no reading either
        tab->onTemperatureTick();
        for (int i = 0; i < 3; ++i)
            EXPECT_FALSE(tick()) << monitorStopped << i;
    }
    sampleAt(40);
    EXPECT_TRUE(tick()) << "a reading at or above 0 does react";
}

TEST_F(OverTemperatureTest, ThresholdReadFromTheTextAtEachTick) {
    sampleAt(95);
    const struct {
        QString text;
        bool reacts;
    } cases[] = {{"240", false}, {"", true}, {"96", false}, {"9x5", true}, {"95", false /* latch */}};
    for (const auto& c : cases) {
        controls().overheatThresholdSpin->setText(c.text);
        EXPECT_EQ(tick(), c.reacts) << c.text.toStdString();
    }
}

TEST_F(OverTemperatureTest, EachReactionFollowsItsOptions) {
    const struct {
        bool killAll, stopLookup, stopMemory, retrievalOn, optimizeOn;
        std::int64_t consumeTarget;
        QStringList events;
    } cases[] = {
        {true, true, true, true, true, 1024, {"kill all", "retrieval off", "free", "optimize off"}},
        {false, true, true, true, true, 1024, {"retrieval off", "free", "optimize off"}},
        {false, true, false, false, true, 1024, {}},           // retrieval already off: nothing to do
        {false, false, true, true, true, 0, {"optimize off"}}, // nothing consumed: no freeing
        {false, false, true, true, false, 0, {}},              // optimization already off
        {false, false, true, true, false, 5, {"free"}},
        {false, false, false, true, true, 1024, {}},
    };
    sampleAt(95);
    for (const auto& c : cases) {
        controls().overheatKillCheck->setChecked(c.killAll);
        controls().overheatStopLookupCheck->setChecked(c.stopLookup);
        controls().overheatStopMemoryCheck->setChecked(c.stopMemory);
        values.ConsumeTarget = c.consumeTarget;
        retrieval->setChecked(c.retrievalOn);
        optimize->setChecked(c.optimizeOn);
        events.clear();
        reactions().overTemperatureCheck();
        EXPECT_EQ(events, c.events);
        reactions().overTemperatureCheck(); // clears the latch for the next case
    }
}

TEST_F(OverTemperatureTest, TicksDuringTheQuestionDoNotStack) {
    sampleAt(95);
    int nested = 0;
    duringKillAll = [this, &nested] {
        // The question's nested loop lets refreshTimer fire twice.
        ++nested;
        if (nested == 1) {
            reactions().overTemperatureCheck();
            reactions().overTemperatureCheck();
        }
    };
    tick();
    EXPECT_EQ(nested, 1);
    EXPECT_TRUE(reactions().overheatLatch());
    EXPECT_FALSE(tick()); // the latch set by the first run is cleared now
    EXPECT_TRUE(tick());
    EXPECT_EQ(nested, 2);
}

TEST_F(OverTemperatureTest, AFailingReactionDoesNotBlockLaterChecks) {
    sampleAt(95);
    duringKillAll = [] { throw TorvaneError(QStringLiteral("I/O error 5")); };
    EXPECT_THROW(reactions().overTemperatureCheck(), TorvaneError);
    duringKillAll = nullptr;
    EXPECT_FALSE(tick());
    EXPECT_TRUE(tick());
}

} // namespace
