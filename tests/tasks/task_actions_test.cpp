#include "task_tab_fixture.h"

#include <algorithm>

using namespace platform;

namespace {

class TaskActionsTest : public TaskTabFixture {
protected:
    void SetUp() override {
        editorA = fake.addWindow("Editor", true, 500);
        editorB = fake.addWindow("Editor tools", true, 500);
        other = fake.addWindow("Player", true, 600);
        start();
    }
    WindowHandle editorA = 0, editorB = 0, other = 0;
};

TEST_F(TaskActionsTest, KillingOneWindowEndsItsWholeProcessAndRefreshes) {
    select("Editor");
    actions->KillSelectedTask();
    EXPECT_EQ(boxTitles(), (QStringList{"Kill Selected Task", "Killed Selected Task"}));
    EXPECT_EQ(fake.boxes()[0].text,
              "Killing a task will force it to stop running. Do you wish to kill the selected task ?");
    EXPECT_EQ(fake.boxes()[0].flags, MbYesNo | MbIconWarning);
    EXPECT_EQ(fake.boxes()[1].flags, MbIconInformation);
    EXPECT_EQ(fake.terminatedProcesses(), std::vector<ProcessId>{500});
    EXPECT_EQ(fake.closeRequests(), std::vector<WindowHandle>{editorA});
    EXPECT_FALSE(fake.hasWindow(editorB));
    EXPECT_EQ(allTasksView->count(), 1); // refreshed: only the player is left
}

TEST_F(TaskActionsTest, SafeListQuestionGoesByHandleOnly) {
    const struct {
        TaskEntry safeEntry;
        bool silent;
        std::vector<int> answers;
        QStringList expectedBoxes;
        bool killed;
    } cases[] = {
        // Same handle under another title: a safe-list task.
        {{"renamed", 0}, false, {IdNo}, {"Trying to Kill Task from Safe List"}, false},
        {{"renamed", 0},
         false,
         {IdYes, IdYes},
         {"Trying to Kill Task from Safe List", "Kill Selected Task", "Killed Selected Task"},
         true},
        {{"renamed", 0}, true, {}, {}, false}, // silent: the suppressed question counts as No
        // Same title, other handle: an ordinary task.
        {{"Player", 1}, false, {IdYes}, {"Kill Selected Task", "Killed Selected Task"}, true},
        {{"Player", 1}, true, {}, {}, true},
    };
    for (const auto& c : cases) {
        start();
        TaskEntry entry = c.safeEntry;
        if (entry.handle == 0)
            entry.handle = other;
        safeListView->taskModel().append(entry);
        silentModeAction->setChecked(c.silent);
        select("Player");
        fake.clearBoxes();
        for (int a : c.answers)
            fake.queueAnswer(a);
        const auto before = fake.terminatedProcesses().size();
        actions->KillSelectedTask();
        EXPECT_EQ(boxTitles(), c.expectedBoxes) << entry.title.toStdString() << c.silent;
        EXPECT_EQ(fake.terminatedProcesses().size() > before, c.killed) << entry.title.toStdString() << c.silent;
        if (c.killed) {
            other = fake.addWindow("Player", true, 600); // bring it back for the next case
        }
    }
}

TEST_F(TaskActionsTest, NothingSelected) {
    actions->KillSelectedTask();
    ASSERT_EQ(boxTitles(), QStringList{"No Selected Task"});
    EXPECT_EQ(fake.boxes()[0].text, "No detected tasks selected to be killed.");
    EXPECT_EQ(fake.boxes()[0].flags, MbIconError);
    fake.clearBoxes();
    actions->ShowSelectedMemory();
    EXPECT_TRUE(fake.boxes().isEmpty());
    silentModeAction->setChecked(true);
    actions->KillSelectedTask();
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_TRUE(fake.terminatedProcesses().empty());
}

TEST_F(TaskActionsTest, MemoryNoticeRoundsHalvesToEvenAndShowsEvenInSilentMode) {
    const struct {
        std::uint64_t bytes;
        int megabytes;
    } cases[] = {{3670016, 4}, {2621440, 2}, {524288, 0}, {524289, 1}, {0, 0}, {6ull << 30, 6144}};
    silentModeAction->setChecked(true);
    select("Editor");
    for (const auto& c : cases) {
        fake.setWorkingSet(500, c.bytes);
        fake.clearBoxes();
        actions->ShowSelectedMemory();
        ASSERT_EQ(fake.boxes().size(), 1);
        EXPECT_EQ(fake.boxes()[0].title, "Editor");
        EXPECT_EQ(fake.boxes()[0].flags, MbIconInformation);
        EXPECT_EQ(fake.boxes()[0].text,
                  QString("The program using this task consumes \n\r%1 Mega bytes of memory.").arg(c.megabytes));
    }
}

TEST_F(TaskActionsTest, StaleHandleKillsNothingAndReadsZero) {
    std::uint64_t bytes = 77;
    fake.removeWindow(other);
    actions->KillTaskWindow(other);
    EXPECT_TRUE(fake.terminatedProcesses().empty());
    EXPECT_TRUE(fake.closeRequests().empty());
    EXPECT_TRUE(actions->GetTaskMemory(other, bytes));
    EXPECT_EQ(bytes, 0u);
    bytes = 77;
    EXPECT_FALSE(actions->GetTaskMemory(0, bytes));
    EXPECT_EQ(bytes, 77u);
}

TEST_F(TaskActionsTest, KillSelectedTaskKillsTheChosenWindowOrNothing) {
    // The Player (bottom row) is chosen; while the question is open the desktop changes and the
    // list refreshes under it.
    using Change = void (*)(platform::fake::FakePlatform&, WindowHandle player);
    const struct {
        const char* what;
        Change meanwhile;
        bool killed;
    } cases[] = {
        {"a new window moves the rows", [](auto& f, WindowHandle) { f.addWindow("Newcomer", true, 700); }, true},
        {"the list shrinks below the row",
         [](auto& f, WindowHandle player) {
             for (const auto& w : std::vector(f.windows()))
                 if (w.handle != player)
                     f.removeWindow(w.handle);
         },
         true},
        {"the chosen window closed", [](auto& f, WindowHandle player) { f.removeWindow(player); }, false},
        {"its process ended and another took the id", [](auto& f, WindowHandle) { f.reusePid(600); }, false},
    };
    for (const auto& c : cases) {
        for (const auto& w : std::vector(fake.windows()))
            fake.removeWindow(w.handle);
        fake.addWindow("Player", true, 600);
        fake.addWindow("Editor", true, 500);
        fake.addWindow("Editor tools", true, 500);
        start();
        select("Player");
        const WindowHandle player = allTasksView->taskModel().at(allTasksView->itemIndex()).handle;
        fake.onBox = [&](const platform::fake::RecordedBox& box) {
            if (box.title == "Kill Selected Task") {
                c.meanwhile(fake, player);
                taskList->onRefreshTasksTriggered();
            }
        };
        const auto killedBefore = fake.terminatedProcesses().size();
        const auto closedBefore = fake.closeRequests().size();
        actions->KillSelectedTask();
        fake.onBox = nullptr;
        const std::vector<ProcessId> killed(fake.terminatedProcesses().begin() + killedBefore,
                                            fake.terminatedProcesses().end());
        const std::vector<WindowHandle> closed(fake.closeRequests().begin() + closedBefore, fake.closeRequests().end());
        EXPECT_EQ(killed, c.killed ? std::vector<ProcessId>{600} : std::vector<ProcessId>{}) << c.what;
        EXPECT_EQ(closed, c.killed ? std::vector<WindowHandle>{player} : std::vector<WindowHandle>{}) << c.what;
    }
}

} // namespace
