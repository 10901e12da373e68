#include "core/shared_values.h"
#include "lists/list_commands.h"
#include "lists/task_action_window.h"
#include "tasks/task_tab_fixture.h"

#include <QApplication>
#include <QTemporaryDir>

using namespace platform;

namespace {

const QString kAddAllQuestion = "If hidden tasks are not displayed, they will not be added to the safe list.\n\r\n\r"
                                "Do you wish to show hidden tasks before adding all showing tasks to the safe list ?";
const QString kKillAllQuestion =
    "All hidden tasks are not displayed, they will not be killed, even if they do not reside in the kill list.\n\r\n\r"
    "Do you wish to show hidden tasks before killing all showing tasks not in the safe list ?";

// The list commands over the Task Management tab's lists and options as they are at start, with
// the program's own Task Action window.
class ListCommandsTest : public TaskTabFixture {
protected:
    void start() {
        ASSERT_TRUE(dir.isValid());
        values.BaseDir = dir.path() + QLatin1Char('/');
        TaskTabFixture::start();
        newTask = std::make_unique<TaskActionWindow>(values, fake, *actions, policy);
        commands = std::make_unique<ListCommands>(ListCommandControls{allTasksView, safeListView, killListView}, search,
                                                  taskListOptions, recognition, policy, *actions, *taskList, *newTask);
        fake.clearBoxes();
    }
    void refresh() { taskList->onRefreshTasksTriggered(); }
    void select(const QString& title) {
        TaskTabFixture::select(title);
        ASSERT_EQ(allTasksView->taskModel().at(allTasksView->itemIndex()).title, title);
    }
    static QStringList titlesOf(const TaskListView* list) {
        QStringList out;
        for (const TaskEntry& e : list->taskModel().tasks())
            out << e.title;
        return out;
    }
    static QList<int> selectedOf(const TaskListView* list) {
        QList<int> out;
        for (int i = 0; i < list->count(); ++i)
            if (list->isSelected(i))
                out << i;
        return out;
    }
    void fill(TaskListView* list, const TaskList& entries) {
        list->taskModel().clear();
        for (const TaskEntry& e : entries)
            list->taskModel().append(e);
    }

    ListSearchOptions search;
    QTemporaryDir dir;
    SharedValues values;
    std::unique_ptr<TaskActionWindow> newTask;
    std::unique_ptr<ListCommands> commands;
};

TEST_F(ListCommandsTest, AddToSafeListRefusesEqualNamesAndSkipsRecognisedOnesQuietly) {
    fake.addWindow("Editor - notes.txt", true, 10);
    const WindowHandle todo = fake.addWindow("Editor - todo.txt", true, 11);
    const struct {
        QString selected;
        bool dynamicCh;
        bool clever;
        QStringList boxes;
        TaskList expectedSafe;
    } cases[] = {
        // The exact name is refused by both variants.
        {"Editor - notes.txt", true, true, {"Task Already in Safe List"}, {{"Editor - notes.txt", 0}}},
        {"Editor - notes.txt", false, true, {"Task Already in Safe List"}, {{"Editor - notes.txt", 0}}},
        // A name that only resembles a listed one: the plain variant adds nothing and says nothing,
        {"Editor - todo.txt", true, true, {}, {{"Editor - notes.txt", 0}}},
        // the variant that allows duplicates adds it,
        {"Editor - todo.txt", false, true, {}, {{"Editor - notes.txt", 0}, {"Editor - todo.txt", todo}}},
        // and without clever processing both add it.
        {"Editor - todo.txt", true, false, {}, {{"Editor - notes.txt", 0}, {"Editor - todo.txt", todo}}},
    };
    start();
    for (const auto& c : cases) {
        fill(safeListView, {{"Editor - notes.txt", 0}});
        recognitionSettings.cleverProcessing = c.clever;
        select(c.selected);
        fake.clearBoxes();
        commands->addRunningToSafeList(c.dynamicCh);
        EXPECT_EQ(boxTitles(), c.boxes) << c.selected.toStdString() << " " << c.dynamicCh;
        EXPECT_EQ(safeListView->taskModel().tasks(), c.expectedSafe) << c.selected.toStdString();
    }
    ASSERT_EQ(fake.boxes().size(), 0);
    select("Editor - notes.txt");
    commands->onAllTasksAddToSafeListAgainTriggered();
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].text, "The selected task is already in the safe list.You can not put it there again.");
    EXPECT_EQ(fake.boxes()[0].flags, MbIconError);
    EXPECT_EQ(fake.boxes()[0].owner, &window);
}

TEST_F(ListCommandsTest, AddToSafeListRefusesTheKillListsTaskByWindowAndChecksTheSafeListFirst) {
    const WindowHandle player = fake.addWindow("Player", true, 20);
    start();
    const struct {
        TaskList safe;
        TaskList kill;
        QStringList boxes;
        int safeCount;
    } cases[] = {
        {{}, {{"Old player title", player}}, {"Task Already in Kill List"}, 0}, // same window, another title
        {{}, {{"Player", 0}}, {"Task Already in Kill List"}, 0},                // same name
        {{}, {{"player", 0}}, {}, 1},                                           // case counts
        {{{"Player", 0}}, {{"Player", 0}}, {"Task Already in Safe List"}, 1},   // safe list tested first
        // A safe-list entry with the same window but another title does not refuse the task.
        {{{"Old player title", player}}, {}, {}, 2},
    };
    for (const auto& c : cases) {
        fill(safeListView, c.safe);
        fill(killListView, c.kill);
        recognitionSettings.cleverProcessing = false;
        select("Player");
        fake.clearBoxes();
        commands->onAllTasksAddToSafeListTriggered();
        EXPECT_EQ(boxTitles(), c.boxes);
        EXPECT_EQ(safeListView->count(), c.safeCount);
    }
    fill(safeListView, {});
    fill(killListView, {{"Old player title", player}});
    fake.clearBoxes();
    commands->onAddToSafeListClicked();
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].text,
              "The selected task is already in the kill list.You can not put the same task in two different lists.");
    EXPECT_EQ(fake.boxes()[0].flags, MbIconError);
}

TEST_F(ListCommandsTest, WithoutASelectedTaskTheAddsSayWhyUnlessSilent) {
    fake.addWindow("Player", true, 20);
    start();
    for (bool silent : {false, true}) {
        silentModeAction->setChecked(silent);
        allTasksView->setItemIndex(-1);
        fake.clearBoxes();
        commands->addRunningToSafeList(true);
        commands->addRunningToSafeList(false);
        commands->onAddToKillListClicked();
        commands->onAllTasksActionWindowTriggered();
        EXPECT_EQ(safeListView->count() + killListView->count(), 0);
        EXPECT_FALSE(newTask->isVisible());
        if (silent) {
            EXPECT_TRUE(fake.boxes().isEmpty());
            continue;
        }
        ASSERT_EQ(fake.boxes().size(), 3);
        EXPECT_EQ(fake.boxes()[0].text, "No detected task selected to be added to the safe list.");
        EXPECT_EQ(fake.boxes()[1].text, "No detected task selected to be added to the safe list.");
        EXPECT_EQ(fake.boxes()[2].text, "No detected task selected to be added to the kill list.");
        for (const fake::RecordedBox& b : fake.boxes()) {
            EXPECT_EQ(b.title, "No Selected Task");
            EXPECT_EQ(b.flags, MbIconError);
        }
    }
}

TEST_F(ListCommandsTest, AddToKillListTestsNothing) {
    const WindowHandle player = fake.addWindow("Player", true, 20);
    start();
    fill(safeListView, {{"Player", player}});
    select("Player");
    commands->onAddToKillListClicked();
    commands->onAddToKillListClicked();
    EXPECT_EQ(killListView->taskModel().tasks(), (TaskList{{"Player", player}, {"Player", player}}));
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(ListCommandsTest, RemoveSelectedDeletesEverySelectedEntry) {
    start();
    const struct {
        TaskListView* list;
        void (ListCommands::*remove)();
        QString emptyText;
    } lists[] = {
        {safeListView, &ListCommands::onRemoveFromSafeListClicked,
         "No task in the safe list selected, so as to be removed from it."},
        {killListView, &ListCommands::onRemoveFromKillListClicked,
         "No task in the kill list selected, so as to be removed from it."},
    };
    for (const auto& l : lists) {
        fill(l.list, {});
        fake.clearBoxes();
        (commands.get()->*l.remove)();
        ASSERT_EQ(fake.boxes().size(), 1);
        EXPECT_EQ(fake.boxes()[0].text, l.emptyText);
        EXPECT_EQ(fake.boxes()[0].title, "No Selected Task");
        EXPECT_EQ(fake.boxes()[0].flags, MbIconError);

        fill(l.list, {{"a", 0}, {"b", 0}, {"c", 0}, {"d", 0}, {"e", 0}});
        fake.clearBoxes();
        (commands.get()->*l.remove)(); // nothing selected: nothing happens
        EXPECT_EQ(l.list->count(), 5);
        EXPECT_TRUE(fake.boxes().isEmpty());

        l.list->setSelected(1, true);
        l.list->setSelected(3, true);
        l.list->setSelected(4, true);
        (commands.get()->*l.remove)();
        EXPECT_EQ(titlesOf(l.list), (QStringList{"a", "c"}));
        EXPECT_TRUE(fake.boxes().isEmpty());
    }
}

TEST_F(ListCommandsTest, FindNextFoldsBasicLatinWrapsAndKeepsOtherSelections) {
    start();
    TaskListView* safe = safeListView;
    fill(safe, {{"alpha", 0}, {"NOTEPAD", 0}, {"café", 0}, {"notepad two", 0}, {"CAFÉ", 0}});
    const struct {
        QString text;
        int current;       // -1: none
        QList<int> before; // selected before
        int expectedCurrent;
        QList<int> after;
    } cases[] = {
        {"note", -1, {}, 1, {1}},      {"note", 1, {0, 1}, 3, {0, 3}}, // the current entry is un-selected, others stay
        {"note", 3, {3}, 1, {1}},                                      // wraps to the top
        {"caf\u00C9", -1, {}, 4, {4}},                                 // "É" only finds itself
        {"\u00C9", 4, {4}, 4, {4}},    // found only in the current entry: it stays selected
        {"zzz", 2, {0, 2}, 2, {0, 2}}, // nothing found: nothing changes
        {"", 2, {2}, 2, {2}},          // empty text: nothing
    };
    for (const auto& c : cases) {
        safe->clearSelection();
        safe->setItemIndex(c.current);
        for (int i : c.before)
            safe->setSelected(i, true);
        search.safeList = c.text;
        commands->onSafeListFindNextClicked();
        EXPECT_EQ(safe->itemIndex(), c.expectedCurrent) << c.text.toStdString() << " from " << c.current;
        EXPECT_EQ(selectedOf(safe), c.after) << c.text.toStdString() << " from " << c.current;
    }
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(ListCommandsTest, FindNextInTheAllTaskListMovesTheSelectionAndScrollsItToTheTop) {
    for (int i = 59; i >= 0; --i)
        fake.addWindow(i % 20 == 7 ? QString("Target %1").arg(i) : QString("task %1").arg(i), true, 100);
    start();
    window.show();
    allTasksView->setFixedHeight(120);
    QApplication::processEvents();
    search.allTasks = "TARGET";
    for (int expected : {7, 27, 47, 7}) {
        commands->onAllTasksFindNextClicked();
        QApplication::processEvents();
        EXPECT_EQ(allTasksView->itemIndex(), expected);
        EXPECT_EQ(selectedOf(allTasksView), QList<int>{expected});
        EXPECT_EQ(allTasksView->topIndex(), expected);
    }
}

TEST_F(ListCommandsTest, KillAllOutsideSafeListSparesTheSafeListOnly) {
    fake.addWindow("Spared by name", true, 31);
    const WindowHandle b = fake.addWindow("Renamed", true, 32);
    const WindowHandle c = fake.addWindow("Killed", true, 33);
    const WindowHandle d = fake.addWindow("On the kill list", true, 34);
    start();
    fill(safeListView, {{"Spared by name", 0}, {"Old title", b}});
    fill(killListView, {{"On the kill list", d}});
    fake.queueAnswer(IdNo);
    commands->onKillAllOutsideSafeListClicked();
    EXPECT_EQ(fake.closeRequests(), (std::vector<WindowHandle>{d, c}));
    EXPECT_EQ(fake.terminatedProcesses(), (std::vector<ProcessId>{34, 33}));
    EXPECT_EQ(titlesOf(allTasksView), (QStringList{"Renamed", "Spared by name"})); // refreshed
    EXPECT_EQ(boxTitles(), QStringList{"What to do with Hidden Tasks"});
    EXPECT_EQ(fake.boxes()[0].text, kKillAllQuestion);
    EXPECT_EQ(fake.boxes()[0].flags, MbYesNo | MbIconWarning);
}

TEST_F(ListCommandsTest, KillAllOutsideAnEmptySafeListKillsEveryListedTaskButTheProgramItself) {
    const auto self = ProcessId(QCoreApplication::applicationPid());
    const WindowHandle last = fake.addWindow("Last", true, 41);
    fake.addWindow("Torvane", true, self);
    const WindowHandle first = fake.addWindow("First", true, 40);
    start();
    silentModeAction->setChecked(true);
    commands->onKillAllOutsideSafeListClicked();
    EXPECT_EQ(fake.closeRequests(), (std::vector<WindowHandle>{first, last}));
    EXPECT_EQ(fake.terminatedProcesses(), (std::vector<ProcessId>{40, 41}));
    EXPECT_EQ(titlesOf(allTasksView), QStringList{"Torvane"});
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(ListCommandsTest, KillAllIsNotEnteredAgainWhileItsQuestionIsOpen) {
    fake.addWindow("Player", true, 45);
    start();
    int reentries = 0;
    fake.onBox = [&](const fake::RecordedBox&) {
        if (reentries++ == 0)
            commands->onKillAllOutsideSafeListClicked(); // as the over-temperature check would, from a timer
    };
    fake.queueAnswer(IdNo);
    commands->onKillAllOutsideSafeListClicked();
    fake.onBox = nullptr;
    EXPECT_EQ(boxTitles(), QStringList{"What to do with Hidden Tasks"});
    EXPECT_EQ(fake.terminatedProcesses(), std::vector<ProcessId>{45});
    fake.queueAnswer(IdNo);
    commands->onKillAllOutsideSafeListClicked(); // and it runs again once the first call is over
    EXPECT_EQ(fake.boxes().size(), 2);
    fake.addWindow("Editor", true, 46);
    refresh();
    fake.queueAnswer(0); // the question went away unanswered: the program is ending
    commands->onKillAllOutsideSafeListClicked();
    EXPECT_EQ(fake.terminatedProcesses(), std::vector<ProcessId>{45});
}

TEST_F(ListCommandsTest, HiddenTasksQuestionOfTheWalks) {
    const struct {
        bool silent;
        bool shownAlready;
        std::vector<int> answers;
        QStringList boxes;
        QString victim; // the kind of task that was killed
    } cases[] = {
        {false,
         false,
         {IdYes, IdYes},
         {"What to do with Hidden Tasks", "View Hidden Tasks", "Viewing Hidden Tasks"},
         "Hidden"},
        {false, false, {IdYes, IdNo}, {"What to do with Hidden Tasks", "View Hidden Tasks"}, "Visible"},
        {false, false, {IdNo}, {"What to do with Hidden Tasks"}, "Visible"},
        {true, false, {}, {}, "Visible"}, // the hidden question counts as No
        {false, true, {}, {}, "Hidden"},  // hidden tasks shown already: no question
    };
    for (const auto& c : cases) {
        while (!fake.windows().empty())
            fake.removeWindow(fake.windows().front().handle);
        fake.addWindow("Visible", true, 50);
        fake.addWindow("Hidden", false, 51);
        start();
        ShowHiddenTasks->setChecked(c.shownAlready);
        refresh();
        silentModeAction->setChecked(c.silent);
        for (int answer : c.answers)
            fake.queueAnswer(answer);
        fake.defaultAnswer = IdNo;
        fake.clearBoxes();
        const std::size_t closedBefore = fake.closeRequests().size();
        commands->onKillAllOutsideSafeListClicked();
        EXPECT_EQ(boxTitles(), c.boxes);
        EXPECT_EQ(fake.closeRequests().size(), closedBefore + 1);
        ASSERT_EQ(fake.windows().size(), 1u);
        EXPECT_EQ(fake.windows()[0].title, c.victim == "Visible" ? "Hidden" : "Visible");
    }
}

TEST_F(ListCommandsTest, AddAllDisplayedCountsEarlierAdditionsAndSkipsListedTasks) {
    const WindowHandle onKill = fake.addWindow("Renamed on kill list", true, 60);
    fake.addWindow("Twin", true, 61);
    const WindowHandle twinB = fake.addWindow("Twin", true, 62);
    const WindowHandle safeByHandle = fake.addWindow("Safe by window", true, 63);
    const WindowHandle fresh = fake.addWindow("Fresh", true, 64);
    fake.addWindow("Hidden", false, 65);
    start();
    fill(safeListView, {{"Old safe title", safeByHandle}});
    fill(killListView, {{"Old kill title", onKill}});
    fake.queueAnswer(IdNo);
    commands->onAddAllToSafeListClicked();
    EXPECT_EQ(safeListView->taskModel().tasks(),
              (TaskList{{"Old safe title", safeByHandle}, {"Fresh", fresh}, {"Twin", twinB}}));
    EXPECT_EQ(boxTitles(), QStringList{"What to do with Hidden Tasks"});
    EXPECT_EQ(fake.boxes()[0].text, kAddAllQuestion);
    EXPECT_EQ(fake.boxes()[0].flags, MbYesNo | MbIconWarning);
    EXPECT_TRUE(fake.closeRequests().empty());

    // Shown hidden tasks are added too; the ones added before are not added again.
    fake.clearBoxes();
    fake.queueAnswer(IdYes); // show hidden tasks first
    fake.queueAnswer(IdYes); // the question of "Show Hidden Tasks"
    commands->onAddAllToSafeListClicked();
    EXPECT_EQ(titlesOf(safeListView), (QStringList{"Old safe title", "Fresh", "Twin", "Hidden"}));
}

TEST_F(ListCommandsTest, ActionWindowIsOpenedForTheSelectedTask) {
    const WindowHandle player = fake.addWindow("Player", true, 70);
    start();
    select("Player");
    commands->onAllTasksActionWindowTriggered();
    EXPECT_EQ(values.ActionTask.title, "Player");
    EXPECT_EQ(values.ActionTask.handle, player);
    EXPECT_EQ(newTask->actionWindowReason(), "Selected by the user running task");
    EXPECT_TRUE(newTask->isVisible());
    EXPECT_TRUE(newTask->message().startsWith("The task has the name Player."));
    newTask->hide();
}

} // namespace
