#include "app/advanced_options_tab.h"
#include "app/main_form.h"
#include "app/main_window.h"
#include "lists/task_management_tab.h"
#include "support/app_fixture.h"
#include "tasks/task_list_controller.h"
#include "widgets/task_list_view.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>

using namespace platform;

namespace {

class AllTaskListTest : public AppFixture {
protected:
    QStringList shown() {
        QStringList titles;
        for (const TaskEntry& e : taskTab().allTasksView->taskModel().tasks())
            titles << e.title;
        return titles;
    }
};

TEST_F(AllTaskListTest, StartsWithTheVisibleTasksOnly) {
    fake.addWindow("Hidden helper", false);
    fake.addWindow("", true);
    fake.addWindow("Editor", true);
    startProgram();
    EXPECT_EQ(shown(), QStringList{"Editor"});
}

TEST_F(AllTaskListTest, ProgramWindowsExistHiddenFromTheStart) {
    startProgram();
    // The main window and the other windows are native and hidden, so a hidden snapshot could see
    // them; the fake desktop does not, but the windows must already have native ids.
    EXPECT_TRUE(main().testAttribute(Qt::WA_WState_Created));
    EXPECT_FALSE(main().isVisible());
}

} // namespace
