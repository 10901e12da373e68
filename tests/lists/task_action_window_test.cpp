#include "core/message_policy.h"
#include "core/shared_values.h"
#include "lists/choice_file.h"
#include "lists/task_action_message.h"
#include "lists/task_action_window.h"
#include "platform/fake/fake_platform.h"
#include "tasks/task_actions.h"
#include "tasks/task_list_controller.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace platform;
using platform::fake::FakePlatform;

namespace {

QByteArray choiceRecord(const char* name, int kill, int safe, int killList, int allow, int ignore) {
    return QByteArray(name) + "\r\n" + QByteArray::number(kill) + "\r\n" + QByteArray::number(safe) + "\r\n" +
           QByteArray::number(killList) + "\r\n" + QByteArray::number(allow) + "\r\n" + QByteArray::number(ignore) +
           "\r\n";
}

class NewTaskWindow : public ::testing::Test {
protected:
    void SetUp() override {
        values.BaseDir = dir.path() + "/";
        values.MemoryLimitMB = 55;
        window = std::make_unique<TaskActionWindow>(values, fake, actions, policy);
        // Timers are driven by calling their handlers.
        window->repeatClockTimer->stop();
    }

    WindowHandle addTask(const QString& title, bool visible = false, ProcessId pid = 700, std::uint64_t bytes = 0) {
        const WindowHandle handle = fake.addWindow(title, visible, pid);
        fake.setWorkingSet(pid, bytes);
        return handle;
    }
    // The protection cycle's way of asking: hand-over values first, then show.
    void ask(const QString& name, WindowHandle handle) {
        values.ActionTask.title = name;
        values.ActionTask.handle = handle;
        window->showForActionTask();
    }
    void writeFile(const QString& fileName, const QByteArray& bytes) {
        QFile f(values.BaseDir + fileName);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QString myChoice() const { return values.BaseDir + kMyChoiceFileName; }
    std::vector<bool> enabledButtons() const {
        std::vector<bool> out;
        for (QPushButton* b :
             {window->killTaskButton, window->allowButton, window->addToSafeListButton, window->addToKillListButton,
              window->ignoreButton, window->performedByMeButton, window->performedByCloudButton})
            out.push_back(b->isEnabled());
        return out;
    }
    QPushButton* button(int number) const {
        QPushButton* const all[] = {window->killTaskButton,        window->allowButton,  window->addToSafeListButton,
                                    window->addToKillListButton,   window->ignoreButton, window->performedByMeButton,
                                    window->performedByCloudButton};
        return all[number - 1];
    }

    FakePlatform fake;
    QTemporaryDir dir;
    SharedValues values;
    MessageOptions messageOptions;
    MessagePolicy policy{fake, nullptr, &messageOptions};
    TaskListOptions taskListOptions;
    TaskListController taskList{{}, taskListOptions, fake, fake, policy};
    TaskActions actions{{}, fake, fake, policy, taskList};
    std::unique_ptr<TaskActionWindow> window;
};

TEST_F(NewTaskWindow, CreatedHiddenWithItsControls) {
    TaskActionWindow fresh(values, fake, actions, policy);
    EXPECT_TRUE(fresh.isHidden());
    EXPECT_EQ(fresh.windowTitle(), "Task Action");
    EXPECT_EQ(fresh.size(), QSize(460, 404));
    EXPECT_TRUE(fresh.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(fresh.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_FALSE(fresh.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint));
    EXPECT_EQ(fresh.headingLabel->text(), "New task found running");
    EXPECT_EQ(fresh.questionLabel->text(), "Please choose what do you wish to do with it.");
    const QStringList captions{"Kill Task", "Allow to Run",           "Add to Safe List",         "Add to Kill List",
                               "Ignore",    "Mostly Performed by Me", "Mostly Performed by Cloud"};
    QStringList actual;
    for (QPushButton* b :
         {fresh.killTaskButton, fresh.allowButton, fresh.addToSafeListButton, fresh.addToKillListButton,
          fresh.ignoreButton, fresh.performedByMeButton, fresh.performedByCloudButton})
        actual << b->text();
    EXPECT_EQ(actual, captions);
    EXPECT_EQ(fresh.rememberCheck->text(), "Remember action (recommended).");
    EXPECT_TRUE(fresh.rememberCheck->isChecked());
    EXPECT_EQ(fresh.repeatCheck->text(), "Perform this for all tasks in the next              seconds.");
    EXPECT_FALSE(fresh.repeatCheck->isChecked());
    EXPECT_EQ(fresh.recheckCheck->text(), "Immediate recheck tasks after action (recommended).");
    EXPECT_TRUE(fresh.recheckCheck->isChecked());
    EXPECT_EQ(fresh.repeatSecondsSpin->text(), "10");
    EXPECT_EQ(fresh.repeatSecondsSpin->minimum(), 1);
    EXPECT_EQ(fresh.repeatSecondsSpin->maximum(), 960);
    EXPECT_TRUE(fresh.detailsText->isReadOnly());
    EXPECT_EQ(fresh.repeatTimer->interval(), 500);
    EXPECT_FALSE(fresh.repeatTimer->isActive());
    EXPECT_EQ(fresh.repeatClockTimer->interval(), 1000);
    EXPECT_TRUE(fresh.repeatClockTimer->isActive());
}

TEST_F(NewTaskWindow, ShowsInTheBottomRightCornerWithTheTasksMessage) {
    const WindowHandle task = addTask("xterm", true);
    ask("xterm", task);
    ASSERT_TRUE(window->isVisible());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(window->frameGeometry().bottomRight(), screen.bottomRight());
    EXPECT_EQ(window->headingLabel->text(), "New task running");
    const QString expected = "Task with the name xterm was found running.\n\r"
                             "The task is visible  and its parrent application consumes less than 1 Mega Byte of "
                             "memory.\n\r"
                             "The action mostly performed for this task is \"Nothing\" by the user and \"Nothing\" by "
                             "all cloud users.";
    EXPECT_EQ(window->message(), expected);
    EXPECT_EQ(window->detailsText->toPlainText(), QString(expected).replace("\n\r", "\n"));
    EXPECT_EQ(enabledButtons(), (std::vector<bool>{true, true, true, true, true, false, false}));
    EXPECT_TRUE(window->repeatTimer->isActive());
}

TEST_F(NewTaskWindow, MemoryTextAndHeading) {
    const struct {
        std::uint64_t bytes;
        QString memory;
        QString heading;
    } cases[] = {
        {1048575, "less than 1 Mega Byte", "New task running"},
        {1048576, "1 Mega Bytes", "New task running"},
        {2621440, "2 Mega Bytes", "New task running"},
        {3670016, "4 Mega Bytes", "New task running"},
        {55ull << 20, "55 Mega Bytes", "New task running"},
        {(55ull << 20) + 1, "55 Mega Bytes", "Too much memory used by task"},
    };
    ProcessId pid = 800;
    for (const auto& c : cases) {
        const WindowHandle task = addTask("worker", false, ++pid, c.bytes);
        ask("worker", task);
        EXPECT_EQ(window->headingLabel->text(), c.heading) << c.bytes;
        EXPECT_TRUE(window->message().contains("The task is hidden  and its parrent application consumes " + c.memory +
                                               " of memory.\n\r"))
            << window->message().toStdString();
        window->onIgnoreClicked();
    }
}

TEST_F(NewTaskWindow, OpenedByHandAndRefreshedForAnotherTask) {
    const WindowHandle first = addTask("Default IME", false, 701, 90ull << 20);
    const WindowHandle second = addTask("Editor", true, 702);
    ask("Default IME", first);
    EXPECT_EQ(window->headingLabel->text(), "Too much memory used by task");
    EXPECT_TRUE(window->message().startsWith(
        "Task with the name Default IME was found running.It is likely that this is a system non-named task.\n\r"));
    // Opening another task by hand while the window is showing: it now describes that task.
    window->showFor({"Editor", second}, kSelectedByUserReason);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->headingLabel->text(), "Selected by the user running task");
    EXPECT_TRUE(window->message().startsWith("The task has the name Editor.\n\rThe task is visible  "));
    window->onAllowClicked();
    EXPECT_EQ(values.DecidedTask.title, "Editor");
    EXPECT_EQ(values.DecidedTask.handle, second);
    EXPECT_TRUE(window->actionWindowReason().isEmpty());
    // The reason belongs to that one showing only.
    ask("Default IME", first);
    EXPECT_EQ(window->headingLabel->text(), "Too much memory used by task");
}

TEST_F(NewTaskWindow, NotFoundOffersOnlyIgnore) {
    const WindowHandle task = addTask("gone");
    for (const auto& [name, handle] : {std::pair<QString, WindowHandle>{"gone", 0}, {"", task}}) {
        ask(name, handle);
        EXPECT_EQ(window->headingLabel->text(), "Not found");
        EXPECT_EQ(window->message(), "\n\rYou were going to be warned for a task with \n\rthe name of " + name +
                                         ".However, for some reason it cannot be accessed.\n\rMost likely it is no "
                                         "longer running.");
        EXPECT_EQ(enabledButtons(), (std::vector<bool>{false, false, false, false, true, false, false}));
        window->onIgnoreClicked();
        EXPECT_EQ(values.TaskDecision, ActionDecision::Ignore);
        EXPECT_FALSE(window->isVisible());
    }
}

TEST_F(NewTaskWindow, DecisionButtonsHandOverAndRecord) {
    const struct {
        int button;
        ActionDecision decision;
        RepeatAction repeat;
        int countIndex; // in the choice file
        bool copiesTask;
    } cases[] = {
        {1, ActionDecision::KillTask, RepeatAction::KillTask, 0, false},
        {2, ActionDecision::AllowToRun, RepeatAction::AllowToRun, 3, true},
        {3, ActionDecision::AddToSafeList, RepeatAction::AddToSafeList, 1, true},
        {4, ActionDecision::AddToKillList, RepeatAction::AddToKillList, 2, true},
        {5, ActionDecision::Ignore, RepeatAction::Ignore, 4, true},
    };
    ProcessId pid = 900;
    for (const auto& c : cases) {
        for (bool repeatBox : {false, true}) {
            const QString name = QString("task %1 %2").arg(c.button).arg(repeatBox);
            const WindowHandle task = addTask(name, false, ++pid);
            values.DecidedTask.handle = 0xBEEF;
            values.RepeatLastAction = RepeatAction::None;
            ask(name, task);
            window->repeatCheck->setChecked(repeatBox);
            fake.clearBoxes();
            button(c.button)->click();
            const std::string label = name.toStdString();
            EXPECT_EQ(values.TaskDecision, c.decision) << label;
            EXPECT_EQ(values.RepeatLastAction, repeatBox ? c.repeat : RepeatAction::None) << label;
            EXPECT_EQ(values.DecidedTask.title, c.copiesTask ? name : QString()) << label;
            EXPECT_EQ(values.DecidedTask.handle, c.copiesTask ? task : 0xBEEF) << label;
            EXPECT_FALSE(window->isVisible()) << label;
            EXPECT_TRUE(values.ActionTask.title.isEmpty()) << label;
            EXPECT_FALSE(window->repeatCheck->isChecked()) << label;
            EXPECT_FALSE(window->repeatTimer->isActive()) << label;
            ChoiceCounts expected{};
            expected[c.countIndex] = 1;
            EXPECT_EQ(ReadChoiceCounts(name, myChoice()), expected) << label;
            if (c.button == 1) {
                ASSERT_EQ(fake.boxes().size(), 1) << label;
                EXPECT_EQ(fake.boxes()[0].title, "Tried to Kill Task");
                EXPECT_EQ(fake.boxes()[0].text, "The " + name + " task was tried to be killed.");
                EXPECT_EQ(fake.boxes()[0].flags, MbIconInformation);
                EXPECT_EQ(fake.boxes()[0].owner, window.get());
                EXPECT_EQ(fake.terminatedProcesses().back(), pid);
                EXPECT_FALSE(fake.hasWindow(task)) << label;
            } else {
                EXPECT_TRUE(fake.boxes().isEmpty()) << label;
                EXPECT_TRUE(fake.hasWindow(task)) << label;
            }
        }
    }
}

TEST_F(NewTaskWindow, KillTaskBoxShowsEvenInSilentMode) {
    messageOptions.silentMode = true;
    const WindowHandle task = addTask("noisy");
    ask("noisy", task);
    window->onKillTaskClicked();
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].title, "Tried to Kill Task");
}

TEST_F(NewTaskWindow, UnrememberedDecisionWritesNothing) {
    const WindowHandle task = addTask("quiet");
    ask("quiet", task);
    window->rememberCheck->setChecked(false);
    window->onAddToSafeListClicked();
    EXPECT_EQ(values.TaskDecision, ActionDecision::AddToSafeList);
    EXPECT_FALSE(QFile::exists(myChoice()));
}

TEST_F(NewTaskWindow, MostlyPerformedButtonsPerformTheCountedAction) {
    writeFile(kMyChoiceFileName, choiceRecord("File created by Torvane", 0, 0, 0, 0, 0) +
                                     choiceRecord("xterm", 1, 3, 0, 2, 0) + choiceRecord("ssh", 0, 0, 0, 0, 4));
    writeFile(kCloudChoiceFileName, choiceRecord("xterm", 0, 1, 5, 0, 0) + choiceRecord("ssh", 2, 0, 0, 0, 0));
    const WindowHandle xterm = addTask("xterm", false, 701);
    ask("xterm", xterm);
    EXPECT_TRUE(
        window->message().endsWith("\"Add to Safe List\" by the user and \"Add to Kill List\" by all cloud users."));
    EXPECT_TRUE(window->performedByMeButton->isEnabled());
    EXPECT_TRUE(window->performedByCloudButton->isEnabled());

    window->repeatCheck->setChecked(true);
    window->onPerformedByMeClicked();
    EXPECT_EQ(values.TaskDecision, ActionDecision::AddToSafeList);
    EXPECT_EQ(values.DecidedTask.title, "xterm");
    // Hiding unchecked the repeat box: the repeat is that of the action performed.
    EXPECT_EQ(values.RepeatLastAction, RepeatAction::AddToSafeList);
    EXPECT_EQ(ReadChoiceCounts("xterm", myChoice()), (ChoiceCounts{1, 4, 0, 2, 0}));

    ask("xterm", xterm);
    window->onPerformedByCloudClicked();
    EXPECT_EQ(values.TaskDecision, ActionDecision::AddToKillList);

    const WindowHandle ssh = addTask("ssh", false, 702);
    ask("ssh", ssh);
    window->onPerformedByMeClicked(); // "Ignore" counted most often
    EXPECT_EQ(values.TaskDecision, ActionDecision::Ignore);
    ask("ssh", ssh);
    fake.clearBoxes();
    window->onPerformedByCloudClicked(); // "Kill Task"
    EXPECT_EQ(values.TaskDecision, ActionDecision::KillTask);
    EXPECT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.terminatedProcesses(), std::vector<ProcessId>{702});
}

TEST_F(NewTaskWindow, MostlyPerformedWithNothingCountedSetsItsOwnRepeat) {
    writeFile(kMyChoiceFileName, choiceRecord("xterm", 0, 1, 0, 0, 0));
    const WindowHandle xterm = addTask("xterm");
    ask("xterm", xterm);
    ASSERT_TRUE(window->performedByMeButton->isEnabled());
    QFile::remove(myChoice()); // the count is gone by the time of the click
    window->repeatCheck->setChecked(true);
    window->onPerformedByMeClicked();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(values.TaskDecision, ActionDecision::None);
    EXPECT_EQ(values.RepeatLastAction, RepeatAction::MostlyPerformedByMe);
}

TEST_F(NewTaskWindow, UnreadableChoiceFileIsReportedAndWindowStillDescribesTheTask) {
    writeFile(kMyChoiceFileName, "xterm\r\n1\r\nlots\r\n0\r\n0\r\n0\r\n");
    const WindowHandle xterm = addTask("xterm");
    ask("xterm", xterm);
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].title, "Torvane 4.4.0");
    EXPECT_EQ(fake.boxes()[0].text, "Invalid numeric input.");
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->message().startsWith("Task with the name xterm was found running."));
    EXPECT_EQ(enabledButtons(), (std::vector<bool>{true, true, true, true, true, false, false}));
    EXPECT_TRUE(window->repeatTimer->isActive());

    // Recording fails as well; the decision stands and the window is reset for the next task.
    window->repeatCheck->setChecked(true);
    window->onAddToSafeListClicked();
    ASSERT_EQ(fake.boxes().size(), 2);
    EXPECT_EQ(fake.boxes()[1].text, "Invalid numeric input.");
    EXPECT_EQ(values.TaskDecision, ActionDecision::AddToSafeList);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(values.ActionTask.title.isEmpty());
    EXPECT_FALSE(window->repeatCheck->isChecked());
    EXPECT_FALSE(window->repeatTimer->isActive());
}

TEST_F(NewTaskWindow, RepeatLastsNPlusOneMinusCSeconds) {
    const int n = 10;
    for (int c : {0, 1, 4, 10}) {
        // Bring the free-running counter to c (it starts at 0 and wraps only past the box's value).
        while (window->repeatSeconds() != c)
            window->onRepeatClockTick();
        const WindowHandle task = addTask(QString("t%1").arg(c));
        ask(QString("t%1").arg(c), task);
        window->repeatCheck->setChecked(true);
        window->onAddToKillListClicked();
        ASSERT_EQ(values.RepeatLastAction, RepeatAction::AddToKillList);
        int seconds = 0;
        while (values.RepeatLastAction != RepeatAction::None && seconds < 100) {
            window->onRepeatClockTick();
            ++seconds;
        }
        EXPECT_EQ(seconds, n + 1 - c) << c;
    }
}

TEST_F(NewTaskWindow, SecondsBoxWithoutAWholeNumberNeverExpiresNorFails) {
    values.RepeatLastAction = RepeatAction::AddToSafeList;
    for (const char* text : {"", "-", "abc"}) {
        window->repeatSecondsSpin->setText(text);
        for (int i = 0; i < 2000; ++i)
            window->onRepeatClockTick();
        EXPECT_EQ(values.RepeatLastAction, RepeatAction::AddToSafeList) << text;
    }
    window->repeatSecondsSpin->setText("5");
    window->onRepeatClockTick();
    EXPECT_EQ(values.RepeatLastAction, RepeatAction::None);
    EXPECT_EQ(window->repeatSeconds(), 0);
}

TEST_F(NewTaskWindow, QuickRepeatDecidesWithoutShowing) {
    const WindowHandle task = addTask("batch");
    values.RepeatLastAction = RepeatAction::AddToKillList;
    values.ActionTask.title = "batch";
    values.ActionTask.handle = task;
    window->startOnShow();
    window->performRepeatLast();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(values.TaskDecision, ActionDecision::AddToKillList);
    EXPECT_EQ(values.DecidedTask.title, "batch");
    EXPECT_EQ(values.DecidedTask.handle, task);
    EXPECT_EQ(values.ActionTask.title, "batch"); // only the protection cycle empties it on this path
    EXPECT_EQ(values.RepeatLastAction, RepeatAction::AddToKillList);
    // Hiding a window that was never shown is no hiding of the window.
    window->hide();
    EXPECT_EQ(values.ActionTask.title, "batch");
    EXPECT_FALSE(QFile::exists(myChoice()));

    // A repeat whose button is disabled for this task does nothing.
    const struct {
        RepeatAction repeat;
        QString name;
        WindowHandle handle;
    } disabled[] = {{RepeatAction::MostlyPerformedByMe, "batch", task},
                    {RepeatAction::MostlyPerformedByCloud, "batch", task},
                    {RepeatAction::AddToSafeList, "batch", 0}};
    for (const auto& d : disabled) {
        values.RepeatLastAction = d.repeat;
        values.ActionTask.title = d.name;
        values.ActionTask.handle = d.handle;
        window->startOnShow();
        window->performRepeatLast();
        EXPECT_EQ(values.TaskDecision, ActionDecision::None) << static_cast<int>(d.repeat);
    }
}

TEST_F(NewTaskWindow, HalfSecondTimerRepeatsOnlyWhileShown) {
    const WindowHandle task = addTask("next");
    values.ActionTask.title = "next";
    values.ActionTask.handle = task;
    values.RepeatLastAction = RepeatAction::AllowToRun;
    window->startOnShow();
    window->onRepeatTick(); // hidden: nothing
    EXPECT_EQ(values.TaskDecision, ActionDecision::None);

    ask("next", task);
    ASSERT_TRUE(window->isVisible());
    window->onRepeatTick();
    EXPECT_EQ(values.TaskDecision, ActionDecision::AllowToRun);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(ReadChoiceCounts("next", myChoice()), (ChoiceCounts{0, 0, 0, 1, 0}));

    values.RepeatLastAction = RepeatAction::None;
    ask("next", task);
    window->onRepeatTick(); // no repeat: the window only comes to the front
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(values.TaskDecision, ActionDecision::None);
}

TEST_F(NewTaskWindow, KillBoxKeepsTimerAndOtherRequestsFromActingTwice) {
    const WindowHandle first = addTask("first", false, 701);
    const WindowHandle second = addTask("second", false, 702);
    values.RepeatLastAction = RepeatAction::KillTask;
    ask("first", first);
    int nested = 0;
    fake.onBox = [&](const platform::fake::RecordedBox&) {
        ++nested;
        window->onRepeatTick();
        window->onAddToSafeListClicked();
        window->showFor({"second", second}, kSelectedByUserReason);
    };
    window->onRepeatTick();
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.terminatedProcesses(), std::vector<ProcessId>{701});
    EXPECT_EQ(values.TaskDecision, ActionDecision::KillTask);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(ReadChoiceCounts("first", myChoice()), (ChoiceCounts{1, 0, 0, 0, 0}));
    EXPECT_EQ(ReadChoiceCounts("second", myChoice()), ChoiceCounts{});

    // Once the box is answered the window takes requests again.
    fake.onBox = nullptr;
    window->showFor({"second", second}, kSelectedByUserReason);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->headingLabel->text(), "Selected by the user running task");
}

} // namespace
