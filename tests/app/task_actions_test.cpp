#include "app/main_form.h"
#include "app/torvane_program.h"
#include "app/ttorvane.h"
#include "core/shared_values.h"
#include "lists/t_new_task.h"
#include "platform/torvane_error.h"
#include "support/app_fixture.h"
#include "tasks/protection.h"
#include "tasks/task_actions.h"
#include "temperature/t_temp_investigator.h"
#include "temperature/temperature_reactions.h"
#include "temperature/temperature_tab.h"
#include "widgets/task_list_view.h"

#include <QAction>
#include <QPushButton>
#include <algorithm>

using namespace platform;

namespace {

class TaskActionsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        editorA = fake.addWindow("Editor", true, 500);
        editorB = fake.addWindow("Editor tools", true, 500);
        other = fake.addWindow("Player", true, 600);
        startProgram();
    }
    void select(const QString& title) {
        const TaskList& tasks = form().ListBox1->taskModel().tasks();
        for (int i = 0; i < int(tasks.size()); ++i)
            if (tasks[i].title == title)
                form().ListBox1->setItemIndex(i);
    }
    QStringList titles() {
        QStringList out;
        for (const platform::fake::RecordedBox& b : fake.boxes())
            out << b.title;
        return out;
    }
    WindowHandle editorA = 0, editorB = 0, other = 0;
};

TEST_F(TaskActionsTest, KillingOneWindowEndsItsWholeProcessAndRefreshes) {
    select("Editor");
    form().Button1->click();
    EXPECT_EQ(titles(), (QStringList{"Kill Selected Task", "Killed Selected Task"}));
    EXPECT_EQ(fake.boxes()[0].text,
              "Killing a task will force it to stop running. Do you wish to kill the selected task ?");
    EXPECT_EQ(fake.boxes()[0].flags, MbYesNo | MbIconWarning);
    EXPECT_EQ(fake.boxes()[1].flags, MbIconInformation);
    EXPECT_EQ(fake.terminatedProcesses(), std::vector<ProcessId>{500});
    EXPECT_EQ(fake.closeRequests(), std::vector<WindowHandle>{editorA});
    EXPECT_FALSE(fake.hasWindow(editorB));
    EXPECT_EQ(form().ListBox1->count(), 1); // refreshed: only the player is left
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
        startProgram();
        TaskEntry entry = c.safeEntry;
        if (entry.handle == 0)
            entry.handle = other;
        form().ListBox2->taskModel().append(entry);
        form().SilentMode1->setChecked(c.silent);
        select("Player");
        fake.clearBoxes();
        for (int a : c.answers)
            fake.queueAnswer(a);
        const auto before = fake.terminatedProcesses().size();
        main().taskActions().KillSelectedTask();
        EXPECT_EQ(titles(), c.expectedBoxes) << entry.title.toStdString() << c.silent;
        EXPECT_EQ(fake.terminatedProcesses().size() > before, c.killed) << entry.title.toStdString() << c.silent;
        if (c.killed) {
            other = fake.addWindow("Player", true, 600); // bring it back for the next case
        }
    }
}

TEST_F(TaskActionsTest, NothingSelected) {
    form().Killtask2->trigger();
    ASSERT_EQ(titles(), QStringList{"No Selected Task"});
    EXPECT_EQ(fake.boxes()[0].text, "No detected tasks selected to be killed.");
    EXPECT_EQ(fake.boxes()[0].flags, MbIconError);
    fake.clearBoxes();
    form().Button25->click();
    EXPECT_TRUE(fake.boxes().isEmpty());
    form().SilentMode1->setChecked(true);
    form().Button1->click();
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_TRUE(fake.terminatedProcesses().empty());
}

TEST_F(TaskActionsTest, MemoryNoticeRoundsHalvesToEvenAndShowsEvenInSilentMode) {
    const struct {
        std::uint64_t bytes;
        int megabytes;
    } cases[] = {{3670016, 4}, {2621440, 2}, {524288, 0}, {524289, 1}, {0, 0}, {6ull << 30, 6144}};
    form().SilentMode1->setChecked(true);
    select("Editor");
    for (const auto& c : cases) {
        fake.setWorkingSet(500, c.bytes);
        fake.clearBoxes();
        form().ShowUsingMemory1->trigger();
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
    main().taskActions().KillTaskWindow(other);
    EXPECT_TRUE(fake.terminatedProcesses().empty());
    EXPECT_TRUE(fake.closeRequests().empty());
    EXPECT_TRUE(main().taskActions().GetTaskMemory(other, bytes));
    EXPECT_EQ(bytes, 0u);
    bytes = 77;
    EXPECT_FALSE(main().taskActions().GetTaskMemory(0, bytes));
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
        startProgram();
        select("Player");
        const WindowHandle player = form().ListBox1->taskModel().at(form().ListBox1->itemIndex()).handle;
        fake.onBox = [&](const platform::fake::RecordedBox& box) {
            if (box.title == "Kill Selected Task") {
                c.meanwhile(fake, player);
                form().RefreshTasks1->trigger();
            }
        };
        const auto killedBefore = fake.terminatedProcesses().size();
        const auto closedBefore = fake.closeRequests().size();
        main().taskActions().KillSelectedTask();
        fake.onBox = nullptr;
        const std::vector<ProcessId> killed(fake.terminatedProcesses().begin() + killedBefore,
                                            fake.terminatedProcesses().end());
        const std::vector<WindowHandle> closed(fake.closeRequests().begin() + closedBefore, fake.closeRequests().end());
        EXPECT_EQ(killed, c.killed ? std::vector<ProcessId>{600} : std::vector<ProcessId>{}) << c.what;
        EXPECT_EQ(closed, c.killed ? std::vector<WindowHandle>{player} : std::vector<WindowHandle>{}) << c.what;
    }
}

TEST_F(TaskActionsTest, EveryKillPathSparesTheProgramItself) {
    const WindowHandle own = fake.addWindow("Torvane own", true, fake.ownPid);
    startProgram();
    SharedValues& values = program->values();
    const struct {
        const char* what;
        std::function<void()> act;
        bool told; // asked for by the user: the refusal is explained
    } paths[] = {
        {"Kill Selected Task",
         [&] {
             select("Torvane own");
             main().taskActions().KillSelectedTask();
         },
         true},
        {"Task Action's Kill Task",
         [&] {
             program->newTask().showFor("Torvane own", own);
             program->newTask().Button1Click();
         },
         true},
        {"the kill list",
         [&] {
             form().ListBox3->taskModel().append({"Torvane own", 0});
             main().protection().Timer3Timer();
             form().ListBox3->taskModel().clear();
         },
         false},
        {"silent kills of new tasks",
         [&] {
             fake.queueAnswer(IdYes);
             main().protection().ShowS();
             form().SilentMode1->setChecked(true);
             fake.setTitle(own, "Torvane own, renamed"); // its caption changes like the main window's
             main().protection().Timer3Timer();
             form().SilentMode1->setChecked(false);
         },
         false},
        {"the investigator",
         [&] {
             TaskListView& list = *program->investigator().ListBox1;
             list.taskModel().append({"Torvane own", own});
             list.setSelected(0, true);
             values.InvestigatorRequest = TTempInvestigator::kKillRequest;
             main().temperatureTab().reactions().ProcessInvestigatorRequest();
         },
         false},
    };
    for (const auto& p : paths) {
        fake.clearBoxes();
        p.act();
        EXPECT_TRUE(fake.hasWindow(own)) << p.what;
        EXPECT_TRUE(fake.closeRequests().empty()) << p.what;
        EXPECT_TRUE(fake.terminatedProcesses().empty()) << p.what;
        EXPECT_EQ(titles().contains("Task Not Killed"), p.told) << p.what << ": " << titles().join(", ").toStdString();
    }
    // Nor is the program's own window ever asked about as a new task.
    fake.setTitle(own, "Torvane own, renamed again");
    values.ActionTaskWindow = 0;
    main().protection().Timer3Timer();
    EXPECT_NE(values.ActionTaskWindow, own);
}

} // namespace
