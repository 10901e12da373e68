#include "app/advanced_options_tab.h"
#include "app/main_form.h"
#include "app/main_window.h"
#include "app/silent_mode_controller.h"
#include "support/app_fixture.h"

#include <QAction>
#include <QPushButton>

using namespace platform;

namespace {

const QString kEnableQuestion =
    "Silent mode will not allow any warning or error messages to be shown by the program. Also, silent mode makes "
    "the program toautomatically kill any new hidden tasks not in the safe list,when the kill hidden new tasks "
    "option is enabled.\n\r\n\rDo you wish to enable silent mode ?";
const QString kEnabled = "Silent mode is enabled. The program will not display any informative message from now on.";
const QString kDisabled = "Silent mode is now disabled. The program will automatically show messages that may not "
                          "be the result of a user action.";

struct Box {
    QString title;
    QString text;
    unsigned flags;
    bool silentWhileShown; // silentModeAction's check mark while the box is open
    bool operator==(const Box&) const = default;
};

class SilentModeTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        startProgram();
        silent = &main().silentMode();
        boxes.clear();
        fake.onBox = [this](const fake::RecordedBox& b) {
            boxes.push_back({b.title, b.text, b.flags, form().silentModeAction->isChecked()});
            EXPECT_EQ(b.owner, &main());
        };
    }
    SilentModeController* silent = nullptr;
    std::vector<Box> boxes;
};

TEST_F(SilentModeTest, SwitchAndItsMirrors) {
    const Box question{"Enable Silent Mode", kEnableQuestion, MbYesNo | MbIconWarning, false};
    const struct {
        const char* name;
        bool silentBefore;
        bool trayMarkBefore; // traySilentModeAction out of step beforehand is put right
        int answer;          // to the question, when there is one
        std::vector<Box> expectedBoxes;
        bool silentAfter;
        QString silentButton;
    } cases[] = {
        {"off, Yes",
         false,
         false,
         IdYes,
         {question, {"Silent Mode Enabled", kEnabled, MbIconInformation, false}},
         true,
         "Disable Silent Mode"},
        {"off, No", false, true, IdNo, {question}, false, "Enable Silent Mode"},
        // On: no question, the mark goes first and the notice follows.
        {"on",
         true,
         true,
         0,
         {{"Silent Mode Disabled", kDisabled, MbIconInformation, false}},
         false,
         "Enable Silent Mode"},
        {"on, tray mark unset",
         true,
         false,
         IdYes,
         {{"Silent Mode Disabled", kDisabled, MbIconInformation, false}},
         false,
         "Enable Silent Mode"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        form().silentModeAction->setChecked(c.silentBefore);
        form().traySilentModeAction->setChecked(c.trayMarkBefore);
        if (!c.silentBefore)
            fake.queueAnswer(c.answer);
        silent->onSilentModeTriggered();
        EXPECT_EQ(boxes, c.expectedBoxes);
        EXPECT_EQ(form().silentModeAction->isChecked(), c.silentAfter);
        EXPECT_EQ(form().traySilentModeAction->isChecked(), c.silentAfter);
        EXPECT_EQ(advancedTab().enableSilentModeButton->text(), c.silentButton);
        EXPECT_EQ(main().policy().silentMode(), c.silentAfter);
    }
}

} // namespace
