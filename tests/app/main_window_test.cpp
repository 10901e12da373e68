#include "app/advanced_options_tab.h"
#include "app/main_form.h"
#include "app/main_window.h"
#include "app/shell_controller.h"
#include "app/torvane_program.h"
#include "core/digits_to_int.h"
#include "internet/internet_tab.h"
#include "lists/task_management_tab.h"
#include "memory/ram_controls.h"
#include "memory/ram_tab.h"
#include "platform/torvane_error.h"
#include "schedule/auto_windows_actions_tab.h"
#include "support/app_fixture.h"
#include "temperature/temperature_tab.h"
#include "widgets/spin_edit.h"
#include "widgets/task_list_view.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

using namespace platform;

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class MainWindowTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        startProgram();
    }
    QAction* menuItem(const char* name) {
        for (QAction* a : main().findChildren<QAction*>())
            if (a->objectName() == QLatin1String(name))
                return a;
        return nullptr;
    }
};

TEST_F(MainWindowTest, TabsInOrderAndFirstOneOpen) {
    const QStringList expected = {"Task Management", "RAM Management",       "Internet",        "Encryption",
                                  "Temperature",     "Auto Windows Actions", "Advanced Options"};
    QStringList captions;
    for (int i = 0; i < form().mainTabs->count(); ++i)
        captions << form().mainTabs->tabText(i);
    EXPECT_EQ(captions, expected);
    EXPECT_EQ(form().mainTabs->currentIndex(), 0);
    EXPECT_FALSE(form().countdownProgressBar->isVisibleTo(&main()));
    EXPECT_EQ(main().pos(), QPoint(0, 0));
    EXPECT_EQ(main().minimumSize(), QSize(1208, 766));
    EXPECT_EQ(main().windowTitle(), "Torvane");
}

TEST_F(MainWindowTest, TaskTabControlsAllShowAtTheSizeA1280x720ScreenLeaves) {
    main().setMinimumSize(0, 0);
    main().resize(1208, 680);
    main().show();
    QApplication::processEvents();
    QWidget* page = form().taskManagementPage;
    QWidget* const bottomRows[] = {taskTab().allTasksFindEdit, taskTab().showHiddenButton,
                                   taskTab().killListFindNextButton, taskTab().taskManagementPanelButton,
                                   taskTab().killListPanelButton};
    for (QWidget* control : bottomRows)
        EXPECT_TRUE(page->rect().contains(QRect(control->mapTo(page, QPoint(0, 0)), control->size())))
            << control->objectName().toStdString();
}

TEST_F(MainWindowTest, MenuItemsCaptionsAndCheckMarks) {
    const struct {
        const char* name;
        const char* caption;
        bool checkable;
        bool checked;
    } items[] = {
        {"protectionAction", "Start Protection", true, false},
        {"treatAsHiddenAction", "Treat non-hidden tasks as Hidden", true, false},
        {"memoryWarningAction", "Warn if task uses over 55 memory Mega Bytes", true, true},
        {"ShowHiddenTasks", "Show Hidden Tasks", true, false},
        {"killSelectedAction", "Kill Selected Task", false, false},
        {"periodicOptimizeAction", "Optimize and free every 1 minutes", true, false},
        {"consumeThirdOfFreeAction", "Consume 33% of available", false, false},
        {"detectTemperatureChangesAction", "Detect task-related temperature changes", true, false},
        {"keepSettingsAction", "Keep Settings on Exit", true, true},
        {"silentModeAction", "Silent Mode", true, false},
        {"temperatureTabAction", "Temperature tab enabled", true, true},
        {"showHelpAction", "Show Help", false, false},
        {"historyAction", "History", false, false},
        {"trayToTrayAction", "To Tray", false, false},
        {"trayTemperatureTabAction", "Temperature Tab", true, true},
        {"allTasksKillAction", "Kill task (will kill parrent application)", false, false},
        {"allTasksAddToSafeListAgainAction", "Add to Safe List (allow doublicates)", false, false},
    };
    for (const auto& i : items) {
        QAction* a = menuItem(i.name);
        ASSERT_NE(a, nullptr) << i.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(i.caption)) << i.name;
        EXPECT_EQ(a->isCheckable(), i.checkable) << i.name;
        EXPECT_EQ(a->isChecked(), i.checked) << i.name;
    }
    EXPECT_EQ(form().silentModeAction->toolTip(),
              "Silent mode will make all tasks not in the Safe List to be killed immediately and it will disable most "
              "messages.");
    QStringList top;
    for (QAction* a : form().mainMenuBar->actions())
        top << a->text();
    EXPECT_EQ(top, (QStringList{"Task", "RAM", "Temperature", "Options", "Help"}));
}

TEST_F(MainWindowTest, ControlDefaults) {
    const TaskTabControls& t = taskTab();
    const AdvancedTabControls& a = advancedTab();
    EXPECT_TRUE(advancedTab().smartRecognitionCheck->isChecked());
    EXPECT_EQ(advancedTab().smartToleranceSpin->text(), "6");
    EXPECT_EQ(advancedTab().smartToleranceSpin->minimum(), 1);
    EXPECT_EQ(advancedTab().smartToleranceSpin->maximum(), 10);
    EXPECT_TRUE(a.toleranceTotalRadio->isChecked());
    EXPECT_FALSE(a.tolerancePercentRadio->isChecked());
    EXPECT_FALSE(advancedTab().shortNameLengthSpin->isEnabled());
    EXPECT_EQ(advancedTab().shortNameLengthSpin->text(), "3");
    EXPECT_EQ(advancedTab().nameLengthLimitSpin->text(), "32");
    EXPECT_EQ(advancedTab().nameLengthLimitSpin->maximum(), 1024);
    EXPECT_EQ(taskTab().memoryWarningSpin->text(), "55");
    EXPECT_EQ(taskTab().memoryWarningSpin->minimum(), taskTab().memoryWarningSpin->maximum()); // no limits
    EXPECT_TRUE(taskTab().memoryWarningCheck->isChecked());
    EXPECT_TRUE(taskTab().warnSafeListToCheck->isChecked());
    EXPECT_FALSE(taskTab().treatShownAsHiddenCheck->isChecked());
    EXPECT_FALSE(advancedTab().confirmActionsCheck->isChecked());
    EXPECT_FALSE(advancedTab().keepSettingsCheck->isChecked());
    EXPECT_TRUE(a.quickRepeatCheck->isChecked());
    EXPECT_FALSE(t.treatAllAsNewButton->isEnabled());
    EXPECT_EQ(t.protectionButton->text(), "Start Protection");
    EXPECT_EQ(advancedTab().enableSilentModeButton->text(), "Enable Silent Mode (not recommended)");
    EXPECT_EQ(t.showHiddenButton->text(), "Show Hidden");
    for (QWidget* panel : {main().ramTab().consumePanel(), taskTab().taskManagementPanel, taskTab().protectionPanel,
                           taskTab().safeListPanel, taskTab().killListPanel})
        EXPECT_TRUE(panel->isHidden()) << panel->objectName().toStdString();
}

TEST_F(MainWindowTest, TimersIntervalsAndStartStates) {
    const struct {
        QTimer* timer;
        int interval;
        bool running;
    } timers[] = {
        {form().statusTimer, 150, true},
        {form().refreshTimer, 2500, true},
        {form().protectionTimer, 500, true},
        {main().ramTab().minuteTimer(), 60000, true},
        {main().internetTab().addressLookupTimer(), 1000, false},
        {main().autoActionsTab().countdownTimer(), 1000, false},
        {main().temperatureTab().temperatureTimer(), 150, true},
    };
    for (const auto& t : timers) {
        EXPECT_EQ(t.timer->interval(), t.interval) << t.timer->objectName().toStdString();
        EXPECT_EQ(t.timer->isActive(), t.running) << t.timer->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, PanelButtonsToggleTheirPanels) {
    const TaskTabControls& t = taskTab();
    const std::pair<QPushButton*, QWidget*> pairs[] = {
        {main().ramTab().consumePanelButton(), main().ramTab().consumePanel()},
        {t.taskManagementPanelButton, taskTab().taskManagementPanel},
        {t.protectionPanelButton, taskTab().protectionPanel},
        {t.safeListPanelButton, taskTab().safeListPanel},
        {t.killListPanelButton, taskTab().killListPanel}};
    for (auto [button, panel] : pairs) {
        button->click();
        EXPECT_FALSE(panel->isHidden()) << panel->objectName().toStdString();
        button->click();
        EXPECT_TRUE(panel->isHidden()) << panel->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, TrayExitAsksEvenInSilentModeAndEndsOnYes) {
    int terminated = 0;
    main().shell().terminate = [&] { ++terminated; };
    form().silentModeAction->setChecked(true);
    fake.queueAnswer(IdNo);
    form().trayExitAction->trigger();
    EXPECT_EQ(terminated, 0);
    fake.queueAnswer(IdYes);
    form().trayExitAction->trigger();
    EXPECT_EQ(terminated, 1);
    ASSERT_EQ(fake.boxes().size(), 2);
    EXPECT_EQ(fake.boxes()[0].title, "Exit");
    EXPECT_EQ(fake.boxes()[0].text, "Do you wish to exit the program ?");
    EXPECT_EQ(fake.boxes()[0].flags, MbYesNo | MbIconWarning);
    EXPECT_EQ(fake.boxes()[0].owner, &main());
}

TEST_F(MainWindowTest, MenuExitClearsSilentModeAroundItsQuestion) {
    int terminated = 0;
    main().shell().terminate = [&] { ++terminated; };
    bool silentWhileAsking = true;
    fake.onBox = [&](const platform::fake::RecordedBox&) { silentWhileAsking = form().silentModeAction->isChecked(); };

    form().silentModeAction->setChecked(true);
    fake.queueAnswer(IdNo);
    form().exitAction->trigger();
    EXPECT_FALSE(silentWhileAsking);
    EXPECT_TRUE(form().silentModeAction->isChecked());
    EXPECT_EQ(terminated, 0);

    fake.queueAnswer(IdYes);
    form().exitAction->trigger();
    EXPECT_FALSE(form().silentModeAction->isChecked());
    EXPECT_EQ(terminated, 1);
}

TEST_F(MainWindowTest, CollapseAndExpandAgain) {
    form().collapseToMenuAction->trigger();
    EXPECT_TRUE(form().collapseToMenuAction->isChecked());
    EXPECT_EQ(main().minimumSize(), QSize(350, 45));
    EXPECT_EQ(main().maximumSize(), QSize(350, 45));
    EXPECT_EQ(main().size(), QSize(350, 45));
    EXPECT_TRUE(main().windowFlags().testFlag(Qt::Tool));

    advancedTab().collapseToMenuButton->click();
    EXPECT_FALSE(form().collapseToMenuAction->isChecked());
    EXPECT_EQ(advancedTab().collapseToMenuButton->text(), "Collapse to menu only (setting not kept on exit)");
    EXPECT_EQ(main().minimumSize(), QSize(1208, 766));
    EXPECT_EQ(main().maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    EXPECT_EQ(main().size(), QSize(1208, 766));
    EXPECT_FALSE(main().windowFlags().testFlag(Qt::Tool));
}

TEST_F(MainWindowTest, TemperatureTabSwitchTwiceRestoresEverything) {
    MainForm& f = form();
    const int tab = f.mainTabs->indexOf(f.temperaturePage);
    advancedTab().disableTemperatureTabButton->click();
    EXPECT_FALSE(main().temperatureTab().temperatureTimer()->isActive());
    EXPECT_FALSE(f.temperatureMenu->menuAction()->isVisible());
    EXPECT_FALSE(f.temperatureTabAction->isChecked());
    EXPECT_FALSE(f.trayTemperatureTabAction->isChecked());
    EXPECT_FALSE(f.mainTabs->isTabVisible(tab));
    EXPECT_EQ(advancedTab().disableTemperatureTabButton->text(), "Enable the Temperature tag (may slow down Torvane)");

    f.temperatureTabAction->trigger();
    EXPECT_TRUE(main().temperatureTab().temperatureTimer()->isActive());
    EXPECT_TRUE(f.temperatureMenu->menuAction()->isVisible());
    EXPECT_TRUE(f.temperatureTabAction->isChecked());
    EXPECT_TRUE(f.trayTemperatureTabAction->isChecked());
    EXPECT_TRUE(f.mainTabs->isTabVisible(tab));
    EXPECT_EQ(advancedTab().disableTemperatureTabButton->text(), "Disable the Temperature tag (speeds up Torvane)");
}

TEST_F(MainWindowTest, KeepSettingsMirrors) {
    MainForm& f = form();
    // At start the menu item is checked and the box is not, until the settings set both.
    EXPECT_TRUE(f.keepSettingsAction->isChecked());
    EXPECT_FALSE(advancedTab().keepSettingsCheck->isChecked());
    f.keepSettingsAction->trigger();
    EXPECT_FALSE(f.keepSettingsAction->isChecked());
    EXPECT_FALSE(advancedTab().keepSettingsCheck->isChecked());
    f.keepSettingsAction->trigger();
    EXPECT_TRUE(advancedTab().keepSettingsCheck->isChecked());
    advancedTab().keepSettingsCheck->setChecked(false);
    EXPECT_FALSE(f.keepSettingsAction->isChecked());
}

TEST_F(MainWindowTest, SettingsLoadOnlyAtFirstPaint) {
    int loads = 0;
    settings.load = [&] {
        ++loads;
        throw TorvaneError("Read beyond end of file");
    };
    main().onPainted();
    main().onPainted();
    EXPECT_EQ(loads, 1);
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].text, "Read beyond end of file.");
}

TEST_F(MainWindowTest, DestroyReportsAFailedBlockAndSkipsTheRest) {
    QStringList steps;
    settings.save = [&] {
        steps << "settings";
        throw TorvaneError("Disk full");
    };
    // The list file can not be written: a folder stands in its place.
    const QString listFile = baseDir.filePath("AllLists.sav");
    ASSERT_TRUE(QFile::remove(listFile));
    ASSERT_TRUE(QDir().mkdir(listFile));
    main().onDestroyed();
    EXPECT_EQ(steps, QStringList{"settings"});
    EXPECT_TRUE(fake.hotKeyRegistered()); // the steps after the failed one were skipped
    ASSERT_EQ(fake.boxes().size(), 2);
    EXPECT_EQ(fake.boxes()[0].title, "Torvane 4.4.0");
    EXPECT_EQ(fake.boxes()[0].text, "Disk full.");
    EXPECT_EQ(fake.boxes()[0].flags, MbIconError);
    EXPECT_EQ(fake.boxes()[1].title, "Exception Encountered");
    EXPECT_EQ(fake.boxes()[1].text,
              QString("The program raised some exception.\n\rTherefore, it did not close properly."));
    EXPECT_EQ(fake.boxes()[1].flags, MbIconError);
    EXPECT_EQ(fake.boxes()[1].owner, &main());
}

TEST_F(MainWindowTest, DestroyRunsEveryStepInOrder) {
    QStringList steps;
    settings.save = [&] { steps << "settings"; };
    taskTab().killListView->taskModel().append({"Intruder", 0});
    main().onDestroyed();
    EXPECT_EQ(steps, QStringList{"settings"});
    EXPECT_TRUE(readFile(baseDir.filePath("AllLists.sav")).contains("Intruder"));
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_FALSE(fake.hotKeyRegistered());
}

TEST_F(MainWindowTest, OverflowingNumberReachesTheErrorReport) {
    taskTab().memoryWarningSpin->setText("99999999999");
    bool finished = false;
    EXPECT_FALSE(main().guarded([&] {
        DigitsToInt(taskTab().memoryWarningSpin->text());
        finished = true;
    }));
    EXPECT_FALSE(finished);
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].title, "Torvane 4.4.0");
    EXPECT_EQ(fake.boxes()[0].text, "'99999999999' is not a valid integer value.");
    EXPECT_EQ(fake.boxes()[0].flags, MbIconError);
}

TEST_F(MainWindowTest, ListPopupsOpenOnDoubleClickAndRightRelease) {
    QList<QMenu*> opened;
    main().shell().openPopup = [&](QMenu* menu) { opened << menu; };
    emit taskTab().allTasksView->listDoubleClicked();
    emit taskTab().safeListView->rightButtonReleased();
    emit taskTab().killListView->listDoubleClicked();
    EXPECT_EQ(opened, (QList<QMenu*>{form().allTasksPopup, form().safeListPopup, form().killListPopup}));
}

TEST_F(MainWindowTest, InertSelectedTaskItemsDoNothing) {
    fake.addWindow("Editor");
    form().refreshTasksAction->trigger();
    taskTab().allTasksView->setItemIndex(0);
    form().killSelectedAction->trigger();
    form().addToSafeListAction->trigger();
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_TRUE(fake.terminatedProcesses().empty());
    EXPECT_EQ(taskTab().safeListView->count(), 0);
}

TEST_F(MainWindowTest, HotKeyIsRegisteredAndShowsTheWindow) {
    ASSERT_TRUE(fake.hotKeyRegistered());
    EXPECT_FALSE(main().isVisible());
    fake.pressHotKey();
    EXPECT_TRUE(main().isVisible());
    EXPECT_TRUE(program->values().MainWindowShown);
}

} // namespace

namespace {

TEST_F(AppFixture, ExtraMegaBytesSettleWhenTheMemorySizeIsUnknown) {
    startProgram(); // the fake reports a total of 0 bytes
    SpinEdit* extra = main().ramTab().controls().extraMegabytesSpin;
    extra->setText("5");
    EXPECT_EQ(extra->text(), "0");
    extra->setText("-7");
    EXPECT_EQ(extra->text(), "0");
}

} // namespace

TEST_F(MainWindowTest, StartNoticeOnceAfterTheSettingsUnlessSilent) {
    for (const bool silent : {false, true}) {
        fake.clearBoxes();
        main().startNotice = "No windows here.";
        settings.load = [&] { form().silentModeAction->setChecked(silent); };
        main().onPainted();
        main().onPainted();
        EXPECT_EQ(fake.boxes().size(), silent ? 0 : 1);
        EXPECT_TRUE(silent || fake.boxes()[0].text + fake.boxes()[0].title == "No windows here.Torvane 4.4.0");
        program.reset(), startProgram();
    }
}
