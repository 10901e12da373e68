// Ends that come from outside the program, and its own system actions, save what the user changed.
#include "app/advanced_options_tab.h"
#include "app/auto_save.h"
#include "app/main_window.h"
#include "app/torvane_program.h"
#include "lists/list_file.h"
#include "lists/task_management_tab.h"
#include "platform/fake/fake_termination_requests.h"
#include "schedule/auto_windows_actions_tab.h"
#include "support/app_fixture.h"
#include "widgets/task_list_view.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <sys/stat.h>

namespace {

class SessionEndTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        startProgram();
        main().onPainted(); // the settings are loaded, so they may be saved
        taskTab().safeListView->taskModel().append({"Editor", 0});
    }
    bool editorSaved() { return loadListFile(baseDir.filePath("AllLists.sav")).safe == TaskList{{"Editor", 0}}; }
};

TEST_F(SessionEndTest, TerminationRequestsRunTheExitSequenceOnce) {
    platform::fake::FakeTerminationRequests requests;
    program->endOn(requests);
    settings.saves = 0;
    QTimer::singleShot(0, [&] { requests.request(SIGTERM), requests.request(SIGHUP); });
    QCoreApplication::exec(); // returns at the request
    main().onDestroyed();     // as main() does after the loop
    EXPECT_TRUE(editorSaved());
    EXPECT_EQ(settings.saves, 1);
    EXPECT_FALSE(fake.hotKeyRegistered());
}

TEST_F(SessionEndTest, AChangeIsSavedLaterAndAnUnchangedFileIsNotRewritten) {
    AutoSave& autoSave = program->autoSave();
    EXPECT_TRUE(autoSave.pending());
    autoSave.saveNow();
    EXPECT_TRUE(editorSaved());
    struct stat before {
    }, after{};
    ::stat(qPrintable(baseDir.filePath("Settings.ini")), &before);
    taskTab().killListView->taskModel().append({"Miner", 0});
    autoSave.saveNow();
    ::stat(qPrintable(baseDir.filePath("Settings.ini")), &after);
    EXPECT_EQ(after.st_ino, before.st_ino); // no option changed
}

TEST_F(SessionEndTest, ABurstOfChangesIsWrittenOnceWithoutPostponingTheFirst) {
    AutoSave& autoSave = program->autoSave();
    autoSave.saveNow();
    taskTab().killListView->taskModel().append({"Miner", 0});
    const int firstDue = autoSave.remainingMs();
    EXPECT_GE(firstDue, 0);
    EXPECT_LE(firstDue, 500); // a kill half a second later finds it on disk
    QThread::msleep(20);      // long enough for a restarted delay to show
    taskTab().killListView->taskModel().append({"Spy", 0});
    advancedTab().confirmActionsCheck->toggle();
    EXPECT_LT(autoSave.remainingMs(), firstDue);
    settings.saves = 0;
    for (int round = 0; round < 2000 && autoSave.pending(); ++round) {
        QThread::msleep(5);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(settings.saves, 1);
    EXPECT_EQ(loadListFile(baseDir.filePath("AllLists.sav")).kill, (TaskList{{"Miner", 0}, {"Spy", 0}}));
}

TEST_F(SessionEndTest, TheCountdownSavesBeforeTheSystemEndsTheSession) {
    main().autoActionsTab().controller().onPerformNowClicked();
    ASSERT_EQ(fake.systemActionCalls.size(), 1u);
    EXPECT_TRUE(editorSaved());
}

} // namespace
