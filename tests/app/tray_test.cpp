#include "app/main_form.h"
#include "app/main_window.h"
#include "app/torvane_program.h"
#include "app/tray_controller.h"
#include "support/app_fixture.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>
#include <vector>

using namespace platform;

namespace {

const QString kMovedToTray = "The program has now moved to its tray icon.\n\r"
                             "- If you wish to restore the main window, double click\n\r"
                             "  on the tray on the tray icon with the left mouse button.\n\r"
                             "- Any time, press CONTROL+ALT+F8 to show the main\n\r"
                             "  window. This will allow you to prevent any crash.";

class TrayTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        startProgram();
        program->start();
        tray = &main().tray();
        tray->openPopup = [this](QMenu* menu, const QPoint& at) { popups.push_back({menu, at}); };
        fake.clearBoxes();
    }
    // Back to a shown window, as after start-up.
    void backToStart() {
        main().show();
        program->values().MainWindowShown = true;
        form().trayToTrayAction->setText("To Tray");
        popups.clear();
        fake.clearBoxes();
    }

    // Window visible, MainWindowShown, trayToTrayAction's caption.
    struct State {
        bool visible;
        bool shown;
        QString caption;
        bool operator==(const State&) const = default;
    };
    State state() { return {main().isVisible(), program->values().MainWindowShown, form().trayToTrayAction->text()}; }
    static inline const State kShown{true, true, "To Tray"};
    static inline const State kHidden{false, false, "Restore"};

    TrayController* tray = nullptr;
    std::vector<std::pair<QMenu*, QPoint>> popups;
};

TEST_F(TrayTest, MouseOnTheIcon) {
    using R = QSystemTrayIcon::ActivationReason;
    const struct {
        const char* name;
        std::vector<R> reasons;
        State expected;
        std::size_t popups;
        bool clickToggles = false; // a D-Bus (StatusNotifierItem) tray host
    } cases[] = {
        {"single left click", {R::Trigger}, kShown, 0},
        {"middle click", {R::MiddleClick}, kShown, 0},
        {"unknown", {R::Unknown}, kShown, 0},
        {"double click hides", {R::DoubleClick}, kHidden, 0},
        {"second double click shows", {R::DoubleClick, R::DoubleClick}, kShown, 0},
        // A double click arrives after the click that began it; only the double click counts.
        {"click then double click", {R::Trigger, R::DoubleClick}, kHidden, 0},
        {"context request", {R::Context}, kShown, 1},
        {"context request while hidden", {R::DoubleClick, R::Context}, kHidden, 1},
        {"D-Bus tray: click hides", {R::Trigger}, kHidden, 0, true},
        {"D-Bus tray: second click shows", {R::Trigger, R::Trigger}, kShown, 0, true},
        {"D-Bus tray: no double click toggle", {R::DoubleClick}, kShown, 0, true},
        {"D-Bus tray: context request", {R::Context}, kShown, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        backToStart();
        tray->clickToggles = c.clickToggles;
        for (R reason : c.reasons)
            tray->TrayMessage(reason);
        EXPECT_EQ(state(), c.expected);
        EXPECT_EQ(popups.size(), c.popups);
        EXPECT_TRUE(fake.boxes().isEmpty());
    }
}

TEST_F(TrayTest, AnotherStartBringsTheWindowBackFromAnywhere) {
    const std::function<void()> hiding[] = {[] {}, [this] { tray->onTrayToTrayTriggered(); },
                                            [this] { tray->onTrayToTrayTriggered(), tray->HotKeyMessage(); },
                                            [this] { main().showMinimized(); }};
    for (const auto& hide : hiding) {
        backToStart();
        hide();
        tray->showFromAnotherStart();
        EXPECT_EQ(state(), kShown);
        EXPECT_FALSE(main().windowState() & Qt::WindowMinimized);
    }
}

TEST_F(TrayTest, ContextRequestOpensTheTrayMenuAtTheCursor) {
    tray->cursorPos = [] { return QPoint(321, 654); };
    tray->TrayMessage(QSystemTrayIcon::Context);
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(popups[0].first, form().trayMenu);
    EXPECT_EQ(popups[0].second, QPoint(321, 654));
}

TEST_F(TrayTest, HotKeyShowsWithoutTouchingTheFlagOrCaption) {
    tray->TrayMessage(QSystemTrayIcon::DoubleClick);
    ASSERT_EQ(state(), kHidden);
    tray->HotKeyMessage();
    EXPECT_EQ(state(), (State{true, false, "Restore"}));
    // The next double click only puts the flag and caption back; the one after hides.
    tray->TrayMessage(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(state(), kShown);
    tray->TrayMessage(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(state(), kHidden);
}

TEST_F(TrayTest, MoveToTrayAfterTheHotKeyStillHides) {
    tray->onToTrayTriggered();
    tray->HotKeyMessage();
    fake.clearBoxes();
    tray->onToTrayTriggered();
    EXPECT_EQ(state(), kHidden);
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].title, "Moved to Tray");
}

TEST_F(TrayTest, HotKeyBringsBackAMinimisedWindow) {
    main().showMinimized();
    tray->HotKeyMessage();
    EXPECT_TRUE(main().isVisible());
    EXPECT_FALSE(main().windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(program->values().MainWindowShown);
}

TEST_F(TrayTest, MoveToTrayNoticeUnlessSilent) {
    for (bool silent : {false, true}) {
        SCOPED_TRACE(silent ? "silent" : "not silent");
        backToStart();
        form().silentModeAction->setChecked(silent);
        // The notice is open while the window is already hidden.
        std::vector<State> whileShown;
        fake.onBox = [&](const fake::RecordedBox&) { whileShown.push_back(state()); };
        tray->onToTrayTriggered();
        fake.onBox = nullptr;
        EXPECT_EQ(state(), kHidden);
        if (silent) {
            EXPECT_TRUE(fake.boxes().isEmpty());
            continue;
        }
        ASSERT_EQ(fake.boxes().size(), 1);
        EXPECT_EQ(fake.boxes()[0].title, "Moved to Tray");
        EXPECT_EQ(fake.boxes()[0].text, kMovedToTray);
        EXPECT_EQ(fake.boxes()[0].flags, MbIconInformation);
        EXPECT_EQ(fake.boxes()[0].owner, &main());
        EXPECT_EQ(whileShown, std::vector<State>{kHidden});
    }
}

TEST_F(TrayTest, TrayItemTogglesWithoutNotice) {
    tray->onTrayToTrayTriggered();
    EXPECT_EQ(state(), kHidden);
    tray->onTrayToTrayTriggered();
    EXPECT_EQ(state(), kShown);
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(TrayTest, TrayTipKeepsTheApplicationTitle) {
    ASSERT_NE(main().trayIcon(), nullptr);
    main().setWindowTitle("Torvane - 45% free memory");
    tray->onToTrayTriggered();
    tray->HotKeyMessage();
    tray->TrayMessage(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(main().trayIcon()->toolTip(), "Torvane 4.4.0");
}

} // namespace
