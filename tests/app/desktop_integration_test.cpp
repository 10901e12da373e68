// Living on a desktop: where the files are and starting at log-in.
#include "app/advanced_options_tab.h"
#include "app/app_id.h"
#include "app/autostart.h"
#include "app/main_form.h"
#include "app/main_window.h"
#include "app/program_folders.h"
#include "app/torvane_program.h"
#include "support/app_fixture.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>

namespace {

TEST(ProgramFolders, BesideTheExecutableOrPerUser) {
    const struct {
        QString exeDir;
        bool helpBeside;
        QString xdgDataHome;
        ProgramFolders expected;
    } cases[] = {
        {"/b/bin", true, "/x", {"/b/bin/", "/b/bin/", "/b/bin/", false}},
        {"/usr/bin",
         false,
         "",
         {"/home/u/.local/share/torvane/", "/usr/share/torvane/", "/usr/libexec/torvane/", true}},
        {"/o/bin", false, "/data/", {"/data/torvane/", "/o/share/torvane/", "/o/libexec/torvane/", true}},
        {"/o/bin", false, "rel", {"/home/u/.local/share/torvane/", "/o/share/torvane/", "/o/libexec/torvane/", true}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(programFolders(c.exeDir, c.helpBeside, {"../share/torvane", "../libexec/torvane"}, c.xdgDataHome,
                                 "/home/u"),
                  c.expected)
            << c.exeDir.toStdString() << " " << c.xdgDataHome.toStdString();
}

TEST(Autostart, EntryPathAndExecQuoting) {
    EXPECT_EQ(autostart::entryPath("a.B", "/cfg/", "/h"), "/cfg/autostart/a.B.desktop");
    EXPECT_EQ(autostart::entryPath("a.B", "cfg", "/h"), "/h/.config/autostart/a.B.desktop");
    const std::pair<QString, QString> cases[] = {
        {"/usr/bin/torvane", "/usr/bin/torvane"}, {"/my apps/t", "\"/my apps/t\""}, {"/100%/t", "\"/100%%/t\""},
        {"/$x\"y/t", "\"/\\\\$x\\\\\"y/t\""},     {"/a\\b/t", "\"/a\\\\\\\\b/t\""},
    };
    for (const auto& [path, exec] : cases)
        EXPECT_EQ(autostart::execQuoted(path), exec) << path.toStdString();
}

class StartAtLoginTest : public AppFixture {
protected:
    void SetUp() override {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        AppFixture::SetUp();
    }
    void TearDown() override {
        AppFixture::TearDown();
        qunsetenv("XDG_CONFIG_HOME");
    }
    // A run of the program, after the previous one ended.
    void start() {
        if (program)
            main().onDestroyed();
        startProgram();
        program->start();
    }

    QTemporaryDir config;
    const QString entry = config.path() + "/autostart/" + kAppId + ".desktop";
};

TEST_F(StartAtLoginTest, TheBoxIsTheEntryOnDisk) {
    start();
    EXPECT_FALSE(advancedTab().startAtLoginCheck->isChecked());
    advancedTab().startAtLoginCheck->click();
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), autostart::entryText(kAppId, QCoreApplication::applicationFilePath()));
    start();
    EXPECT_TRUE(advancedTab().startAtLoginCheck->isChecked());
    advancedTab().startAtLoginCheck->click();
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(StartAtLoginTest, AFailedWriteIsReportedAndTheBoxFollowsTheDisk) {
    QFile blocker(config.path() + "/autostart"); // a file where the folder belongs
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    start();
    advancedTab().startAtLoginCheck->click();
    EXPECT_FALSE(advancedTab().startAtLoginCheck->isChecked());
    EXPECT_EQ(fake.boxes().size(), 1);
}

} // namespace
