#include "task_tab_fixture.h"

#include <QApplication>

using namespace platform;

namespace {

class AllTaskListTest : public TaskTabFixture {
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
    void layOut() {
        window.show();
        allTasksView->setFixedHeight(120);
        QApplication::processEvents();
    }
    std::vector<WindowHandle> handles;
};

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
    start();
    for (const auto& c : cases) {
        closeAll();
        openWindows(c.before);
        taskList->onRefreshTasksTriggered();
        allTasksView->setItemIndex(c.selected);
        closeAll();
        openWindows(c.after);
        taskList->onRefreshTasksTriggered();
        EXPECT_EQ(shown(), c.after);
        EXPECT_EQ(allTasksView->itemIndex(), c.expected) << c.after.join(",").toStdString();
    }
}

TEST_F(AllTaskListTest, RefreshKeepsTheTopRowWhileTheListIsLongEnough) {
    start();
    QStringList many;
    for (int i = 0; i < 60; ++i)
        many << QString("task %1").arg(i);
    openWindows(many);
    taskList->onRefreshTasksTriggered();
    layOut();
    allTasksView->setTopIndex(20);
    ASSERT_EQ(allTasksView->topIndex(), 20);
    taskList->onRefreshTasksTriggered();
    QApplication::processEvents();
    EXPECT_EQ(allTasksView->topIndex(), 20);

    closeAll();
    openWindows({"one", "two"});
    taskList->onRefreshTasksTriggered();
    QApplication::processEvents();
    EXPECT_EQ(allTasksView->topIndex(), 0);
}

TEST_F(AllTaskListTest, ShowHiddenAsksAndSwitches) {
    fake.addWindow("Visible", true);
    fake.addWindow("Invisible", false);
    start();

    fake.queueAnswer(IdNo);
    taskList->onShowHiddenTasksTriggered();
    EXPECT_EQ(shown(), QStringList{"Visible"});
    EXPECT_FALSE(ShowHiddenTasks->isChecked());
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].title, "View Hidden Tasks");
    EXPECT_EQ(fake.boxes()[0].flags, MbYesNo | MbIconQuestion);

    fake.clearBoxes();
    fake.queueAnswer(IdYes);
    taskList->onShowHiddenTasksTriggered();
    EXPECT_EQ(shown(), QStringList{"Invisible"});
    EXPECT_TRUE(ShowHiddenTasks->isChecked());
    EXPECT_EQ(showHiddenButton->text(), "Hide Hidden");
    ASSERT_EQ(fake.boxes().size(), 2);
    EXPECT_EQ(fake.boxes()[1].title, "Viewing Hidden Tasks");
    EXPECT_EQ(fake.boxes()[1].text,
              "Now you can view hidden tasks. Be careful not to accidentally kill some of your system tasks.");
    EXPECT_EQ(fake.boxes()[1].flags, MbIconInformation);

    fake.clearBoxes();
    fake.queueAnswer(IdYes);
    taskList->onShowHiddenTasksTriggered();
    EXPECT_EQ(shown(), QStringList{"Visible"});
    EXPECT_EQ(showHiddenButton->text(), "Show Hidden");
    ASSERT_EQ(fake.boxes().size(), 2);
    EXPECT_EQ(fake.boxes()[0].title, "Stop View Hidden Tasks");
    EXPECT_EQ(fake.boxes()[0].text, "Do you wish to stop viewing hidden tasks ?");
    EXPECT_EQ(fake.boxes()[1].title, "Stopped Viewing Hidden Tasks");
}

TEST_F(AllTaskListTest, SilentModeSwitchesWithoutBoxes) {
    fake.addWindow("Invisible", false);
    start();
    silentModeAction->setChecked(true);
    fake.defaultAnswer = IdNo; // would refuse, were a box shown
    taskList->onShowHiddenTasksTriggered();
    EXPECT_EQ(shown(), QStringList{"Invisible"});
    taskList->onShowHiddenTasksTriggered();
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(AllTaskListTest, RefreshFollowsTheShownKind) {
    start();
    silentModeAction->setChecked(true);
    taskList->onShowHiddenTasksTriggered();
    fake.addWindow("late hidden", false);
    fake.addWindow("late visible", true);
    taskList->onRefreshTasksTriggered();
    EXPECT_EQ(shown(), QStringList{"late hidden"});
}

TEST_F(AllTaskListTest, TreatAsHiddenMirrors) {
    start();
    taskList->onTreatAsHiddenTriggered();
    EXPECT_TRUE(treatAsHiddenAction->isChecked());
    EXPECT_TRUE(treatShownAsHiddenCheck->isChecked());
    treatShownAsHiddenCheck->setChecked(false);
    taskList->onTreatShownAsHiddenToggled();
    EXPECT_FALSE(treatAsHiddenAction->isChecked());
}

} // namespace
