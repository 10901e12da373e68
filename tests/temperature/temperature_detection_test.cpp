#include "temperature_tab_fixture.h"

#include <QLabel>

using platform::WindowHandle;

namespace {

class DetectionTest : public TemperatureTabFixture {
protected:
    void SetUp() override {
        fake.addWindow(QStringLiteral("Editor"), true, 100);
        fake.addWindow(QStringLiteral("Indexer"), false, 101);
    }
    QString heading() const { return investigator.headingLabel->text(); }
};

TEST_F(DetectionTest, RiseListsOnlyTasksWithNewExactTitles) {
    sampleAt(45); // the first jump (from 0) takes the first snapshot without a report
    EXPECT_EQ(lists().NowTempTasks.size(), 2u);
    EXPECT_FALSE(investigator.isVisible());

    fake.addWindow(QStringLiteral("Editor"), true, 200); // same title as a known task
    const WindowHandle miner = fake.addWindow(QStringLiteral("Miner"), false, 201);
    fake.addWindow(QStringLiteral("Editor "), true, 202); // differs by a blank
    sampleAt(56);

    EXPECT_TRUE(investigator.isVisible());
    EXPECT_EQ(investigatorTitles(), (QStringList{"Miner", "Editor "}));
    EXPECT_EQ(investigator.suspectsView->taskModel().at(0).handle, miner);
    EXPECT_EQ(heading(), "Temperature risen by 11 degrees. Possible task reasons:");
    EXPECT_EQ(lists().PreviousTempTasks.size(), 2u);
    // Hidden tasks first, from one enumeration.
    EXPECT_EQ(lists().NowTempTasks.front().title, "Miner");
    EXPECT_EQ(lists().NowTempTasks.size(), 5u);
}

TEST_F(DetectionTest, OnlyRisesBetweenTwoReadingsAreReported) {
    const struct {
        float from, to;
        bool snapshot;
        bool shown;
        QString heading;
    } cases[] = {
        {45, 56, true, true, "Temperature risen by 11 degrees. Possible task reasons:"},
        {45, 55.5f, true, true, "Temperature risen by 10.5 degrees. Possible task reasons:"},
        {45, 54, false, false, ""}, // a change equal to the tolerance is no change
        {56, 45, true, false, ""},
        {0, 56, true, false, ""}, // the monitor starts
        {56, 0, true, false, ""}, // the monitor stops
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
        investigator.hide();
        investigator.headingLabel->clear();
        sampleAt(c.from);
        sampleAt(c.from); // no change: the snapshots stay
        lists().NowTempTasks.clear();
        lists().PreviousTempTasks = {{QStringLiteral("Editor"), 1}};
        fake.addWindow(QStringLiteral("Appeared at %1").arg(c.to));
        sampleAt(c.to);
        EXPECT_EQ(!lists().NowTempTasks.empty(), c.snapshot);
        EXPECT_EQ(investigator.isVisible(), c.shown);
        EXPECT_EQ(investigator.headingLabel->text(), c.heading);
    }
}

TEST_F(DetectionTest, ToleranceComesFromItsSpinEdit) {
    controls().changeToleranceSpin->setValue(20);
    sampleAt(45);
    fake.addWindow(QStringLiteral("Miner"));
    sampleAt(60); // within the tolerance: no snapshot
    EXPECT_FALSE(investigator.isVisible());
    EXPECT_EQ(lists().NowTempTasks.size(), 2u);
    controls().changeToleranceSpin->setText(QStringLiteral("1 4")); // read through its digits: 14
    sampleAt(75);
    EXPECT_EQ(investigatorTitles(), QStringList{"Miner"});
    EXPECT_EQ(heading(), "Temperature risen by 15 degrees. Possible task reasons:");
}

TEST_F(DetectionTest, SecondRiseWhileOpenAppendsBelow) {
    sampleAt(45);
    fake.addWindow(QStringLiteral("Miner"));
    sampleAt(56);
    ASSERT_TRUE(investigator.isVisible());
    sampleAt(56);
    fake.addWindow(QStringLiteral("Compiler"));
    sampleAt(70);
    EXPECT_EQ(investigatorTitles(), (QStringList{"Miner", "Compiler"}));
    EXPECT_EQ(heading(), "Temperature risen by 14 degrees. Possible task reasons:");

    // Closed with "Done", the window starts afresh at the next rise.
    investigator.doneButton->click();
    sampleAt(50);
    fake.addWindow(QStringLiteral("Renderer"));
    sampleAt(65);
    EXPECT_EQ(investigatorTitles(), QStringList{"Renderer"});
}

TEST_F(DetectionTest, RiseWithoutNewTasksShowsNothing) {
    sampleAt(45);
    sampleAt(56);
    EXPECT_FALSE(investigator.isVisible());
    EXPECT_TRUE(investigatorTitles().isEmpty());
    EXPECT_EQ(heading(), "Temperature risen by 11 degrees. Possible task reasons:");
}

class InvestigatorRequestTest : public TemperatureTabFixture {
protected:
    void SetUp() override {
        fake.addWindow(QStringLiteral("Editor"), true, 100);
        sampleAt(45);
        hot = fake.addWindow(QStringLiteral("Hot task"), false, 300);
        other = fake.addWindow(QStringLiteral("Other task"), true, 301);
        sampleAt(60);
        ASSERT_EQ(investigatorTitles(), (QStringList{"Hot task", "Other task"}));
    }
    void select(int index) { investigator.suspectsView->setItemIndex(index); }
    QStringList killListTitles() const {
        QStringList titles;
        for (const TaskEntry& e : form.killListView->taskModel().tasks())
            titles << e.title;
        return titles;
    }
    WindowHandle hot = 0, other = 0;
};

TEST_F(InvestigatorRequestTest, KillIsCarriedOutByTheNextTick) {
    select(0);
    investigator.killButton->click();
    EXPECT_EQ(values.InvestigatorRequest, 1);
    EXPECT_TRUE(fake.closeRequests().empty()); // the button itself kills nothing
    reactions().ProcessInvestigatorRequest();
    EXPECT_EQ(fake.closeRequests(), std::vector<WindowHandle>{hot});
    EXPECT_EQ(fake.terminatedProcesses(), std::vector<platform::ProcessId>{300});
    EXPECT_EQ(values.InvestigatorRequest, 0);
    EXPECT_EQ(investigatorTitles().size(), 2); // the list keeps its entries
    EXPECT_EQ(form.allTasksView->count(), 2);  // the All Task List was refreshed
    reactions().ProcessInvestigatorRequest();
    EXPECT_EQ(fake.closeRequests().size(), 1u);
}

TEST_F(InvestigatorRequestTest, AddToKillListByExactTitle) {
    const struct {
        TaskList killList;
        int selected;
        QStringList expected;
    } cases[] = {
        {{}, 1, {"Other task"}},
        {{{QStringLiteral("Hot task"), 0}}, 0, {"Hot task"}},
        {{{QStringLiteral("Hot task "), 0}}, 0, {"Hot task ", "Hot task"}},
        {{}, -1, {}},
    };
    for (const auto& c : cases) {
        form.killListView->taskModel().setTasks(c.killList);
        investigator.suspectsView->clearSelection();
        if (c.selected != -1)
            select(c.selected);
        investigator.addToKillListButton->click();
        EXPECT_EQ(values.InvestigatorRequest, 2);
        reactions().ProcessInvestigatorRequest();
        EXPECT_EQ(killListTitles(), c.expected);
        EXPECT_EQ(values.InvestigatorRequest, 0);
    }
    EXPECT_TRUE(fake.closeRequests().empty());
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(InvestigatorRequestTest, AddedEntryKeepsItsHandle) {
    select(1);
    investigator.addToKillListButton->click();
    reactions().ProcessInvestigatorRequest();
    ASSERT_EQ(form.killListView->count(), 1);
    EXPECT_EQ(form.killListView->taskModel().at(0).handle, other);
}

} // namespace
