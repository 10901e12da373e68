#include "app/main_form.h"
#include "app/shell_controller.h"
#include "app/torvane_program.h"
#include "app/ttorvane.h"
#include "core/digits_to_int.h"
#include "memory/ram_controls.h"
#include "memory/ram_tab.h"
#include "platform/torvane_error.h"
#include "support/app_fixture.h"
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
    for (int i = 0; i < form().PageControl1->count(); ++i)
        captions << form().PageControl1->tabText(i);
    EXPECT_EQ(captions, expected);
    EXPECT_EQ(form().PageControl1->currentIndex(), 0);
    EXPECT_FALSE(form().ActCountoun->isVisibleTo(&main()));
    EXPECT_EQ(main().pos(), QPoint(0, 0));
    EXPECT_EQ(main().minimumSize(), QSize(1208, 766));
    EXPECT_EQ(main().windowTitle(), "Torvane");
}

TEST_F(MainWindowTest, TaskTabControlsAllShowAtTheSizeA1280x720ScreenLeaves) {
    main().setMinimumSize(0, 0);
    main().resize(1208, 680);
    main().show();
    QApplication::processEvents();
    QWidget* page = form().TabSheet1;
    QWidget* const bottomRows[] = {form().Edit1, form().Button12, form().Button11, form().BitBtn2, form().BitBtn7};
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
        {"KillHiddenNewTasks1", "Start Protection", true, false},
        {"TreatAsHidden1", "Treat non-hidden tasks as Hidden", true, false},
        {"WarnIfTaskUsesOver1", "Warn if task uses over 55 memory Mega Bytes", true, true},
        {"ShowHiddenTasks", "Show Hidden Tasks", true, false},
        {"KillTask1", "Kill Selected Task", false, false},
        {"OptimizeFreeEvery1", "Optimize and free every 1 minutes", true, false},
        {"Consume33ofavailable1", "Consume 33% of available", false, false},
        {"askRelatedTemperatureChanges1", "Detect task-related temperature changes", true, false},
        {"KeepSettingsonExit1", "Keep Settings on Exit", true, true},
        {"SilentMode1", "Silent Mode", true, false},
        {"emperatureTabEnabled1", "Temperature tab enabled", true, true},
        {"Help2", "Show Help", false, false},
        {"oTray1", "To Tray", false, false},
        {"TempMan", "Temperature Tab", true, true},
        {"Killtask2", "Kill task (will kill parrent application)", false, false},
        {"AddtoSafeListallowdoublicates1", "Add to Safe List (allow doublicates)", false, false},
    };
    for (const auto& i : items) {
        QAction* a = menuItem(i.name);
        ASSERT_NE(a, nullptr) << i.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(i.caption)) << i.name;
        EXPECT_EQ(a->isCheckable(), i.checkable) << i.name;
        EXPECT_EQ(a->isChecked(), i.checked) << i.name;
    }
    EXPECT_EQ(form().SilentMode1->toolTip(),
              "Silent mode will make all tasks not in the Safe List to be killed immediately and it will disable most "
              "messages.");
    QStringList top;
    for (QAction* a : form().MainMenu1->actions())
        top << a->text();
    EXPECT_EQ(top, (QStringList{"Task", "RAM", "Temperature", "Options", "Help"}));
}

TEST_F(MainWindowTest, ControlDefaults) {
    MainForm& f = form();
    EXPECT_TRUE(f.CheckBox5->isChecked());
    EXPECT_EQ(f.SpinEdit7->text(), "6");
    EXPECT_EQ(f.SpinEdit7->minimum(), 1);
    EXPECT_EQ(f.SpinEdit7->maximum(), 10);
    EXPECT_TRUE(f.RadioButton7->isChecked());
    EXPECT_FALSE(f.RadioButton6->isChecked());
    EXPECT_FALSE(f.SpinEdit8->isEnabled());
    EXPECT_EQ(f.SpinEdit8->text(), "3");
    EXPECT_EQ(f.SpinEdit9->text(), "32");
    EXPECT_EQ(f.SpinEdit9->maximum(), 1024);
    EXPECT_EQ(f.SpinEdit10->text(), "55");
    EXPECT_EQ(f.SpinEdit10->minimum(), f.SpinEdit10->maximum()); // no limits
    EXPECT_TRUE(f.CheckBox10->isChecked());
    EXPECT_TRUE(f.CheckBox11->isChecked());
    EXPECT_FALSE(f.CheckBox1->isChecked());
    EXPECT_FALSE(f.CheckBox2->isChecked());
    EXPECT_FALSE(f.CheckBox24->isChecked());
    EXPECT_TRUE(f.CheckBox25->isChecked());
    EXPECT_FALSE(f.Button20->isEnabled());
    EXPECT_EQ(f.Button6->text(), "Start Protection");
    EXPECT_EQ(f.Button7->text(), "Enable Silent Mode (not recommended)");
    EXPECT_EQ(f.Button12->text(), "Show Hidden");
    for (QWidget* panel : {f.ScrollBox2, f.ScrollBox3, f.ScrollBox4, f.ScrollBox5, f.ScrollBox6})
        EXPECT_TRUE(panel->isHidden()) << panel->objectName().toStdString();
}

TEST_F(MainWindowTest, TimersIntervalsAndStartStates) {
    const struct {
        QTimer* timer;
        int interval;
        bool running;
    } timers[] = {
        {form().Timer1, 150, true},       {form().Timer2, 2500, true},  {form().Timer3, 500, true},
        {form().Timer4, 60000, true},     {form().Timer5, 1000, false}, {form().Countdown, 1000, false},
        {form().TempGetTimer, 150, true},
    };
    for (const auto& t : timers) {
        EXPECT_EQ(t.timer->interval(), t.interval) << t.timer->objectName().toStdString();
        EXPECT_EQ(t.timer->isActive(), t.running) << t.timer->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, PanelButtonsToggleTheirPanels) {
    MainForm& f = form();
    const std::pair<QPushButton*, QWidget*> pairs[] = {{f.BitBtn1, f.ScrollBox2},
                                                       {f.BitBtn2, f.ScrollBox3},
                                                       {f.BitBtn3, f.ScrollBox4},
                                                       {f.BitBtn6, f.ScrollBox5},
                                                       {f.BitBtn7, f.ScrollBox6}};
    for (auto [button, panel] : pairs) {
        button->click();
        EXPECT_FALSE(panel->isHidden()) << panel->objectName().toStdString();
        button->click();
        EXPECT_TRUE(panel->isHidden()) << panel->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, Exit1AsksEvenInSilentModeAndEndsOnYes) {
    int terminated = 0;
    main().shell().terminate = [&] { ++terminated; };
    form().SilentMode1->setChecked(true);
    fake.queueAnswer(IdNo);
    form().Exit1->trigger();
    EXPECT_EQ(terminated, 0);
    fake.queueAnswer(IdYes);
    form().Exit1->trigger();
    EXPECT_EQ(terminated, 1);
    ASSERT_EQ(fake.boxes().size(), 2);
    EXPECT_EQ(fake.boxes()[0].title, "Exit");
    EXPECT_EQ(fake.boxes()[0].text, "Do you wish to exit the program ?");
    EXPECT_EQ(fake.boxes()[0].flags, MbYesNo | MbIconWarning);
    EXPECT_EQ(fake.boxes()[0].owner, &main());
}

TEST_F(MainWindowTest, Exit2ClearsSilentModeAroundItsQuestion) {
    int terminated = 0;
    main().shell().terminate = [&] { ++terminated; };
    bool silentWhileAsking = true;
    fake.onBox = [&](const platform::fake::RecordedBox&) { silentWhileAsking = form().SilentMode1->isChecked(); };

    form().SilentMode1->setChecked(true);
    fake.queueAnswer(IdNo);
    form().Exit2->trigger();
    EXPECT_FALSE(silentWhileAsking);
    EXPECT_TRUE(form().SilentMode1->isChecked());
    EXPECT_EQ(terminated, 0);

    fake.queueAnswer(IdYes);
    form().Exit2->trigger();
    EXPECT_FALSE(form().SilentMode1->isChecked());
    EXPECT_EQ(terminated, 1);
}

TEST_F(MainWindowTest, CollapseAndExpandAgain) {
    form().Collapsetomenuonly1->trigger();
    EXPECT_TRUE(form().Collapsetomenuonly1->isChecked());
    EXPECT_EQ(main().minimumSize(), QSize(350, 45));
    EXPECT_EQ(main().maximumSize(), QSize(350, 45));
    EXPECT_EQ(main().size(), QSize(350, 45));
    EXPECT_TRUE(main().windowFlags().testFlag(Qt::Tool));

    form().Button34->click();
    EXPECT_FALSE(form().Collapsetomenuonly1->isChecked());
    EXPECT_EQ(form().Button34->text(), "Collapse to menu only (setting not kept on exit)");
    EXPECT_EQ(main().minimumSize(), QSize(1208, 766));
    EXPECT_EQ(main().maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    EXPECT_EQ(main().size(), QSize(1208, 766));
    EXPECT_FALSE(main().windowFlags().testFlag(Qt::Tool));
}

TEST_F(MainWindowTest, TemperatureTabSwitchTwiceRestoresEverything) {
    MainForm& f = form();
    const int tab = f.PageControl1->indexOf(f.Temperature);
    f.Button31->click();
    EXPECT_FALSE(f.TempGetTimer->isActive());
    EXPECT_FALSE(f.TemperatureOptions1->menuAction()->isVisible());
    EXPECT_FALSE(f.emperatureTabEnabled1->isChecked());
    EXPECT_FALSE(f.TempMan->isChecked());
    EXPECT_FALSE(f.PageControl1->isTabVisible(tab));
    EXPECT_EQ(f.Button31->text(), "Enable the Temperature tag (may slow down Torvane)");

    f.emperatureTabEnabled1->trigger();
    EXPECT_TRUE(f.TempGetTimer->isActive());
    EXPECT_TRUE(f.TemperatureOptions1->menuAction()->isVisible());
    EXPECT_TRUE(f.emperatureTabEnabled1->isChecked());
    EXPECT_TRUE(f.TempMan->isChecked());
    EXPECT_TRUE(f.PageControl1->isTabVisible(tab));
    EXPECT_EQ(f.Button31->text(), "Disable the Temperature tag (speeds up Torvane)");
}

TEST_F(MainWindowTest, KeepSettingsMirrors) {
    MainForm& f = form();
    // At start the menu item is checked and the box is not, until the settings set both.
    EXPECT_TRUE(f.KeepSettingsonExit1->isChecked());
    EXPECT_FALSE(f.CheckBox24->isChecked());
    f.KeepSettingsonExit1->trigger();
    EXPECT_FALSE(f.KeepSettingsonExit1->isChecked());
    EXPECT_FALSE(f.CheckBox24->isChecked());
    f.KeepSettingsonExit1->trigger();
    EXPECT_TRUE(f.CheckBox24->isChecked());
    f.CheckBox24->setChecked(false);
    EXPECT_FALSE(f.KeepSettingsonExit1->isChecked());
}

TEST_F(MainWindowTest, SettingsLoadOnlyAtFirstPaint) {
    int loads = 0;
    settings.load = [&] {
        ++loads;
        throw TorvaneError("Read beyond end of file");
    };
    main().FormPaint();
    main().FormPaint();
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
    main().FormDestroy();
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
    form().ListBox3->taskModel().append({"Intruder", 0});
    main().FormDestroy();
    EXPECT_EQ(steps, QStringList{"settings"});
    EXPECT_TRUE(readFile(baseDir.filePath("AllLists.sav")).contains("Intruder"));
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_FALSE(fake.hotKeyRegistered());
}

TEST_F(MainWindowTest, OverflowingNumberReachesTheErrorReport) {
    form().SpinEdit10->setText("99999999999");
    bool finished = false;
    EXPECT_FALSE(main().guarded([&] {
        DigitsToInt(form().SpinEdit10->text());
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
    emit form().ListBox1->listDoubleClicked();
    emit form().ListBox2->rightButtonReleased();
    emit form().ListBox3->listDoubleClicked();
    EXPECT_EQ(opened, (QList<QMenu*>{form().PopupMenu4, form().PopupMenu2, form().PopupMenu3}));
}

TEST_F(MainWindowTest, InertSelectedTaskItemsDoNothing) {
    fake.addWindow("Editor");
    form().RefreshTasks1->trigger();
    form().ListBox1->setItemIndex(0);
    form().KillTask1->trigger();
    form().AddtoSafeList1->trigger();
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_TRUE(fake.terminatedProcesses().empty());
    EXPECT_EQ(form().ListBox2->count(), 0);
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
    SpinEdit* extra = main().ramTab().controls().SpinEdit5;
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
        settings.load = [&] { form().SilentMode1->setChecked(silent); };
        main().FormPaint();
        main().FormPaint();
        EXPECT_EQ(fake.boxes().size(), silent ? 0 : 1);
        EXPECT_TRUE(silent || fake.boxes()[0].text + fake.boxes()[0].title == "No windows here.Torvane 4.4.0");
        program.reset(), startProgram();
    }
}
