#include "core/message_policy.h"
#include "platform/fake/fake_platform.h"
#include "schedule/auto_windows_actions_tab.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class CountdownTabTest : public ::testing::Test {
protected:
    CountdownTabTest() {
        tab = new AutoWindowsActionsTab(fake, policy, &progress, &mainWindow);
        countdown = tab->countdownTimer();
        mainWindow.show();
    }

    const AutoWindowsActionsControls& c() const { return tab->controls(); }
    CountdownController& controller() { return tab->controller(); }

    // Runs the countdown's handler `n` times, as the timer would once per second.
    void tick(int n) {
        for (int i = 0; i < n; ++i)
            controller().onCountdownTick();
    }

    bool idleLayout() const {
        return c().countdownTimeLabel->isVisible() && c().countdownMinutesSpin->isVisible() &&
               c().countdownHoursSpin->isVisible() && !progress.isVisible();
    }

    platform::fake::FakePlatform fake;
    QWidget mainWindow;
    MessageOptions options;
    MessagePolicy policy{fake, &mainWindow, &options};
    QTimer* countdown = nullptr;
    QProgressBar progress{&mainWindow};
    AutoWindowsActionsTab* tab = nullptr;
};

TEST_F(CountdownTabTest, ControlsAsCreated) {
    EXPECT_EQ(c().countdownButton->text(), QStringLiteral("Start countdown for performing the selected action"));
    EXPECT_EQ(c().performNowButton->text(), QStringLiteral("Immediately perform the selected action"));
    EXPECT_EQ(c().shutDownRadio->text(), QStringLiteral("Shut Down computer"));
    EXPECT_EQ(c().rebootRadio->text(), QStringLiteral("Reboot computer"));
    EXPECT_EQ(c().restartApplicationsRadio->text(), QStringLiteral("Restart runnin applications"));
    EXPECT_EQ(c().powerOffRadio->text(), QStringLiteral("Power off"));
    EXPECT_EQ(c().logOffRadio->text(), QStringLiteral("Log off"));
    EXPECT_EQ(c().forceActionCheck->text(), QStringLiteral("Forcibly do so if required"));
    EXPECT_EQ(c().countdownTimeLabel->text(),
              QStringLiteral("Countdown time:                hours                minutes"));
    EXPECT_TRUE(c().shutDownRadio->isChecked());
    EXPECT_TRUE(c().forceActionCheck->isChecked());
    EXPECT_EQ(c().countdownHoursSpin->text(), QStringLiteral("0"));
    EXPECT_EQ(c().countdownMinutesSpin->text(), QStringLiteral("40"));
    EXPECT_EQ(c().countdownHoursSpin->minimum(), 0);
    EXPECT_EQ(c().countdownHoursSpin->maximum(), 48);
    EXPECT_EQ(c().countdownMinutesSpin->minimum(), 0);
    EXPECT_EQ(c().countdownMinutesSpin->maximum(), 61);
    EXPECT_EQ(countdown->interval(), 1000);
    EXPECT_FALSE(countdown->isActive());
    EXPECT_TRUE(idleLayout());
}

TEST_F(CountdownTabTest, FortyMinutesRunsTheActionOnTick2401) {
    c().powerOffRadio->setChecked(true);
    c().forceActionCheck->setChecked(false);
    controller().onCountdownClicked();
    EXPECT_TRUE(countdown->isActive());
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.maximum(), 2400);
    EXPECT_EQ(progress.value(), 2400);
    EXPECT_FALSE(c().countdownTimeLabel->isVisible());
    EXPECT_FALSE(c().countdownMinutesSpin->isVisible());
    EXPECT_FALSE(c().countdownHoursSpin->isVisible());
    EXPECT_EQ(c().countdownButton->text(), QStringLiteral("Start countdown for performing the selected action"));

    tick(1);
    EXPECT_EQ(c().countdownButton->text(), QStringLiteral("Stop Countdown: 0 hours  39 minutes  59 seconds  "));
    EXPECT_EQ(progress.value(), 2399);

    tick(2399);
    EXPECT_EQ(c().countdownButton->text(), QStringLiteral("Stop Countdown: 0 hours  0 minutes  0 seconds  "));
    EXPECT_EQ(progress.value(), 0);
    EXPECT_TRUE(fake.systemActionCalls.empty());

    tick(1);
    EXPECT_EQ(fake.systemActionCalls, std::vector<std::uint32_t>{8});
    EXPECT_FALSE(countdown->isActive());
    EXPECT_TRUE(idleLayout());
    EXPECT_EQ(c().countdownButton->text(), QStringLiteral("Start countdown for performing the selected action"));
    // The end writes minutes 59 and hours -1 back; the hours clamp to 0.
    EXPECT_EQ(c().countdownMinutesSpin->text(), QStringLiteral("59"));
    EXPECT_EQ(c().countdownHoursSpin->text(), QStringLiteral("0"));
    EXPECT_TRUE(fake.boxes().isEmpty());

    tick(5); // a late tick of a stopped countdown does nothing
    EXPECT_EQ(fake.systemActionCalls.size(), 1u);
}

TEST_F(CountdownTabTest, ZeroTimeActsOnTheFirstTick) {
    c().countdownMinutesSpin->setText(QStringLiteral("0"));
    controller().onCountdownClicked();
    EXPECT_EQ(progress.maximum(), 0);
    tick(1);
    EXPECT_EQ(fake.systemActionCalls, std::vector<std::uint32_t>{1 + 4});
    EXPECT_FALSE(countdown->isActive());
}

TEST_F(CountdownTabTest, StopWritesTheRemainingTimeBackAndRestartsFromIt) {
    controller().onCountdownClicked();
    tick(90);
    EXPECT_EQ(c().countdownButton->text(), QStringLiteral("Stop Countdown: 0 hours  38 minutes  30 seconds  "));
    controller().onCountdownClicked();
    EXPECT_FALSE(countdown->isActive());
    EXPECT_TRUE(idleLayout());
    EXPECT_EQ(c().countdownMinutesSpin->text(), QStringLiteral("38"));
    EXPECT_EQ(c().countdownHoursSpin->text(), QStringLiteral("0"));
    EXPECT_EQ(c().countdownButton->text(), QStringLiteral("Start countdown for performing the selected action"));

    controller().onCountdownClicked();
    EXPECT_EQ(progress.maximum(), 38 * 60);
    tick(1);
    EXPECT_EQ(c().countdownButton->text(), QStringLiteral("Stop Countdown: 0 hours  37 minutes  59 seconds  "));
    EXPECT_TRUE(fake.systemActionCalls.empty());
}

TEST_F(CountdownTabTest, StartReadsTheDigitsOfTheTexts) {
    c().countdownHoursSpin->setText(QStringLiteral("-1x"));
    c().countdownMinutesSpin->setText(QStringLiteral("2 0"));
    controller().onCountdownClicked();
    EXPECT_EQ(progress.maximum(), 3600 + 20 * 60);
    EXPECT_EQ(controller().remaining().hours, 1);
    EXPECT_EQ(controller().remaining().minutes, 20);
}

TEST_F(CountdownTabTest, MinutesAboveSixtyRollOverIntoAnHour) {
    const struct {
        const char* hours;
        const char* minutes;
        const char* hoursAfter;
        const char* minutesAfter;
    } cases[] = {
        {"0", "75", "1", "0"},  {"48", "75", "48", "0"}, {"3", "61", "4", "0"},
        {"3", "60", "3", "60"}, {"2", "", "2", ""},
    };
    for (const auto& k : cases) {
        c().countdownHoursSpin->setText(QString::fromLatin1(k.hours));
        c().countdownMinutesSpin->setText(QString::fromLatin1(k.minutes)); // runs onCountdownMinutesChanged
        EXPECT_EQ(c().countdownHoursSpin->text(), QString::fromLatin1(k.hoursAfter)) << k.hours << " " << k.minutes;
        EXPECT_EQ(c().countdownMinutesSpin->text(), QString::fromLatin1(k.minutesAfter)) << k.hours << " " << k.minutes;
    }
    c().countdownMinutesSpin->setValue(60);
    c().countdownMinutesSpin->stepBy(1);
    EXPECT_EQ(c().countdownMinutesSpin->text(), QStringLiteral("0"));
}

TEST_F(CountdownTabTest, ImmediateActionTakesFlagsFromTheFirstSelectedButton) {
    const struct {
        int button;
        std::uint32_t flags;
    } cases[] = {{8, 1}, {9, 2}, {10, 64}, {11, 8}, {12, 0}};
    for (const bool force : {false, true}) {
        for (const auto& k : cases) {
            QRadioButton* buttons[] = {c().shutDownRadio, c().rebootRadio, c().restartApplicationsRadio,
                                       c().powerOffRadio, c().logOffRadio};
            buttons[k.button - 8]->setChecked(true);
            c().forceActionCheck->setChecked(force);
            fake.systemActionCalls.clear();
            c().performNowButton->click();
            EXPECT_EQ(fake.systemActionCalls, std::vector<std::uint32_t>{k.flags + (force ? 4u : 0u)})
                << k.button << " force " << force;
        }
    }
}

TEST_F(CountdownTabTest, ImmediateActionLeavesARunningCountdownRunning) {
    controller().onCountdownClicked();
    tick(3);
    c().performNowButton->click();
    EXPECT_EQ(fake.systemActionCalls, std::vector<std::uint32_t>{5});
    EXPECT_TRUE(countdown->isActive());
    EXPECT_EQ(progress.value(), 2397);
}

TEST_F(CountdownTabTest, EachFailedStageShowsItsUnownedBoxEvenInSilentMode) {
    options.silentMode = true;
    for (const char* stage :
         {"OpenProcessToken() Failed", "LookupPrivilegeValue() Failed", "AdjustTokenPrivileges() Failed"}) {
        fake.clearBoxes();
        fake.systemActionError = QString::fromLatin1(stage);
        c().performNowButton->click();
        ASSERT_EQ(fake.boxes().size(), 1) << stage;
        const auto& box = fake.boxes().front();
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_EQ(box.text, QStringLiteral("Exit Error"));
        EXPECT_EQ(box.title, QString::fromLatin1(stage));
        EXPECT_EQ(box.flags, platform::MbOk);
    }
}

TEST_F(CountdownTabTest, FailureAtTheEndOfTheCountdownLeavesTheTabIdle) {
    fake.systemActionError = QStringLiteral("AdjustTokenPrivileges() Failed");
    c().countdownMinutesSpin->setText(QStringLiteral("0"));
    controller().onCountdownClicked();
    tick(1);
    EXPECT_EQ(fake.boxes().size(), 1);
    EXPECT_FALSE(countdown->isActive());
    EXPECT_TRUE(idleLayout());
}

// A failure box runs a nested event loop; ticks arriving meanwhile must not end the countdown
// and open a second box on top.
TEST_F(CountdownTabTest, TicksWaitWhileAFailureBoxIsOpen) {
    fake.systemActionError = QStringLiteral("OpenProcessToken() Failed");
    c().countdownMinutesSpin->setText(QStringLiteral("0"));
    c().countdownHoursSpin->setText(QStringLiteral("0"));
    controller().onCountdownClicked();
    fake.onBox = [this](const platform::fake::RecordedBox&) { tick(3); };
    c().performNowButton->click();
    EXPECT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.systemActionCalls.size(), 1u);
    EXPECT_TRUE(countdown->isActive());
    fake.onBox = nullptr;
    tick(1);
    EXPECT_EQ(fake.systemActionCalls.size(), 2u);
    EXPECT_FALSE(countdown->isActive());
}

TEST_F(CountdownTabTest, HugeTypedNumbersAreReportedNotOverflowed) {
    c().countdownHoursSpin->setText(QStringLiteral("99999999999"));
    c().countdownButton->click(); // through the general error report
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes().front().title, QStringLiteral("Torvane 4.4.0"));
    EXPECT_FALSE(countdown->isActive());

    fake.clearBoxes();
    c().countdownHoursSpin->setText(QStringLiteral("2147483647"));
    controller().onCountdownClicked();
    EXPECT_EQ(progress.maximum(), 2147483647);
    tick(1);
    EXPECT_EQ(c().countdownButton->text(),
              QStringLiteral("Stop Countdown: 2147483647 hours  39 minutes  59 seconds  "));
}

// Read from the options at each call: the first chosen action wins, none chosen logs off.
TEST(CountdownOptionsTest, FlagsComeFromTheFirstChosenAction) {
    platform::fake::FakePlatform fake;
    MessagePolicy policy(fake);
    CountdownOptions options;
    const CountdownController controller({}, options, fake, policy);
    const struct {
        bool shutDown, reboot, restartApplications, powerOff, logOff, force;
        std::uint32_t flags;
    } cases[] = {
        {true, false, false, false, false, true, 5},  {false, false, false, false, false, false, 0},
        {false, false, false, false, false, true, 4}, {false, true, false, true, false, false, 2},
        {false, false, true, true, true, true, 68},   {false, false, false, true, true, false, 8},
    };
    for (const auto& c : cases) {
        options = {c.shutDown, c.reboot, c.restartApplications, c.powerOff, c.logOff, c.force};
        EXPECT_EQ(controller.selectedFlags(), c.flags) << c.flags;
    }
}

} // namespace
