#include "temperature_tab_fixture.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

class CoreTempStarterTest : public TemperatureTabFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        values.BaseDir = dir.path() + "/";
    }
    QString executable() const { return values.BaseDir + "core-temp"; }
    QString expectedText() const {
        return "Could not find: " + executable() +
               "\n\rPlease make sure that you have included Core Temp\n\rduring the installation of Torvane.\n\r"
               "Press RETRY to search for the program Core Temp manually.";
    }
    QTemporaryDir dir;
};

TEST_F(CoreTempStarterTest, PresentProgramIsStartedWithoutAMessage) {
    QFile file(executable());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    for (int i = 0; i < 2; ++i)
        controls().startCoreTempButton->click();
    EXPECT_EQ(fake.startedFiles, (QStringList{executable(), executable()}));
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(CoreTempStarterTest, MissingProgramAsksWhetherToSearch) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("core-temp")); // a folder is not the program
    const struct {
        int answer;
        std::optional<QString> picked;
        bool dialog;
        QStringList started;
    } cases[] = {
        {platform::IdCancel, std::nullopt, false, {}},
        {platform::IdRetry, std::nullopt, true, {}},
        {platform::IdRetry, QStringLiteral("/opt/sensors/core-temp"), true, {"/opt/sensors/core-temp"}},
    };
    for (const auto& c : cases) {
        fake.clearBoxes();
        fake.fileDialogTitles.clear();
        fake.startedFiles.clear();
        fake.queueAnswer(c.answer);
        fake.openFileAnswers.push_back(c.picked);
        tab->onStartCoreTempClicked();
        ASSERT_EQ(fake.boxes().size(), 1);
        const platform::fake::RecordedBox& box = fake.boxes()[0];
        EXPECT_EQ(box.title, "File not found");
        EXPECT_EQ(box.text, expectedText());
        EXPECT_EQ(box.flags, platform::MbRetryCancel | platform::MbIconError);
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_EQ(fake.startedFiles, c.started);
        if (c.dialog) {
            ASSERT_EQ(fake.fileDialogTitles.size(), 1);
            EXPECT_EQ(fake.fileDialogTitles[0], "Find Core Temp application");
            EXPECT_EQ(fake.fileDialogFilters.last(), "Core Temp executable|core-temp");
            EXPECT_EQ(fake.fileDialogDirs.last(), "/home/user/files");
        } else {
            EXPECT_TRUE(fake.fileDialogTitles.isEmpty());
            fake.openFileAnswers.clear();
        }
    }
}

TEST_F(CoreTempStarterTest, SilentModeSaysNothing) {
    form.silentModeAction->setChecked(true);
    tab->onStartCoreTempClicked();
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_TRUE(fake.fileDialogTitles.isEmpty());
    EXPECT_TRUE(fake.startedFiles.isEmpty());
}

TEST_F(CoreTempStarterTest, SearchFolderIsReadWhenTheDialogOpens) {
    searchFolder = QStringLiteral("/media/usb");
    fake.queueAnswer(platform::IdRetry);
    tab->onStartCoreTempClicked();
    EXPECT_EQ(fake.fileDialogDirs, QStringList{"/media/usb"});
}

} // namespace
