#include "app/advanced_options_tab.h"
#include "app/main_form.h"
#include "app/main_window.h"
#include "app/torvane_program.h"
#include "lists/task_action_window.h"
#include "lists/task_management_tab.h"
#include "platform/torvane_error.h"
#include "support/app_fixture.h"
#include "tasks/protection.h"
#include "widgets/spin_edit.h"
#include "widgets/task_list_view.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QValidator>

using namespace platform;

namespace {

class ProtectionTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        known = fake.addWindow("Known hidden", false, 100);
        startProgram();
        taskTab().memoryWarningCheck->setChecked(false); // memory warning tested on its own
    }
    Protection& protection() { return main().protection(); }
    SharedValues& values() { return program->values(); }
    void startProtection() {
        fake.queueAnswer(IdYes);
        protection().toggleProtection();
        ASSERT_TRUE(protection().protectionOn());
        fake.clearBoxes();
    }
    void tick() { protection().onProtectionTick(); }
    static bool contains(const TaskList& list, const QString& title) {
        return std::any_of(list.begin(), list.end(), [&](const TaskEntry& e) { return e.title == title; });
    }

    WindowHandle known = 0;
};

TEST_F(ProtectionTest, ReportedWindowsMeetTheKillListBetweenTicks) {
    taskTab().killListView->taskModel().append({"Intruder", 0});
    taskTab().safeListView->taskModel().append({"Welcome", 0});
    const WindowHandle own = fake.addWindow("Intruder", true, fake.ownPid);
    const WindowHandle hidden = fake.addWindow("Intruder", false, 701);
    const WindowHandle welcome = fake.addWindow("Welcome", false, 702);
    ASSERT_TRUE(fake.watched());
    fake.announceWindows({own, hidden, welcome});
    EXPECT_EQ(fake.terminatedProcesses(), std::vector<ProcessId>{701});
    EXPECT_FALSE(program->newTask().isVisible());
}

TEST_F(ProtectionTest, SpinEditsTakeOnlyNumbersTheyCanHold) {
    const struct {
        QString typed;
        bool taken;
    } cases[] = {{"2147483647", true}, {"2147483648", false}, {"00000000000000000042", true}, {"-12", true},
                 {"", true},           {"12a", false},        {"99999999999", false}};
    for (SpinEdit* spin : {advancedTab().nameLengthLimitSpin, taskTab().memoryWarningSpin}) {
        for (const auto& c : cases) {
            QString text = c.typed;
            int position = 0;
            EXPECT_EQ(spin->lineEdit()->validator()->validate(text, position) == QValidator::Acceptable, c.taken)
                << c.typed.toStdString();
        }
    }
}

TEST_F(ProtectionTest, TheKillListWorksWithAnyTextInAnyBox) {
    startProtection();
    advancedTab().limitNameLengthCheck->setChecked(true);
    taskTab().killListView->taskModel().append({"Intruder", 0});
    // Texts no typing can produce any more, as a damaged settings file could still hold them.
    for (SpinEdit* spin : form().mainWindow->findChildren<SpinEdit*>())
        spin->setText(QStringLiteral("99999999999"));
    for (ProcessId pid : {700u, 701u}) {
        fake.addWindow("Intruder", true, pid);
        EXPECT_THROW(tick(), TorvaneError); // reported, after the kill list had its turn
        EXPECT_EQ(fake.terminatedProcesses().back(), pid);
    }
}

TEST_F(ProtectionTest, StartingAsksAndRecordsTheRunningTasks) {
    fake.queueAnswer(IdYes);
    taskTab().protectionButton->click();
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].title, "Start Protection");
    EXPECT_EQ(fake.boxes()[0].flags, MbYesNo | MbIconWarning);
    EXPECT_TRUE(contains(main().protection().lists().RunningBefore, "Known hidden"));
    EXPECT_EQ(taskTab().protectionButton->text(), "Stop protection");
    EXPECT_EQ(form().protectionAction->text(), "Stop protection");
    EXPECT_TRUE(form().trayProtectionAction->isChecked());
    EXPECT_TRUE(taskTab().treatAllAsNewButton->isEnabled());

    fake.queueAnswer(IdNo);
    form().protectionAction->trigger();
    EXPECT_TRUE(protection().protectionOn());
    fake.queueAnswer(IdYes);
    form().trayProtectionAction->trigger();
    EXPECT_FALSE(protection().protectionOn());
    EXPECT_TRUE(main().protection().lists().RunningBefore.empty());
    EXPECT_EQ(taskTab().protectionButton->text(), "Start Protection");
    EXPECT_FALSE(taskTab().treatAllAsNewButton->isEnabled());
}

TEST_F(ProtectionTest, TreatAllAsNewInSilentModeSwitchesSilentModeOff) {
    startProtection();
    form().silentModeAction->setChecked(true);
    taskTab().treatAllAsNewButton->click();
    EXPECT_FALSE(form().silentModeAction->isChecked());
    EXPECT_TRUE(main().protection().lists().RunningBefore.empty());
    ASSERT_EQ(fake.boxes().size(), 1); // switched off as the menu item does it
    EXPECT_EQ(fake.boxes()[0].title, "Silent Mode Disabled");

    fake.clearBoxes();
    main().protection().lists().RunningBefore.push_back({"x", 1});
    fake.queueAnswer(IdNo);
    taskTab().treatAllAsNewButton->click();
    EXPECT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].title, "Treat all new tasks as new");
    EXPECT_EQ(main().protection().lists().RunningBefore.size(), 1u);
}

TEST_F(ProtectionTest, MemoryWarningOptionMirrors) {
    taskTab().memoryWarningCheck->setChecked(true);
    ASSERT_TRUE(form().memoryWarningAction->isChecked());
    form().memoryWarningAction->trigger();
    EXPECT_FALSE(taskTab().memoryWarningCheck->isChecked());
    EXPECT_FALSE(taskTab().warnSafeListToCheck->isEnabled());
    taskTab().memoryWarningCheck->setChecked(true);
    EXPECT_TRUE(form().memoryWarningAction->isChecked());
    EXPECT_TRUE(taskTab().warnSafeListToCheck->isEnabled());
    EXPECT_EQ(form().memoryWarningAction->text(), "Warn if task uses over 55 memory Mega Bytes");
}

} // namespace
