#include "app/ttorvane.h"
#include "core/main_form.h"
#include "core/task_list_view.h"
#include "support/app_fixture.h"
#include "tasks/task_actions.h"

#include <QAction>
#include <QPushButton>

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
    EXPECT_EQ(fake.boxes()[0].flags, 0x34u);
    EXPECT_EQ(fake.boxes()[1].flags, 0x40u);
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
    EXPECT_EQ(fake.boxes()[0].flags, 0x10u);
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
        EXPECT_EQ(fake.boxes()[0].flags, 0x40u);
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

} // namespace
