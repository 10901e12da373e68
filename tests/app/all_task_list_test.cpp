#include "app/main_form.h"
#include "app/ttorvane.h"
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
    // Opens windows so that the enumeration (top first) yields `titles` in this order.
    void openWindows(const QStringList& titles, bool visible = true) {
        for (auto it = titles.rbegin(); it != titles.rend(); ++it)
            handles.insert(handles.begin(), fake.addWindow(*it, visible, 100));
    }
    void closeAll() {
        for (WindowHandle h : handles)
            fake.removeWindow(h);
        handles.clear();
    }
    QStringList shown() {
        QStringList titles;
        for (const TaskEntry& e : form().ListBox1->taskModel().tasks())
            titles << e.title;
        return titles;
    }
    void layOut() {
        main().show();
        form().ListBox1->setFixedHeight(120);
        QApplication::processEvents();
    }
    std::vector<WindowHandle> handles;
};

TEST_F(AllTaskListTest, StartsWithTheVisibleTasksOnly) {
    fake.addWindow("Hidden helper", false);
    fake.addWindow("", true);
    fake.addWindow("Editor", true);
    startProgram();
    EXPECT_EQ(shown(), QStringList{"Editor"});
}

TEST_F(AllTaskListTest, RefreshKeepsOrMovesTheSelection) {
    const struct {
        QStringList before;
        int selected;
        QStringList after;
        int expected;
    } cases[] = {
        {{"a", "b", "c", "d"}, 3, {"x", "y", "z", "other", "q", "d", "r", "d"}, 5}, // title moved: lowest index
        {{"a", "b", "c", "d"}, 2, {"a", "b", "c", "d", "e"}, 2},                    // same title, same index
        {{"a", "b", "c"}, 1, {"a", "c"}, -1},                                       // title gone
        {{"a", "b", "c"}, -1, {"a", "b", "c"}, -1},                                 // nothing selected
        {{"a", "B"}, 1, {"a", "b"}, -1},                                            // case matters
        {{"a", "b"}, 1, {}, -1},                                                    // empty list
    };
    startProgram();
    for (const auto& c : cases) {
        closeAll();
        openWindows(c.before);
        form().Button8->click();
        form().ListBox1->setItemIndex(c.selected);
        closeAll();
        openWindows(c.after);
        form().Button8->click();
        EXPECT_EQ(shown(), c.after);
        EXPECT_EQ(form().ListBox1->itemIndex(), c.expected) << c.after.join(",").toStdString();
    }
}

TEST_F(AllTaskListTest, RefreshKeepsTheTopRowWhileTheListIsLongEnough) {
    startProgram();
    QStringList many;
    for (int i = 0; i < 60; ++i)
        many << QString("task %1").arg(i);
    openWindows(many);
    form().Button8->click();
    layOut();
    form().ListBox1->setTopIndex(20);
    ASSERT_EQ(form().ListBox1->topIndex(), 20);
    form().Button8->click();
    QApplication::processEvents();
    EXPECT_EQ(form().ListBox1->topIndex(), 20);

    closeAll();
    openWindows({"one", "two"});
    form().Button8->click();
    QApplication::processEvents();
    EXPECT_EQ(form().ListBox1->topIndex(), 0);
}

TEST_F(AllTaskListTest, ShowHiddenAsksAndSwitches) {
    fake.addWindow("Visible", true);
    fake.addWindow("Invisible", false);
    startProgram();

    fake.queueAnswer(IdNo);
    form().Button12->click();
    EXPECT_EQ(shown(), QStringList{"Visible"});
    EXPECT_FALSE(form().ShowHiddenTasks->isChecked());
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].title, "View Hidden Tasks");
    EXPECT_EQ(fake.boxes()[0].flags, MbYesNo | MbIconQuestion);

    fake.clearBoxes();
    fake.queueAnswer(IdYes);
    form().ShowHiddenTasks->trigger();
    EXPECT_EQ(shown(), QStringList{"Invisible"});
    EXPECT_TRUE(form().ShowHiddenTasks->isChecked());
    EXPECT_EQ(form().Button12->text(), "Hide Hidden");
    ASSERT_EQ(fake.boxes().size(), 2);
    EXPECT_EQ(fake.boxes()[1].title, "Viewing Hidden Tasks");
    EXPECT_EQ(fake.boxes()[1].text,
              "Now you can view hidden tasks. Be careful not to accidentally kill some of your system tasks.");
    EXPECT_EQ(fake.boxes()[1].flags, MbIconInformation);

    fake.clearBoxes();
    fake.queueAnswer(IdYes);
    form().Button12->click();
    EXPECT_EQ(shown(), QStringList{"Visible"});
    EXPECT_EQ(form().Button12->text(), "Show Hidden");
    ASSERT_EQ(fake.boxes().size(), 2);
    EXPECT_EQ(fake.boxes()[0].title, "Stop View Hidden Tasks");
    EXPECT_EQ(fake.boxes()[0].text, "Do you wish to stop viewing hidden tasks ?");
    EXPECT_EQ(fake.boxes()[1].title, "Stopped Viewing Hidden Tasks");
}

TEST_F(AllTaskListTest, SilentModeSwitchesWithoutBoxes) {
    fake.addWindow("Invisible", false);
    startProgram();
    form().SilentMode1->setChecked(true);
    fake.defaultAnswer = IdNo; // would refuse, were a box shown
    form().Button12->click();
    EXPECT_EQ(shown(), QStringList{"Invisible"});
    form().Button12->click();
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(AllTaskListTest, RefreshFollowsTheShownKind) {
    startProgram();
    form().SilentMode1->setChecked(true);
    form().Button12->click();
    fake.addWindow("late hidden", false);
    fake.addWindow("late visible", true);
    form().RefreshTasks1->trigger();
    EXPECT_EQ(shown(), QStringList{"late hidden"});
}

TEST_F(AllTaskListTest, TreatAsHiddenMirrors) {
    startProgram();
    form().TreatAsHidden1->trigger();
    EXPECT_TRUE(form().TreatAsHidden1->isChecked());
    EXPECT_TRUE(form().CheckBox1->isChecked());
    form().CheckBox1->setChecked(false);
    EXPECT_FALSE(form().TreatAsHidden1->isChecked());
}

TEST_F(AllTaskListTest, ProgramWindowsExistHiddenFromTheStart) {
    startProgram();
    // The main window and the other windows are native and hidden, so a hidden snapshot could see
    // them; the fake desktop does not, but the windows must already have native ids.
    EXPECT_TRUE(main().testAttribute(Qt::WA_WState_Created));
    EXPECT_FALSE(main().isVisible());
}

} // namespace
