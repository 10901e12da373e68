#include "app/main_window.h"
#include "app/torvane_program.h"
#include "core/activity_log.h"
#include "lists/list_commands.h"
#include "lists/task_action_window.h"
#include "lists/task_management_tab.h"
#include "support/app_fixture.h"
#include "tasks/protection.h"
#include "tasks/task_actions.h"
#include "tasks/task_list_controller.h"
#include "temperature/temperature_investigator.h"
#include "temperature/temperature_reactions.h"
#include "temperature/temperature_tab.h"
#include "widgets/task_list_view.h"

#include "app/history_window.h"
#include "app/main_form.h"
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTableWidget>

using namespace platform;

namespace {

class ActivityLogTest : public AppFixture {
protected:
    TaskEntry listed(const QString& title) {
        main().taskList().onRefreshTasksTriggered();
        for (const TaskEntry& e : taskTab().allTasksView->taskModel().tasks())
            if (e.title == title)
                return e;
        ADD_FAILURE() << "not listed: " << title.toStdString();
        return {};
    }
    void select(const QString& title) {
        const TaskList& tasks = taskTab().allTasksView->taskModel().tasks();
        for (int i = 0; i < int(tasks.size()); ++i)
            if (tasks[i].title == title)
                taskTab().allTasksView->setItemIndex(i);
    }
};

// Each way Torvane ends a task leaves one entry naming that way, the process and what came of it.
TEST_F(ActivityLogTest, EveryPathLeavesOneEntryWithItsReason) {
    startProgram();
    WindowHandle victim = 0;
    ProcessId pid = 800;
    const struct {
        const char* reason;
        std::function<void()> act; // on the window "Victim"
        const char* result = "ended";
    } paths[] = {
        {"kill list entry \"Victim\"",
         [&] {
             taskTab().killListView->taskModel().append({"Victim", 0});
             fake.setCloseRemovesWindow(false);
             main().protection().onProtectionTick();
             main().protection().onProtectionTick(); // struck again while it lingers: logged once
             taskTab().killListView->taskModel().clear();
         }},
        {"Task Action window",
         [&] {
             program->newTask().showFor(listed("Victim"));
             program->newTask().rememberCheck->setChecked(false);
             program->newTask().onKillTaskClicked();
         }},
        {"memory warning",
         [&] {
             fake.setWorkingSet(pid, 600ull << 20);
             program->values().MemoryLimitMB = 55;
             program->newTask().showFor(listed("Victim"));
             program->newTask().rememberCheck->setChecked(false);
             program->newTask().onKillTaskClicked();
         }},
        {"Kill Selected Task",
         [&] {
             listed("Victim");
             select("Victim");
             fake.queueAnswer(IdYes);
             main().taskActions().KillSelectedTask();
         }},
        {"Kill All Outside Safe List",
         [&] {
             fake.queueAnswer(IdNo); // hidden tasks stay hidden
             listed("Victim");
             main().listCommands().onKillAllOutsideSafeListClicked();
         }},
        {"overheat reaction",
         [&] {
             fake.queueAnswer(IdNo);
             listed("Victim");
             main().listCommands().killAllOutsideSafeList(kill_reason::overheatReaction());
         }},
        {"temperature investigator",
         [&] {
             TaskListView& list = *program->investigator().suspectsView;
             list.taskModel().setTasks({listed("Victim")});
             list.setSelected(0, true);
             program->values().InvestigatorRequest = TemperatureInvestigator::kKillRequest;
             main().temperatureTab().reactions().ProcessInvestigatorRequest();
         }},
        {"Task Action window",
         [&] {
             program->newTask().showFor(listed("Victim"));
             program->newTask().rememberCheck->setChecked(true);
             program->newTask().onAllowClicked();
         },
         "remembered: Allow to Run"},
        {"Kill Selected Task",
         [&] {
             fake.giveWindowTo(victim, fake.ownPid);
             listed("Victim");
             select("Victim");
             main().taskActions().KillSelectedTask();
         },
         "refused: Torvane itself"},
    };
    for (const auto& p : paths) {
        fake.clearBoxes();
        victim = fake.addWindow("Victim", true, ++pid);
        const std::size_t before = main().activityLog().latest().size();
        p.act();
        const auto& latest = main().activityLog().latest();
        ASSERT_EQ(latest.size(), before + 1) << p.reason;
        const ActivityEntry& entry = latest.back();
        EXPECT_EQ(entry.reason, p.reason);
        EXPECT_EQ(entry.resultText(), p.result) << p.reason;
        EXPECT_EQ(entry.title, "Victim") << p.reason;
        EXPECT_EQ(entry.pid, entry.result == ActivityResult::RefusedOwnTask ? fake.ownPid : pid) << p.reason;
        if (entry.result == ActivityResult::Ended) {
            EXPECT_EQ(entry.executable, QStringLiteral("/usr/bin/program-%1").arg(pid)) << p.reason;
        }
        if (fake.hasWindow(victim))
            fake.removeWindow(victim);
        fake.setCloseRemovesWindow(true);
    }
    // The History window shows them newest first, and its filter keeps the rows that match.
    QTableWidget& table = *main().history().historyTable;
    ASSERT_EQ(table.rowCount(), int(std::size(paths)));
    EXPECT_EQ(table.item(0, 1)->text(), "refused: Torvane itself");
    EXPECT_EQ(table.item(int(std::size(paths)) - 1, 5)->text(), "kill list entry \"Victim\"");
    main().history().filterEdit->setText("SELECTED");
    QStringList shown;
    for (int row = 0; row < table.rowCount(); ++row)
        if (!table.isRowHidden(row))
            shown << table.item(row, 5)->text();
    EXPECT_EQ(shown, QStringList({"Kill Selected Task", "Kill Selected Task"}));

    // The file beside the lists has them all, and a new start shows them again.
    main().activityLog().flush();
    ASSERT_EQ(ActivityFile(baseDir.filePath("Activity.log")).readLatest(100).size(), std::size(paths));
    program.reset();
    startProgram();
    EXPECT_EQ(main().history().historyTable->rowCount(), int(std::size(paths)));
    EXPECT_EQ(main().history().historyTable->item(0, 1)->text(), "refused: Torvane itself");
}

} // namespace
