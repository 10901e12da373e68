#include "core/shared_values.h"
#include "platform/torvane_error.h"
#include "tasks/protection.h"
#include "tasks/task_tab_fixture.h"

#include <QTimer>
#include <algorithm>

using namespace platform;

namespace {

// The protection cycle over the controls it reads, as they are at start, the fake desktop and a
// Task Action window the tests answer themselves.
class ProtectionTest : public TaskTabFixture {
protected:
    // The Task Action window as the tests answer it: it notes what it was asked and, for the one
    // action the tests repeat, decides at once.
    struct AskedWindow : ActionWindow {
        explicit AskedWindow(ProtectionTest& test) : test(test) {}
        bool actionWindowShown() const override { return test.windowVisible; }
        void showForActionTask() override {
            test.asked << test.values().ActionTask.title;
            test.windowVisible = true;
        }
        void showFor(const TaskEntry&, const QString&) override { ADD_FAILURE() << "not asked by hand"; }
        void startOnShow() override { test.repeated << test.values().ActionTask.title; }
        void performRepeatLast() override {
            ASSERT_EQ(test.values().RepeatLastAction, RepeatAction::AllowToRun);
            test.values().DecidedTask.title = test.values().ActionTask.title;
            test.values().DecidedTask.handle = test.values().ActionTask.handle;
            test.values().TaskDecision = ActionDecision::AllowToRun;
        }
        ProtectionTest& test;
    };
    void SetUp() override {
        known = fake.addWindow("Known hidden", false, 100);
        start();
        for (QAction* item : {protectionAction, trayProtectionAction, memoryWarningAction})
            item->setCheckable(true);
        // Protection starts and stops through its menu item's check mark, as in the program.
        bind::checked(protectionAction, options.protectionOn);
        guard = std::make_unique<Protection>(
            ProtectionControls{&window, safeListView, killListView, protectionButton, treatAllAsNewButton,
                               memoryWarningCheck, warnSafeListToCheck, protectionAction, trayProtectionAction,
                               memoryWarningAction, temperatureTimer, silentModeAction},
            options, recognition, values_, fake, policy, *actions, actionWindow, noRequests);
        options.memoryWarning = false; // memory warning tested on its own
        temperatureTimer->start();     // sampling temperatures, as from start-up on (nothing is connected to it)
    }
    Protection& protection() { return *guard; }
    SharedValues& values() { return values_; }
    void startProtection() {
        fake.queueAnswer(IdYes);
        protection().toggleProtection();
        ASSERT_TRUE(protection().protectionOn());
        fake.clearBoxes();
    }
    void tick() { protection().onProtectionTick(); }
    // The user answers the shown window.
    void decide(ActionDecision decision) {
        values().DecidedTask.title = values().ActionTask.title;
        values().DecidedTask.handle = values().ActionTask.handle;
        values().TaskDecision = decision;
        values().ActionTask.title.clear();
        windowVisible = false;
    }
    static bool contains(const TaskList& list, const QString& title) {
        return std::any_of(list.begin(), list.end(), [&](const TaskEntry& e) { return e.title == title; });
    }

    WindowHandle known = 0;
    bool windowVisible = false;
    QStringList asked;
    QStringList repeated;
    struct NoRequests : InvestigatorRequests {
        void ProcessInvestigatorRequest() override {}
    };

    QPushButton* protectionButton = new QPushButton(&window);
    QPushButton* treatAllAsNewButton = new QPushButton(&window);
    QCheckBox* memoryWarningCheck = form::checkBox(&window, "memoryWarningCheck", {}, true);
    QCheckBox* warnSafeListToCheck = form::checkBox(&window, "warnSafeListToCheck", {}, true);
    ProtectionOptions options; // as at start
    QAction* protectionAction = new QAction(&window);
    QAction* trayProtectionAction = new QAction(&window);
    QAction* memoryWarningAction = new QAction(&window);
    QTimer* temperatureTimer = new QTimer(&window);
    SharedValues values_;
    AskedWindow actionWindow{*this};
    NoRequests noRequests;
    std::unique_ptr<Protection> guard;
};

TEST_F(ProtectionTest, StatusCaptionWithAndWithoutTemperature) {
    values().FreeMemPercent = 37;
    values().CurrentTemp = 52;
    tick();
    EXPECT_EQ(window.windowTitle(), "Torvane  37 % free memory, 52 C core temperature");
    temperatureTimer->stop();
    tick();
    EXPECT_EQ(window.windowTitle(), "Torvane  37 % free memory");
}

TEST_F(ProtectionTest, KillListIsEnforcedWithoutProtection) {
    killListView->taskModel().append({"Intruder", 0});
    const WindowHandle intruder = fake.addWindow("Intruder", true, 700);
    tick();
    EXPECT_EQ(fake.terminatedProcesses(), std::vector<ProcessId>{700});
    EXPECT_FALSE(fake.hasWindow(intruder));
    EXPECT_TRUE(asked.isEmpty());
}

TEST_F(ProtectionTest, AKillListedTaskIsKilledNotAskedAbout) {
    startProtection();
    killListView->taskModel().append({"Unwanted agent", 0});
    fake.addWindow("Unwanted agent", false, 710);
    tick();
    EXPECT_EQ(fake.terminatedProcesses(), std::vector<ProcessId>{710});
    EXPECT_TRUE(asked.isEmpty()); // gone already: no question about it in the same tick
}

TEST_F(ProtectionTest, NewHiddenTaskIsAskedAboutAndASecondOneWaits) {
    startProtection();
    tick();
    EXPECT_TRUE(asked.isEmpty()); // everything running at the start is known
    fake.addWindow("First new", false, 201);
    fake.addWindow("Second new", false, 202);
    tick();
    ASSERT_EQ(asked.size(), 1);
    const QString first = asked[0];
    tick();
    EXPECT_EQ(asked.size(), 1); // the window is still up
    decide(ActionDecision::AllowToRun);
    tick();
    EXPECT_TRUE(contains(protection().lists().RunningBefore, first));
    ASSERT_EQ(asked.size(), 2);
    EXPECT_NE(asked[1], first);
    decide(ActionDecision::AllowToRun);
    tick();
    tick();
    EXPECT_EQ(asked.size(), 2); // allowed tasks are known now
}

TEST_F(ProtectionTest, VisibleTasksAreCandidatesOnlyWhenTreatedAsHidden) {
    startProtection();
    fake.addWindow("Visible new", true, 300);
    tick();
    EXPECT_TRUE(asked.isEmpty());
    options.treatShownAsHidden = true;
    tick();
    EXPECT_EQ(asked, QStringList{"Visible new"});
}

TEST_F(ProtectionTest, SilentModeKillsUnknownCandidatesOnly) {
    safeListView->taskModel().append({"Backup agent", 0});
    startProtection();
    silentModeAction->setChecked(true);
    fake.addWindow("Backup agent", false, 401);    // exact title
    fake.addWindow("Backup agent v2", false, 402); // resembles
    const WindowHandle renamed = fake.addWindow("Totally different", false, 403);
    protection().lists().RunningBefore.push_back({"old title", renamed}); // known by handle
    fake.addWindow("Stranger", false, 404);
    tick();
    EXPECT_EQ(fake.terminatedProcesses(), std::vector<ProcessId>{404});

    recognitionSettings.cleverProcessing = false; // no resemblance stage: the look-alike goes too
    tick();
    EXPECT_EQ(fake.terminatedProcesses(), (std::vector<ProcessId>{404, 402}));
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(ProtectionTest, RetitledWindowIsAskedAgainOnlyWhileHandlesDoNotCount) {
    const WindowHandle w = fake.addWindow("Downloader", false, 500);
    startProtection();
    fake.setTitle(w, "Downloader 45%");
    tick();
    EXPECT_EQ(asked, QStringList{"Downloader 45%"});
    decide(ActionDecision::Ignore);
    tick();
    recognitionSettings.changeByHandle = false;
    asked.clear();
    tick();
    EXPECT_TRUE(asked.isEmpty()); // known by its handle
}

TEST_F(ProtectionTest, DecisionsAreAppliedOnceWithConfirmations) {
    startProtection();
    confirmActionsCheck->setChecked(true);
    const WindowHandle w = fake.addWindow("Updater", false, 600);
    tick();
    decide(ActionDecision::AddToSafeList);
    windowVisible = true; // the window already shows the next task
    tick();
    ASSERT_EQ(safeListView->count(), 1);
    EXPECT_EQ(safeListView->taskModel().at(0), (TaskEntry{"Updater", w}));
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].title, "Added to safe List");
    EXPECT_EQ(fake.boxes()[0].text, QString("Successfully added Updaterto the safe list.\n\rNow, the task will be "
                                            "processed according to the safe list commands."));
    EXPECT_EQ(fake.boxes()[0].flags, MbIconInformation);
    EXPECT_EQ(values().TaskDecision, ActionDecision::None);
    tick();
    EXPECT_EQ(safeListView->count(), 1);
    EXPECT_EQ(fake.boxes().size(), 1);

    confirmActionsCheck->setChecked(false);
    values().DecidedTask.title = "Updater";
    values().DecidedTask.handle = w;
    values().TaskDecision = ActionDecision::AddToKillList;
    tick();
    EXPECT_EQ(killListView->count(), 1);
    EXPECT_EQ(fake.boxes().size(), 1); // confirmations off
}

TEST_F(ProtectionTest, NoTickRunsInsideABoxOpenedByATick) {
    startProtection();
    confirmActionsCheck->setChecked(true);
    int nested = 0;
    fake.onBox = [&](const platform::fake::RecordedBox&) {
        ++nested;
        tick(); // a timer firing inside the box's event loop
    };
    values().DecidedTask.title = "Tool";
    values().DecidedTask.handle = 0;
    values().TaskDecision = ActionDecision::AllowToRun;
    tick();
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(protection().lists().RunningBefore.size(), 2u);
}

TEST_F(ProtectionTest, RepeatPathDecidesWithoutShowing) {
    startProtection();
    values().RepeatLastAction = RepeatAction::AllowToRun;
    fake.addWindow("Repeat me", false, 700);
    tick();
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(repeated, QStringList{"Repeat me"});
    tick();
    EXPECT_TRUE(contains(protection().lists().RunningBefore, "Repeat me"));
    options.quickRepeat = false;
    fake.addWindow("Shown anyway", false, 701);
    tick();
    EXPECT_EQ(asked, QStringList{"Shown anyway"});
}

TEST_F(ProtectionTest, MemoryWarningOnceAndNotForTasksOverTheLimitAtStart) {
    fake.setWorkingSet(100, 80ull << 20); // the task running at start
    options.memoryWarning = true;
    startProtection();
    EXPECT_TRUE(contains(protection().lists().AllowedOfSize, "Known hidden"));
    const WindowHandle big = fake.addWindow("Big visible", true, 800);
    fake.setWorkingSet(800, 60ull << 20);
    protection().lists().RunningBefore.push_back({"Big visible", big});
    tick();
    EXPECT_EQ(asked, QStringList{"Big visible"});
    decide(ActionDecision::AllowToRun);
    tick();
    EXPECT_TRUE(contains(protection().lists().AllowedOfSize, "Big visible"));
    tick();
    EXPECT_EQ(asked.size(), 1);
    EXPECT_EQ(values().MemoryLimitMB, 55);
}

TEST_F(ProtectionTest, ShortenedCandidateNames) {
    const QString title(40, QChar('n'));
    startProtection();
    recognitionSettings.limitNameLength = true;
    fake.addWindow(title, false, 900);
    tick();
    EXPECT_EQ(asked, QStringList{title.left(32)});
}

// Nothing an earlier tick has open delays the kill list: a task just put in the kill list ends before
// its notice opens, and one that appears while the notice is open ends at the next tick.
TEST_F(ProtectionTest, KillListHoldsWhileATickWaitsInABox) {
    startProtection();
    confirmActionsCheck->setChecked(true);
    fake.addWindow("Listed now", false, 601);
    tick();
    std::vector<ProcessId> killedWhenBoxOpened;
    fake.onBox = [&](const platform::fake::RecordedBox&) {
        killedWhenBoxOpened = fake.terminatedProcesses();
        killListView->taskModel().append({"Appears meanwhile", 0});
        fake.addWindow("Appears meanwhile", true, 602);
        tick(); // the timer firing inside the box's event loop
    };
    decide(ActionDecision::AddToKillList);
    tick();
    fake.onBox = nullptr;
    EXPECT_EQ(killedWhenBoxOpened, std::vector<ProcessId>{601});
    EXPECT_EQ(fake.terminatedProcesses(), (std::vector<ProcessId>{601, 602}));
}

// A task that outlives "Kill Task" (its program ignores the close request and has no known process)
// is asked about again only once its title changes; repeated decisions add no duplicates.
TEST_F(ProtectionTest, ASurvivorIsNotAskedAgainAndDecisionsAddNoDuplicates) {
    startProtection();
    const WindowHandle stubborn = fake.addWindow("Save changes?", false, 0);
    tick();
    ASSERT_EQ(asked, QStringList{"Save changes?"});
    EXPECT_EQ(actions->killCaptured(values().ActionTask, kill_reason::taskActionWindow()), TaskActions::KillOutcome::Killed);
    decide(ActionDecision::KillTask);
    tick();
    tick();
    EXPECT_EQ(asked.size(), 1);
    fake.setTitle(stubborn, "Save changes to notes?");
    tick();
    EXPECT_EQ(asked.size(), 2);

    for (const ActionDecision decision : {ActionDecision::AddToKillList, ActionDecision::AllowToRun}) {
        const std::size_t running = protection().lists().RunningBefore.size();
        for (int i = 0; i < 2; ++i) {
            values().DecidedTask = TaskEntry{"Twice decided", 0};
            values().TaskDecision = decision;
            values().ActionTask = TaskEntry{}; // the window forgets the asked task when it hides
            tick();
        }
        EXPECT_LE(killListView->count(), 1);
        EXPECT_LE(protection().lists().RunningBefore.size(), running + 1);
    }
}

} // namespace
