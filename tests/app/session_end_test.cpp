// Ends that come from outside the program, and its own system actions, save what the user changed.
#include "app/auto_save.h"
#include "app/torvane_program.h"
#include "app/ttorvane.h"
#include "core/task_list_view.h"
#include "lists/list_file.h"
#include "platform/fake/fake_termination_requests.h"
#include "schedule/auto_windows_actions_tab.h"
#include "support/app_fixture.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>
#include <csignal>
#include <sys/stat.h>

namespace {

class SessionEndTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        startProgram();
        main().FormPaint(); // the settings are loaded, so they may be saved
    }
    QString file(const char* name) const { return baseDir.filePath(name); }
    TaskList savedSafeList() { return loadListFile(file("AllLists.sav")).safe; }
};

TEST_F(SessionEndTest, ATerminationRequestRunsTheExitSequenceOnce) {
    platform::fake::FakeTerminationRequests requests;
    program->endOn(requests);
    int settingsSaves = 0;
    main().hooks.saveSettings = [&, save = main().hooks.saveSettings] {
        ++settingsSaves;
        save();
    };
    form().ListBox2->taskModel().append({"Editor", 0});
    QTimer::singleShot(0, [&] {
        requests.request(SIGTERM);
        requests.request(SIGHUP);
    });
    QCoreApplication::exec(); // returns at the request
    main().FormDestroy();     // as main() does after the loop
    EXPECT_EQ(savedSafeList(), (TaskList{{"Editor", 0}}));
    EXPECT_EQ(settingsSaves, 1);
    EXPECT_EQ(QFileInfo(file("Settings.ini")).size(), 28);
    EXPECT_FALSE(fake.hotKeyRegistered());
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(SessionEndTest, AChangeIsSavedLaterAndAnUnchangedFileIsNotRewritten) {
    AutoSave& autoSave = program->autoSave();
    autoSave.saveNow();
    const auto inode = [this](const char* name) {
        struct stat s {};
        ::stat(qPrintable(file(name)), &s);
        return s.st_ino;
    };
    const auto before = inode("AllLists.sav");
    EXPECT_FALSE(autoSave.pending());
    form().ListBox3->taskModel().append({"Miner", 0});
    EXPECT_TRUE(autoSave.pending());
    const auto settingsBefore = inode("Settings.ini");
    autoSave.saveNow();
    EXPECT_EQ(loadListFile(file("AllLists.sav")).kill, (TaskList{{"Miner", 0}}));
    EXPECT_NE(inode("AllLists.sav"), before);
    EXPECT_EQ(inode("Settings.ini"), settingsBefore); // no option changed
}

TEST_F(SessionEndTest, TheCountdownSavesBeforeTheSystemEndsTheSession) {
    form().ListBox2->taskModel().append({"Editor", 0});
    main().autoActionsTab().controller().Button28Click();
    ASSERT_EQ(fake.systemActionCalls.size(), 1u);
    EXPECT_EQ(savedSafeList(), (TaskList{{"Editor", 0}}));
}

} // namespace
