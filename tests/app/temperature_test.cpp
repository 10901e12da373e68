// The main window's Temperature tab and the program's own investigator window.
#include "app/advanced_options_tab.h"
#include "app/main_form.h"
#include "app/main_window.h"
#include "app/torvane_program.h"
#include "cipher/encryption_tab.h"
#include "lists/task_management_tab.h"
#include "support/app_fixture.h"
#include "tasks/task_actions.h"
#include "temperature/core_temp_block.h"
#include "temperature/temperature_investigator.h"
#include "temperature/temperature_tab.h"
#include "temperature/temperature_tab_image.h"
#include "widgets/spin_edit.h"
#include "widgets/task_list_view.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

using namespace platform;

namespace {

class TemperatureAppTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        fake.addWindow(QStringLiteral("Editor"), true, 100);
        startProgram();
        tab = &main().temperatureTab();
    }
    void sampleAt(float biggest) {
        coretemp::CoreReadings readings{};
        readings[3] = biggest;
        fake.sharedObjects[coretemp::userObjectName(fake.userId())] = coretemp::blockFromReadings(readings);
        tab->onTemperatureTick();
    }
    TemperatureTab* tab = nullptr;
};

TEST_F(TemperatureAppTest, RiseThenKillFromTheInvestigator) {
    sampleAt(40);
    const WindowHandle miner = fake.addWindow(QStringLiteral("Miner"), true, 700);
    sampleAt(62.25f);
    TemperatureInvestigator& window = program->investigator();
    ASSERT_TRUE(window.isVisible());
    EXPECT_EQ(window.headingLabel->text(), "Temperature risen by 22.25 degrees. Possible task reasons:");
    ASSERT_EQ(window.suspectsView->count(), 1);
    window.suspectsView->setItemIndex(0);
    window.killButton->click();
    EXPECT_EQ(program->values().InvestigatorRequest, 1);
    tab->reactions().ProcessInvestigatorRequest();
    EXPECT_EQ(fake.closeRequests(), std::vector<WindowHandle>{miner});
    EXPECT_FALSE(fake.hasWindow(miner));
    EXPECT_EQ(taskTab().allTasksView->count(), 1); // the All Task List no longer shows it
    EXPECT_EQ(program->values().InvestigatorRequest, 0);
    EXPECT_EQ(program->values().CurrentTemp, 62);
}

TEST_F(TemperatureAppTest, GraphsDrawnOnlyOnTheTemperatureTab) {
    sampleAt(50);
    EXPECT_TRUE(tab->controls().averageTemperatureGraph->image().isNull());
    form().mainTabs->setCurrentWidget(form().temperaturePage);
    sampleAt(51);
    EXPECT_FALSE(tab->controls().averageTemperatureGraph->image().isNull());
    EXPECT_FALSE(tab->controls().coreTemperatureGraph->image().isNull());
}

TEST_F(TemperatureAppTest, SearchStartsInTheEncryptionTabsFolder) {
    main().encryptionTab().controls().cipherFileEdit->setText(QStringLiteral("/srv/tools"));
    fake.queueAnswer(IdRetry);
    fake.openFileAnswers.push_back(std::nullopt);
    tab->onStartCoreTempClicked();
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].text.section(QStringLiteral("\n\r"), 0, 0),
              "Could not find: " + program->values().BaseDir + "core-temp");
    EXPECT_EQ(fake.fileDialogDirs, QStringList{"/srv/tools"});
    EXPECT_TRUE(fake.startedFiles.isEmpty());
}

} // namespace
