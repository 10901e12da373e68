#include "app/advanced_options_tab.h"
#include "app/main_form.h"
#include "app/main_window.h"
#include "app/torvane_program.h"
#include "core/shared_values.h"
#include "lists/list_commands.h"
#include "lists/task_action_window.h"
#include "lists/task_management_tab.h"
#include "platform/torvane_error.h"
#include "support/app_fixture.h"
#include "tasks/protection.h"
#include "tasks/task_actions.h"
#include "tasks/task_list_controller.h"
#include "temperature/temperature_investigator.h"
#include "temperature/temperature_reactions.h"
#include "temperature/temperature_tab.h"
#include "widgets/task_list_view.h"

#include <QAction>
#include <QCheckBox>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

using namespace platform;

namespace {

class TaskActionsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        fake.addWindow("Editor", true, 500);
        fake.addWindow("Editor tools", true, 500);
        fake.addWindow("Player", true, 600);
        startProgram();
    }
    void select(const QString& title) {
        const TaskList& tasks = taskTab().allTasksView->taskModel().tasks();
        for (int i = 0; i < int(tasks.size()); ++i)
            if (tasks[i].title == title)
                taskTab().allTasksView->setItemIndex(i);
    }
    QStringList titles() {
        QStringList out;
        for (const platform::fake::RecordedBox& b : fake.boxes())
            out << b.title;
        return out;
    }
};

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
             program->newTask().showFor({"Torvane own", own});
             program->newTask().onKillTaskClicked();
         },
         true},
        {"the kill list",
         [&] {
             taskTab().killListView->taskModel().append({"Torvane own", 0});
             main().protection().onProtectionTick();
             taskTab().killListView->taskModel().clear();
         },
         false},
        {"silent kills of new tasks",
         [&] {
             fake.queueAnswer(IdYes);
             main().protection().toggleProtection();
             form().silentModeAction->setChecked(true);
             fake.setTitle(own, "Torvane own, renamed"); // its caption changes like the main window's
             main().protection().onProtectionTick();
             form().silentModeAction->setChecked(false);
         },
         false},
        {"the investigator",
         [&] {
             TaskListView& list = *program->investigator().suspectsView;
             list.taskModel().append({"Torvane own", own});
             list.setSelected(0, true);
             values.InvestigatorRequest = TemperatureInvestigator::kKillRequest;
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
    values.ActionTask.handle = 0;
    main().protection().onProtectionTick();
    EXPECT_NE(values.ActionTask.handle, own);
}

// A task is struck only while its window has the owner noted when the task was listed or asked
// about: an id the X server has meanwhile handed to a new program is left alone.
TEST_F(TaskActionsTest, DelayedKillsSpareAWindowThatChangedHands) {
    SharedValues& values = program->values();
    const auto listed = [&](const QString& title) {
        main().taskList().onRefreshTasksTriggered();
        for (const TaskEntry& e : taskTab().allTasksView->taskModel().tasks())
            if (e.title == title)
                return e;
        ADD_FAILURE() << "not listed: " << title.toStdString();
        return TaskEntry{};
    };
    const struct {
        const char* what;
        std::function<void(WindowHandle victim)> act; // notes the victim's owner, hands it over, acts
        const char* told;
        std::function<void()> before = {}; // before the victim opens its window
    } paths[] = {
        {"Kill Selected Task",
         [&](WindowHandle victim) {
             listed("Victim");
             select("Victim");
             fake.giveWindowTo(victim, 900);
             main().taskActions().KillSelectedTask();
         },
         "Task Already Ended"},
        {"Kill All Outside Safe List",
         [&](WindowHandle victim) {
             listed("Victim");
             for (const TaskEntry& e : taskTab().allTasksView->taskModel().tasks())
                 if (e.title != "Victim")
                     taskTab().safeListView->taskModel().append(e);
             fake.queueAnswer(IdNo); // hidden tasks stay hidden
             fake.giveWindowTo(victim, 900);
             main().listCommands().onKillAllOutsideSafeListClicked();
             taskTab().safeListView->taskModel().clear();
         },
         "Tasks Already Ended"},
        {"Task Action's Kill Task",
         [&](WindowHandle victim) {
             program->newTask().showFor(listed("Victim"));
             fake.giveWindowTo(victim, 900);
             program->newTask().onKillTaskClicked();
         },
         "Task Already Ended"},
        {"the investigator",
         [&](WindowHandle victim) {
             TaskListView& list = *program->investigator().suspectsView;
             list.taskModel().setTasks({listed("Victim")});
             list.setSelected(0, true);
             fake.giveWindowTo(victim, 900);
             values.InvestigatorRequest = TemperatureInvestigator::kKillRequest;
             main().temperatureTab().reactions().ProcessInvestigatorRequest();
         },
         "Tasks Already Ended"},
        {"the repeated Kill Task of protection",
         [&](WindowHandle victim) {
             fake.addWindow("First", false, 701);
             advancedTab().quickRepeatCheck->setChecked(true);
             values.RepeatLastAction = RepeatAction::KillTask;
             // While the box about the first kill is open, the victim's id passes to another program.
             fake.onBox = [&](const platform::fake::RecordedBox& box) {
                 if (box.title == "Tried to Kill Task")
                     fake.giveWindowTo(victim, 900);
             };
             fake.setVisible(victim, false);
             main().protection().onProtectionTick();
             fake.onBox = nullptr;
             EXPECT_EQ(fake.terminatedProcesses(), std::vector<ProcessId>{701});
         },
         "Task Already Ended",
         [&] {
             fake.queueAnswer(IdYes);
             main().protection().toggleProtection();
         }},
    };
    for (const auto& p : paths) {
        if (p.before)
            p.before();
        const WindowHandle victim = fake.addWindow("Victim", true, 800);
        fake.clearBoxes();
        p.act(victim);
        EXPECT_TRUE(fake.hasWindow(victim)) << p.what;
        EXPECT_EQ(std::count(fake.closeRequests().begin(), fake.closeRequests().end(), victim), 0) << p.what;
        EXPECT_EQ(std::count(fake.terminatedProcesses().begin(), fake.terminatedProcesses().end(), 900), 0) << p.what;
        EXPECT_TRUE(titles().contains(p.told)) << p.what << ": " << titles().join(", ").toStdString();
        fake.removeWindow(victim);
    }
}

// Qt fires no timer again while its own handler runs: while a tick waits in a box, the kill list
// still runs at the tick's period.
TEST_F(TaskActionsTest, TheKillListRunsWhileATickWaitsInABox) {
    taskTab().killListView->taskModel().append({"Intruder", 0});
    advancedTab().confirmActionsCheck->setChecked(true); // decisions are confirmed in a box
    bool killedMeanwhile = false;
    fake.onBox = [&](const platform::fake::RecordedBox&) {
        const WindowHandle intruder = fake.addWindow("Intruder", false, 700); // no window event: ticks only
        QEventLoop box;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &box, [&] {
            if (!fake.hasWindow(intruder))
                box.quit();
        });
        poll.start(10);
        QTimer::singleShot(5000, &box, &QEventLoop::quit); // a bound against hanging
        box.exec();
        killedMeanwhile = !fake.hasWindow(intruder);
    };
    program->values().DecidedTask = TaskEntry{"Decided earlier", 0};
    program->values().TaskDecision = ActionDecision::AllowToRun;
    QEventLoop wait;
    QTimer::singleShot(2000, &wait, &QEventLoop::quit);
    wait.exec();
    fake.onBox = nullptr;
    EXPECT_TRUE(killedMeanwhile);
}

} // namespace
