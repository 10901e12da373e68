// The option files across restarts of the whole program.
#include "app/advanced_options_tab.h"
#include "app/main_form.h"
#include "app/main_window.h"
#include "app/settings_files.h"
#include "app/torvane_program.h"
#include "app/tray_controller.h"
#include "internet/internet_tab.h"
#include "lists/task_management_tab.h"
#include "memory/ram_tab.h"
#include "schedule/auto_windows_actions_tab.h"
#include "support/app_fixture.h"
#include "temperature/temperature_tab.h"
#include "widgets/spin_edit.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <QTimer>
#include <vector>

using namespace platform;
using settings_files::Fields;
using settings_files::Flags;

namespace {

// Form defaults of the 28 records of "Settings.ini" and the 15 of "Configures.ini".
const Flags kDefaultFlags = {false, false, true,  true,  true,  false, true,  false, true, true,
                             true,  false, false, false, false, true,  false, true,  true, true,
                             false, false, true,  true,  false, false, false, true};
const Fields kDefaultFields = {1024, 1024, 1, 1, 0, 10, 6, 3, 32, 55, 1, 1000, 90, 0, 9};

class SettingsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        fake.memoryStatus.totalPhys = 8ull << 30;
        fake.memoryStatus.availPhys = 4ull << 30;
        startProgram();
        program->start();
    }
    // A new run over the same BaseDir.
    void restart() {
        program.reset();
        startProgram();
        program->start();
    }
    QString path(const QString& name) const { return baseDir.path() + "/" + name; }
    void write(const QString& name, const QByteArray& bytes) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const QString& name) {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The first paint, which applies the files inside the general error report.
    void load() {
        fake.clearBoxes();
        main().onPainted();
    }

    std::vector<QCheckBox*> boxes() {
        const RamControls& ram = main().ramTab().controls();
        const InternetControls& net = main().internetTab().controls();
        const TemperatureControls& t = main().temperatureTab().controls();
        return {taskTab().treatShownAsHiddenCheck,
                advancedTab().confirmActionsCheck,
                ram.periodicRewriteCheck,
                advancedTab().cleverProcessingCheck,
                advancedTab().smartRecognitionCheck,
                advancedTab().filterTextLengthCheck,
                advancedTab().spareShortNamesCheck,
                advancedTab().limitNameLengthCheck,
                advancedTab().followWindowHandleCheck,
                taskTab().memoryWarningCheck,
                taskTab().warnSafeListToCheck,
                ram.periodicOptimizeCheck,
                net.periodicLookupCheck,
                net.lookupOnlyConnectedCheck,
                t.overheatKillCheck,
                t.overheatStopProtectionCheck,
                t.startCoreTempWithTorvaneCheck,
                t.overheatStopLookupCheck,
                t.overheatStopMemoryCheck,
                main().autoActionsTab().controls().forceActionCheck,
                t.detectTemperatureChangesCheck,
                t.overheatShutDownCheck};
    }
    std::vector<SpinEdit*> spins() {
        const RamControls& ram = main().ramTab().controls();
        const TemperatureControls& t = main().temperatureTab().controls();
        return {ram.consumeFirstFactorSpin,
                ram.consumeSecondFactorSpin,
                ram.consumeThirdFactorSpin,
                ram.rewriteIntervalSpin,
                ram.extraMegabytesSpin,
                ram.safetyCapSpin,
                advancedTab().smartToleranceSpin,
                advancedTab().shortNameLengthSpin,
                advancedTab().nameLengthLimitSpin,
                taskTab().memoryWarningSpin,
                ram.optimizeIntervalSpin,
                main().internetTab().controls().lookupIntervalSpin,
                t.overheatThresholdSpin,
                t.overheatKillUsageSpin,
                t.changeToleranceSpin};
    }
    std::vector<bool> boxStates() {
        std::vector<bool> states;
        for (QCheckBox* box : boxes())
            states.push_back(box->isChecked());
        return states;
    }
    std::vector<int> spinValues() {
        std::vector<int> values;
        for (SpinEdit* spin : spins())
            values.push_back(spin->value());
        return values;
    }
    static std::vector<bool> flagsOf(const Flags& flags, int count) {
        return std::vector<bool>(flags.begin(), flags.begin() + count);
    }
    // A short file is moved aside with its bytes, and the one report says where.
    void expectKeptAside(const QString& name, const QByteArray& bytes) {
        const QStringList aside = QDir(baseDir.path()).entryList({name + ".bad-*"}, QDir::Files);
        ASSERT_EQ(aside.size(), 1);
        EXPECT_EQ(read(aside[0]), bytes);
        EXPECT_FALSE(QFileInfo::exists(path(name)));
        expectOneErrorReport("Read beyond end of file\n\rThe settings file was kept as \"" + path(aside[0]) + "\"");
    }
    void expectOneErrorReport(const QString& text) {
        ASSERT_EQ(fake.boxes().size(), 1);
        EXPECT_EQ(fake.boxes()[0].title, "Torvane 4.4.0");
        EXPECT_EQ(fake.boxes()[0].text, text);
        EXPECT_EQ(fake.boxes()[0].flags, MbIconError);
    }
};

TEST_F(SettingsTest, FirstStartAppliesNothingAndExitWritesTheDefaults) {
    load();
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_TRUE(main().isVisible());
    main().settings().save();
    EXPECT_EQ(read("Settings.ini"), settings_files::encodeFlags(kDefaultFlags));
    EXPECT_EQ(read("Configures.ini"), settings_files::encodeFields(kDefaultFields));
}

TEST_F(SettingsTest, OnlyConfiguresAppliesTheFieldsAndNoReplay) {
    const Fields fields = {2000, 512, 7, 30, -100, 200, 4, 5, 100, 77, 15, 2500, 80, 123, 12};
    write("Configures.ini", settings_files::encodeFields(fields));
    load();
    EXPECT_EQ(spinValues(), std::vector<int>(fields.begin(), fields.end()));
    EXPECT_EQ(boxStates(), flagsOf(kDefaultFlags, 22));
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_TRUE(main().isVisible());
    EXPECT_TRUE(program->values().MainWindowShown);
    EXPECT_TRUE(main().temperatureTab().temperatureTimer()->isActive());
    EXPECT_FALSE(form().silentModeAction->isChecked());
    // The change reactions ran: the address retrieval took its new interval.
    EXPECT_EQ(main().internetTab().addressLookupTimer()->interval(), 2500);
}

TEST_F(SettingsTest, StoredFieldsAreClampedIntoTheCurrentRanges) {
    // smartToleranceSpin as saved in "percent" mode (10..100) comes back in the "total" range 1..10.
    // extraMegabytesSpin is clamped to -65521, then its reaction limits it to the 8 GiB of memory less 1 MiB.
    const Fields stored = {5000, -1, 70000, 0, -70000, 9999, 60, 1, 2000, -123456, 841, 50, 300, 99999999, -1};
    const std::vector<int> applied = {4096, 0, 65521, 1, -8191, 4096, 10, 2, 1024, -123456, 840, 100, 240, 99999999, 0};
    write("Configures.ini", settings_files::encodeFields(stored));
    load();
    EXPECT_EQ(spinValues(), applied);
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(SettingsTest, ReplaysRestoreTheStateWithoutMessages) {
    Flags flags = kDefaultFlags;
    flags[0] = true;   // treatShownAsHiddenCheck
    flags[23] = false; // in the tray
    flags[24] = true;  // showing hidden tasks
    flags[25] = true;  // protection running
    flags[26] = true;  // treat non-hidden as hidden
    write("Settings.ini", settings_files::encodeFlags(flags));
    load();
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_FALSE(main().isVisible());
    EXPECT_FALSE(program->values().MainWindowShown);
    EXPECT_TRUE(form().showHiddenTasksAction->isChecked());
    EXPECT_TRUE(form().protectionAction->isChecked());
    EXPECT_TRUE(form().treatAsHiddenAction->isChecked());
    EXPECT_TRUE(taskTab().treatShownAsHiddenCheck->isChecked());
    EXPECT_FALSE(form().silentModeAction->isChecked());
}

TEST_F(SettingsTest, EachCheckBoxRecordReachesItsOwnBox) {
    // One record off its default at a time, so records sharing a default cannot trade places.
    for (int i = 0; i < 22; ++i) {
        SCOPED_TRACE(i + 1);
        Flags flags = kDefaultFlags;
        flags[i] = !flags[i];
        write("Settings.ini", settings_files::encodeFlags(flags));
        main().settings().load();
        EXPECT_EQ(boxStates(), flagsOf(flags, 22));
    }
}

TEST_F(SettingsTest, TreatAsHiddenRecordSwitchesTheOptionOnByItself) {
    Flags flags = kDefaultFlags;
    flags[26] = true; // treatShownAsHiddenCheck itself stored off
    write("Settings.ini", settings_files::encodeFlags(flags));
    load();
    EXPECT_TRUE(form().treatAsHiddenAction->isChecked());
    EXPECT_TRUE(taskTab().treatShownAsHiddenCheck->isChecked());
}

TEST_F(SettingsTest, TemperatureTabAndCoreTempStart) {
    QFile coreTemp(path("core-temp"));
    ASSERT_TRUE(coreTemp.open(QIODevice::WriteOnly));
    coreTemp.close();
    const struct {
        const char* name;
        bool startWithCoreTemp;
        bool tabEnabled;
        QStringList started;
    } cases[] = {
        {"chosen and tab on", true, true, {path("core-temp")}},
        {"chosen but tab off", true, false, {}},
        {"not chosen", false, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        fake.startedFiles.clear();
        Flags flags = kDefaultFlags;
        flags[16] = c.startWithCoreTemp;
        flags[27] = c.tabEnabled;
        write("Settings.ini", settings_files::encodeFlags(flags));
        load();
        EXPECT_EQ(fake.startedFiles, c.started);
        EXPECT_EQ(main().temperatureTab().temperatureTimer()->isActive(), c.tabEnabled);
        EXPECT_EQ(form().mainTabs->isTabVisible(form().mainTabs->indexOf(form().temperaturePage)), c.tabEnabled);
        EXPECT_EQ(form().startCoreTempWithTorvaneAction->isChecked(), c.startWithCoreTemp);
        EXPECT_TRUE(fake.boxes().isEmpty());
    }
}

TEST_F(SettingsTest, KeepSettingsOffDeletesBothFiles) {
    load();
    main().settings().save();
    ASSERT_TRUE(QFileInfo::exists(path("Settings.ini")));
    advancedTab().keepSettingsCheck->setChecked(true);
    advancedTab().keepSettingsCheck->setChecked(false); // mirrors into keepSettingsAction
    ASSERT_FALSE(form().keepSettingsAction->isChecked());
    main().settings().save();
    EXPECT_FALSE(QFileInfo::exists(path("Settings.ini")));
    EXPECT_FALSE(QFileInfo::exists(path("Configures.ini")));
    restart();
    load();
    EXPECT_TRUE(form().keepSettingsAction->isChecked());
}

TEST_F(SettingsTest, KeepSettingsRecordSetsMenuItemAndCheckBox) {
    Flags flags = kDefaultFlags;
    flags[22] = false;
    write("Settings.ini", settings_files::encodeFlags(flags));
    load();
    EXPECT_FALSE(form().keepSettingsAction->isChecked());
    EXPECT_FALSE(advancedTab().keepSettingsCheck->isChecked());
}

TEST_F(SettingsTest, KeepSettingsMenuItemAndCheckBoxAgreeAfterLoading) {
    Flags notKept = kDefaultFlags;
    notKept[22] = false;
    const struct {
        const char* files;
        QByteArray settings;
        bool keep;
    } cases[] = {
        {"none (first start)", {}, true},
        {"Settings.ini ending before the record", settings_files::encodeFlags(kDefaultFlags).left(20), true},
        {"Settings.ini not keeping", settings_files::encodeFlags(notKept), false},
    };
    for (const auto& c : cases) {
        restart();
        QFile::remove(path("Settings.ini"));
        if (!c.settings.isEmpty())
            write("Settings.ini", c.settings);
        load();
        EXPECT_EQ(form().keepSettingsAction->isChecked(), c.keep) << c.files;
        EXPECT_EQ(advancedTab().keepSettingsCheck->isChecked(), c.keep) << c.files;
    }
}

TEST_F(SettingsTest, ShortSettingsFileAppliesWhatItHoldsAndReportsOnce) {
    // Every record the inverse of its default, so each applied one shows.
    Flags inverted;
    for (int i = 0; i < settings_files::kFlagCount; ++i)
        inverted[i] = !kDefaultFlags[i];
    write("Settings.ini", settings_files::encodeFlags(inverted).left(20));
    load();
    expectKeptAside("Settings.ini", settings_files::encodeFlags(inverted).left(20));
    std::vector<bool> expected = flagsOf(inverted, 20);
    expected.push_back(kDefaultFlags[20]);
    expected.push_back(kDefaultFlags[21]);
    EXPECT_EQ(boxStates(), expected);
    EXPECT_FALSE(form().silentModeAction->isChecked());
    EXPECT_TRUE(main().isVisible());
}

TEST_F(SettingsTest, FailureDuringTheReplaysClearsSilentMode) {
    Flags flags = kDefaultFlags;
    flags[24] = true; // show hidden tasks, then the file ends
    write("Settings.ini", settings_files::encodeFlags(flags).left(25));
    load();
    expectKeptAside("Settings.ini", settings_files::encodeFlags(flags).left(25));
    EXPECT_TRUE(form().showHiddenTasksAction->isChecked());
    EXPECT_FALSE(form().silentModeAction->isChecked());
    EXPECT_FALSE(form().protectionAction->isChecked());
}

// Unlike a short "Settings.ini", which ends loading, a short "Configures.ini" lets "Settings.ini"
// load: otherwise the next save would replace the sound file with the form defaults.
TEST_F(SettingsTest, ShortConfiguresIsKeptAsideAndSettingsStillLoad) {
    Fields fields = kDefaultFields;
    for (std::int32_t& v : fields)
        v += 1;
    write("Configures.ini", settings_files::encodeFields(fields).left(30));
    Flags flags = kDefaultFlags;
    flags[0] = true;
    write("Settings.ini", settings_files::encodeFlags(flags));
    load();
    expectKeptAside("Configures.ini", settings_files::encodeFields(fields).left(30));
    std::vector<int> expected(kDefaultFields.begin(), kDefaultFields.end());
    for (int i = 0; i < 7; ++i)
        expected[i] = fields[i];
    EXPECT_EQ(spinValues(), expected);
    EXPECT_TRUE(taskTab().treatShownAsHiddenCheck->isChecked());
    main().settings().save();
    EXPECT_EQ(read("Settings.ini").left(1), QByteArray(1, '\1'));
}

TEST_F(SettingsTest, FailedDeleteIsReportedAndStopsThere) {
    load();
    write("Configures.ini", QByteArray(60, '\0'));
    ASSERT_TRUE(QDir().mkdir(path("Settings.ini")));
    form().keepSettingsAction->setChecked(false);
    fake.clearBoxes();
    main().onDestroyed();
    expectOneErrorReport("I/O error 21.");
    EXPECT_TRUE(QFileInfo::exists(path("Configures.ini")));
}

TEST_F(SettingsTest, EveryRecordSurvivesARestart) {
    load();
    for (QCheckBox* box : boxes())
        box->setChecked(!box->isChecked());
    const std::vector<int> values = {2000, 512, 7, 30, -100, 200, 4, 5, 100, 77, 15, 2500, 80, 123, 12};
    const auto fields = spins();
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i]->setValue(values[i]);
    main().tray().onToTrayTriggered();
    form().showHiddenTasksAction->setChecked(true);
    form().protectionAction->setChecked(true);
    main().temperatureTab().temperatureTimer()->stop();
    const std::vector<bool> states = boxStates();
    main().settings().save();
    const QByteArray savedFlags = read("Settings.ini");
    const QByteArray savedFields = read("Configures.ini");

    restart();
    load();
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_EQ(boxStates(), states);
    EXPECT_EQ(spinValues(), values);
    EXPECT_FALSE(program->values().MainWindowShown);
    EXPECT_TRUE(form().showHiddenTasksAction->isChecked());
    EXPECT_TRUE(form().protectionAction->isChecked());
    EXPECT_TRUE(form().treatAsHiddenAction->isChecked());
    EXPECT_FALSE(main().temperatureTab().temperatureTimer()->isActive());
    EXPECT_EQ(form().startCoreTempWithTorvaneAction->isChecked(), states[16]);
    EXPECT_EQ(form().detectTemperatureChangesAction->isChecked(), states[20]);
    main().settings().save();
    EXPECT_EQ(read("Settings.ini"), savedFlags);
    EXPECT_EQ(read("Configures.ini"), savedFields);
}

} // namespace
