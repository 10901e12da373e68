// Living on a desktop: where the files are, the command line and starting at log-in.
#include "app/app_id.h"
#include "app/autostart.h"
#include "app/command_line.h"
#include "app/program_folders.h"
#include "app/torvane_program.h"
#include "app/ttorvane.h"
#include "core/main_form.h"
#include "support/app_fixture.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {

TEST(ProgramFolders, BesideTheExecutableOrPerUser) {
    const InstallLayout layout{"../share/torvane", "../libexec/torvane"};
    const struct {
        const char* name;
        QString exeDir;
        bool helpBeside;
        QString xdgDataHome;
        ProgramFolders expected;
    } cases[] = {
        {"build folder",
         "/src/build/bin",
         true,
         "/x",
         {"/src/build/bin/", "/src/build/bin/", "/src/build/bin/", false}},
        {"installed",
         "/usr/bin",
         false,
         "",
         {"/home/u/.local/share/torvane/", "/usr/share/torvane/", "/usr/libexec/torvane/", true}},
        {"installed, XDG_DATA_HOME",
         "/opt/t/bin",
         false,
         "/data/",
         {"/data/torvane/", "/opt/t/share/torvane/", "/opt/t/libexec/torvane/", true}},
        {"installed, relative XDG_DATA_HOME",
         "/usr/bin",
         false,
         "rel",
         {"/home/u/.local/share/torvane/", "/usr/share/torvane/", "/usr/libexec/torvane/", true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(programFolders(c.exeDir, c.helpBeside, layout, c.xdgDataHome, "/home/u"), c.expected);
    }
}

TEST(ProgramFolders, DataFolderIsPrivateAndMadeOnlyOnce) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/share/torvane/";
    ASSERT_TRUE(createDataFolder(folder));
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(folder).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    // An existing folder keeps the mode its owner gave it.
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0750), 0);
    ASSERT_TRUE(createDataFolder(folder));
    ASSERT_EQ(stat(QFile::encodeName(folder).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0750u);
}

TEST(CommandLine, AnswersWithoutStartingOrStarts) {
    const struct {
        QStringList arguments;
        bool exit;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {{"torvane"}, false, 0, "", ""},
        {{"torvane", "--version"}, true, 0, "torvane " TORVANE_VERSION_FOR_TESTS "\n", ""},
        {{"torvane", "-v"}, true, 0, "torvane " TORVANE_VERSION_FOR_TESTS "\n", ""},
        {{"torvane", "--help"}, true, 0, "Usage: torvane [options]", ""},
        {{"torvane", "-h"}, true, 0, "-v, --version", ""},
        {{"torvane", "--bogus"}, true, 1, "", "torvane: Unknown option 'bogus'."},
        {{"torvane", "file"}, true, 1, "", "torvane: unexpected argument 'file'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CommandLineAnswer answer = readCommandLine(c.arguments);
        EXPECT_EQ(answer.exit, c.exit);
        EXPECT_EQ(answer.status, c.status);
        EXPECT_TRUE(answer.out.contains(QString::fromUtf8(c.out))) << answer.out.toStdString();
        if (*c.err)
            EXPECT_TRUE(answer.err.startsWith(QString::fromUtf8(c.err))) << answer.err.toStdString();
        EXPECT_EQ(answer.out.isEmpty(), QByteArray(c.out).isEmpty());
        EXPECT_EQ(answer.err.isEmpty(), QByteArray(c.err).isEmpty());
    }
}

TEST(Autostart, EntryPathAndExecQuoting) {
    EXPECT_EQ(autostart::entryPath("a.b.C", "/cfg/", "/home/u"), "/cfg/autostart/a.b.C.desktop");
    EXPECT_EQ(autostart::entryPath("a.b.C", "", "/home/u"), "/home/u/.config/autostart/a.b.C.desktop");
    EXPECT_EQ(autostart::entryPath("a.b.C", "cfg", "/home/u"), "/home/u/.config/autostart/a.b.C.desktop");
    const struct {
        QString path;
        QString exec;
    } cases[] = {
        {"/usr/bin/torvane", "/usr/bin/torvane"},
        {"/home/u/my apps/torvane", "\"/home/u/my apps/torvane\""},
        {"/opt/100%/torvane", "\"/opt/100%%/torvane\""},
        {"/opt/$x\"y/torvane", "\"/opt/\\\\$x\\\\\"y/torvane\""},
        {"/opt/a\\b/torvane", "\"/opt/a\\\\\\\\b/torvane\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(autostart::execQuoted(c.path), c.exec) << c.path.toStdString();
}

class StartAtLoginTest : public AppFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        AppFixture::SetUp();
    }
    void TearDown() override {
        AppFixture::TearDown();
        qunsetenv("XDG_CONFIG_HOME");
    }
    QString entry() const { return config.path() + "/autostart/" + kAppId + ".desktop"; }
    void click() { form().StartAtLogin->click(); }
    // A run of the program over the same folders, after the previous one ended.
    void start() {
        if (program)
            main().FormDestroy();
        program.reset();
        startProgram();
        program->start();
    }

    QTemporaryDir config;
};

TEST_F(StartAtLoginTest, TheBoxIsTheEntryOnDisk) {
    start();
    EXPECT_FALSE(form().StartAtLogin->isChecked());
    click();
    ASSERT_TRUE(QFile::exists(entry()));
    QFile file(entry());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), autostart::entryText(kAppId, QCoreApplication::applicationFilePath()));

    // A later start reads the box from the entry.
    start();
    EXPECT_TRUE(form().StartAtLogin->isChecked());
    click();
    EXPECT_FALSE(QFile::exists(entry()));
    for (const auto& box : fake.boxes())
        ADD_FAILURE() << box.title.toStdString() << ": " << box.text.toStdString();
}

TEST_F(StartAtLoginTest, AFailedWriteIsReportedAndTheBoxFollowsTheDisk) {
    // A file where the autostart folder belongs.
    QFile blocker(config.path() + "/autostart");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    start();
    click();
    EXPECT_FALSE(form().StartAtLogin->isChecked());
    ASSERT_EQ(fake.boxes().size(), 1);
}

} // namespace
