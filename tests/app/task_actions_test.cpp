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
        fake.addWindow("Editor", true, 500);
        fake.addWindow("Editor tools", true, 500);
        fake.addWindow("Player", true, 600);
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
