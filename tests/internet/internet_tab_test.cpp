#include "core/message_policy.h"
#include "internet/internet_tab.h"
#include "platform/fake/fake_platform.h"
#include "platform/torvane_error.h"
#include "widgets/option_binding.h"
#include "widgets/spin_edit.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <gtest/gtest.h>

using platform::fake::FakePlatform;

namespace {

const QString kPage = QStringLiteral("http://127.0.0.1:9/ip");
const QString kBody = QStringLiteral("<html><head><title>Current IP Check</title></head>"
                                     "<body>Current IP Address: 203.0.113.7</body></html>\r\n");

// A connection state answering from a script (its last answer repeats), counting the calls.
class ScriptedNetwork : public platform::Network {
public:
    std::deque<std::uint32_t> answers;
    int calls = 0;
    std::uint32_t connectionState() override {
        ++calls;
        const std::uint32_t flags = answers.front();
        if (answers.size() > 1)
            answers.pop_front();
        return flags;
    }
    std::unique_ptr<platform::HttpRequest> startHttpGet(const QString&, HttpDone) override { return nullptr; }
};

class InternetTabTest : public ::testing::Test {
protected:
    InternetTabTest() {
        silent.setCheckable(true);
        bind::checked(&silent, options.silentMode);
        tab = new InternetTab(fake, policy, &silent, &mainWindow);
        c().addressPageEdit->setText(kPage);
    }

    InternetControls& c() { return tab->controls(); }
    InternetController& controller() { return tab->controller(); }
    QTimer& lookupTimer() { return *tab->addressLookupTimer(); }
    QStringList memoLines() { return c().connectionStateText->toPlainText().split(QLatin1Char('\n')); }
    QStringList boxTitles() const {
        QStringList titles;
        for (const auto& box : fake.boxes())
            titles << box.title;
        return titles;
    }

    FakePlatform fake;
    QWidget mainWindow;
    QAction silent{nullptr};
    MessageOptions options;
    MessagePolicy policy{fake, &mainWindow, &options};
    InternetTab* tab = nullptr;
};

} // namespace

TEST_F(InternetTabTest, ControlsAsCreated) {
    InternetTab fresh(fake, policy, &silent);
    InternetControls& f = fresh.controls();
    EXPECT_EQ(f.internetTitleLabel->text(), QStringLiteral("Internet Conncetion"));
    EXPECT_EQ(f.getAddressButton->text(), QStringLiteral("Get IP from"));
    EXPECT_EQ(f.addressPageEdit->text(), QStringLiteral("http://checkip.dyndns.org/"));
    EXPECT_EQ(f.publicAddressEdit->text(), QStringLiteral("Did not get IP"));
    EXPECT_TRUE(f.publicAddressEdit->isReadOnly());
    EXPECT_EQ(f.periodicLookupCheck->text(), QStringLiteral("Get IP every                     mili seconds"));
    EXPECT_FALSE(f.periodicLookupCheck->isChecked());
    EXPECT_EQ(f.lookupOnlyConnectedCheck->text(), QStringLiteral("Perform this only if connected to the internet"));
    EXPECT_FALSE(f.lookupOnlyConnectedCheck->isChecked());
    EXPECT_EQ(f.lookupIntervalSpin->text(), QStringLiteral("1000"));
    EXPECT_EQ(f.lookupIntervalSpin->minimum(), 100);
    EXPECT_EQ(f.lookupIntervalSpin->maximum(), 60000);
    EXPECT_EQ(f.lookupIntervalSpin->step(), 100);
    EXPECT_FALSE(f.lookupIntervalSpin->isEnabled());
    EXPECT_FALSE(fresh.addressLookupTimer()->isActive());
    EXPECT_EQ(fresh.addressLookupTimer()->interval(), 1000);
    EXPECT_FALSE(fresh.controller().internetConnected());
    for (const char* name : {"connectionStateText", "getAddressButton", "addressPageEdit", "publicAddressEdit",
                             "periodicLookupCheck", "lookupIntervalSpin", "lookupOnlyConnectedCheck"})
        EXPECT_NE(fresh.findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
}

TEST_F(InternetTabTest, ConnectionCheckLinesFollowTheFlags) {
    const struct {
        std::uint32_t flags;
        QStringList lines;
        bool connected;
    } cases[] = {
        {0x42, {QStringLiteral("Connected to the internet"), QStringLiteral("Lan connected")}, true},
        {0, {QStringLiteral("No connections")}, false},
        {5, {QStringLiteral("Proxy Server enabled"), QStringLiteral("Modem connected")}, false},
        {5, {QStringLiteral("Proxy Server enabled"), QStringLiteral("Modem connected")}, false},
        {0x12, {QStringLiteral("Connected to the internet"), QStringLiteral("Lan connected")}, true},
        {0x41, {QStringLiteral("Connected to the internet"), QStringLiteral("Modem connected")}, true},
        {0, {QStringLiteral("No connections")}, false},
    };
    for (const auto& k : cases) {
        fake.connectionFlags = k.flags;
        controller().ConnectionCheck();
        EXPECT_EQ(memoLines(), k.lines) << k.flags;
        EXPECT_EQ(controller().internetConnected(), k.connected) << k.flags;
    }
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(InternetTabTest, ConnectionCheckAsksAtMostEightTimes) {
    const struct {
        std::deque<std::uint32_t> answers;
        int calls;
        QString firstLine;
    } cases[] = {
        {{0}, 8, QStringLiteral("No connections")},
        {{5}, 1, QStringLiteral("Proxy Server enabled")},
        {{0, 0, 0x42}, 3, QStringLiteral("Connected to the internet")},
        {{0, 0, 0, 0, 0, 0, 0, 2}, 8, QStringLiteral("Lan connected")},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0x42}, 8, QStringLiteral("No connections")},
        {{8}, 1, QStringLiteral("Connected to the internet")},
    };
    for (const auto& k : cases) {
        ScriptedNetwork network;
        network.answers = k.answers;
        InternetTab scripted(network, policy, &silent);
        scripted.controller().ConnectionCheck();
        EXPECT_EQ(network.calls, k.calls) << k.answers.back();
        EXPECT_EQ(scripted.controls().connectionStateText->toPlainText().section(QLatin1Char('\n'), 0, 0), k.firstLine);
    }
}

TEST_F(InternetTabTest, GetIpShowsTheNoticeThenFillsTheAddress) {
    fake.pages[kPage] = kBody;
    controller().onGetAddressClicked();
    EXPECT_EQ(c().publicAddressEdit->text(), QStringLiteral("Did not get IP"));
    EXPECT_EQ(fake.answerHttpRequests(), 1);
    ASSERT_EQ(fake.boxes().size(), 1);
    const auto& box = fake.boxes().front();
    EXPECT_EQ(box.owner, &mainWindow);
    EXPECT_EQ(box.title, QStringLiteral("Retrieve IP"));
    EXPECT_EQ(box.flags, platform::MbOk);
    EXPECT_EQ(box.text, QStringLiteral("Trying to access the page http://127.0.0.1:9/ip.\n\rIf you have any other "
                                       "firewall running, you should allow the program to access the internet, if "
                                       "promted.\n\r\n\rYour IP adress will now be retrieved."));
    EXPECT_EQ(fake.requestedUrls, QStringList{kPage});
    EXPECT_EQ(c().publicAddressEdit->text(), QStringLiteral("203.0.113.7"));
}

TEST_F(InternetTabTest, PageShapesDecideWhatTheAddressShows) {
    const struct {
        QString body;
        QString publicAddressEdit;
    } cases[] = {
        {QStringLiteral("Address:198.51.100.23</p>"), QStringLiteral("98.51.100.23")},
        {QStringLiteral("<html>Your Address: 198.51.100.23</html>"), QStringLiteral("198.51.100.23")},
        {QStringLiteral("<html>no address here</html>"), QStringLiteral("198.51.100.23")},
        {QString(), QStringLiteral("198.51.100.23")},
    };
    for (const auto& k : cases) {
        fake.pages[kPage] = k.body;
        controller().onGetAddressClicked();
        fake.answerHttpRequests();
        EXPECT_EQ(c().publicAddressEdit->text(), k.publicAddressEdit) << k.body.toStdString();
    }
    EXPECT_EQ(boxTitles(), QStringList(4, QStringLiteral("Retrieve IP")));
}

TEST_F(InternetTabTest, SilentModeHidesTheNoticeButNotTheRetrieval) {
    silent.setChecked(true);
    fake.pages[kPage] = kBody;
    c().getAddressButton->click();
    fake.answerHttpRequests();
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_EQ(c().publicAddressEdit->text(), QStringLiteral("203.0.113.7"));
    EXPECT_TRUE(silent.isChecked());
}

TEST_F(InternetTabTest, FailedAnswersReachTheErrorReportAndKeepTheAddress) {
    for (const QString& status : {QStringLiteral("HTTP/1.1 404 Not Found"), QStringLiteral("HTTP/1.1 302 Found")}) {
        fake.clearBoxes();
        c().getAddressButton->click();
        fake.httpError = status; // the failure comes later, after the notice
        EXPECT_EQ(fake.boxes().size(), 1);
        fake.answerHttpRequests();
        ASSERT_EQ(fake.boxes().size(), 2) << status.toStdString();
        const auto& report = fake.boxes()[1];
        EXPECT_EQ(report.title, QStringLiteral("Torvane 4.4.0"));
        EXPECT_EQ(report.text, status + QLatin1Char('.'));
        EXPECT_EQ(report.flags, platform::MbIconError);
        EXPECT_EQ(report.owner, &mainWindow);
        EXPECT_EQ(c().publicAddressEdit->text(), QStringLiteral("Did not get IP"));
        EXPECT_FALSE(controller().retrieving());
    }
}

TEST_F(InternetTabTest, TimedRetrievalIsSilentAndPutsTheFlagBack) {
    fake.pages[kPage] = kBody;
    for (bool wasSilent : {false, true}) {
        silent.setChecked(wasSilent);
        c().publicAddressEdit->setText(QStringLiteral("old"));
        controller().onAddressLookupTick();
        EXPECT_EQ(silent.isChecked(), wasSilent); // already while the GET is out
        fake.answerHttpRequests();
        EXPECT_TRUE(fake.boxes().isEmpty());
        EXPECT_EQ(c().publicAddressEdit->text(), QStringLiteral("203.0.113.7"));
        EXPECT_EQ(silent.isChecked(), wasSilent);
    }
}

TEST_F(InternetTabTest, TimedRetrievalFailureIsReportedOnceWithTheFlagBack) {
    fake.httpError = QStringLiteral("Operation timed out after 10000 milliseconds with 0 bytes received");
    std::vector<bool> silentDuringReport;
    fake.onBox = [&](const platform::fake::RecordedBox&) {
        silentDuringReport.push_back(silent.isChecked());
        // Ticks that come while the report is open are skipped, whichever path they take.
        controller().onAddressLookupTick();
        controller().onGetAddressClicked();
    };
    controller().onAddressLookupTick();
    fake.answerHttpRequests();
    EXPECT_EQ(boxTitles(), QStringList{QStringLiteral("Torvane 4.4.0")});
    EXPECT_EQ(fake.boxes().front().text, fake.httpError + QLatin1Char('.'));
    EXPECT_EQ(silentDuringReport, std::vector<bool>{false});
    EXPECT_FALSE(silent.isChecked());
    EXPECT_EQ(fake.requestedUrls.size(), 1);

    // Once the report is closed the next tick retrieves again.
    fake.onBox = nullptr;
    controller().onAddressLookupTick();
    EXPECT_EQ(fake.requestedUrls.size(), 2);
    fake.answerHttpRequests();
    EXPECT_EQ(fake.boxes().size(), 2);
}

TEST_F(InternetTabTest, NoTickRetrievesWhileTheNoticeIsOpen) {
    fake.pages[kPage] = kBody;
    fake.onBox = [&](const platform::fake::RecordedBox&) { controller().onAddressLookupTick(); };
    c().getAddressButton->click();
    EXPECT_EQ(fake.requestedUrls.size(), 1);
    EXPECT_EQ(boxTitles(), QStringList{QStringLiteral("Retrieve IP")});
}

TEST_F(InternetTabTest, NothingStacksWhileAGetIsOut) {
    fake.pages[kPage] = kBody;
    const std::function<void()> secondRequests[] = {[&] { c().getAddressButton->click(); },
                                                    [&] { controller().onAddressLookupTick(); }};
    for (const auto& second : secondRequests) {
        fake.clearBoxes();
        c().publicAddressEdit->setText(QStringLiteral("old"));
        c().getAddressButton->click();
        second();
        EXPECT_EQ(fake.openHttpRequests(), 1);
        EXPECT_EQ(boxTitles(), QStringList{QStringLiteral("Retrieve IP")});
        EXPECT_EQ(c().publicAddressEdit->text(), QStringLiteral("old"));
        EXPECT_EQ(fake.answerHttpRequests(), 1);
        EXPECT_EQ(c().publicAddressEdit->text(), QStringLiteral("203.0.113.7"));
    }
}

TEST_F(InternetTabTest, AnAnswerAfterTheTabIsGoneReachesNothing) {
    auto* doomed = new InternetTab(fake, policy, &silent);
    doomed->controller().onGetAddressClicked();
    delete doomed;
    EXPECT_EQ(fake.answerHttpRequests(), 0);
}

TEST_F(InternetTabTest, OnlyWhenConnectedSkipsTicksWithoutAConnection) {
    fake.pages[kPage] = kBody;
    c().lookupOnlyConnectedCheck->setChecked(true);
    fake.connectionFlags = 5;
    controller().ConnectionCheck();
    EXPECT_EQ(memoLines(), (QStringList{QStringLiteral("Proxy Server enabled"), QStringLiteral("Modem connected")}));
    controller().onAddressLookupTick();
    controller().onAddressLookupTick();
    EXPECT_TRUE(fake.requestedUrls.isEmpty());

    fake.connectionFlags = 0x42;
    controller().ConnectionCheck();
    controller().onAddressLookupTick();
    EXPECT_EQ(fake.requestedUrls.size(), 1);
    fake.answerHttpRequests();

    c().lookupOnlyConnectedCheck->setChecked(false);
    fake.connectionFlags = 0;
    controller().ConnectionCheck();
    controller().onAddressLookupTick();
    EXPECT_EQ(fake.requestedUrls.size(), 2);
}

TEST_F(InternetTabTest, PeriodicRetrievalSwitchAndInterval) {
    const struct {
        const char* step;
        std::function<void(InternetControls&)> act;
        bool active;
        int interval;
        bool spinEnabled;
    } steps[] = {
        {"check", [](InternetControls& k) { k.periodicLookupCheck->setChecked(true); }, true, 1000, true},
        {"2500", [](InternetControls& k) { k.lookupIntervalSpin->setText(QStringLiteral("2500")); }, true, 2500, true},
        {"typing 7", [](InternetControls& k) { k.lookupIntervalSpin->setText(QStringLiteral("7")); }, true, 7, true},
        {"emptied", [](InternetControls& k) { k.lookupIntervalSpin->setText(QString()); }, true, 7, true},
        {"0 stops", [](InternetControls& k) { k.lookupIntervalSpin->setText(QStringLiteral("0")); }, false, 0, true},
        {"no digits", [](InternetControls& k) { k.lookupIntervalSpin->setText(QStringLiteral("x")); }, false, 0, true},
        {"digits again", [](InternetControls& k) { k.lookupIntervalSpin->setText(QStringLiteral("x3")); }, true, 3,
         true},
        {"uncheck", [](InternetControls& k) { k.periodicLookupCheck->setChecked(false); }, false, 3, false},
        {"set while off", [](InternetControls& k) { k.lookupIntervalSpin->setValue(60000); }, false, 60000, false},
        {"check again", [](InternetControls& k) { k.periodicLookupCheck->setChecked(true); }, true, 60000, true},
        {"emptied, unchecked",
         [](InternetControls& k) {
             k.lookupIntervalSpin->setText(QString());
             k.periodicLookupCheck->setChecked(false);
         },
         false, 60000, false},
        {"checked with empty text", [](InternetControls& k) { k.periodicLookupCheck->setChecked(true); }, true, 60000,
         true},
    };
    for (const auto& s : steps) {
        s.act(c());
        EXPECT_EQ(lookupTimer().isActive(), s.active) << s.step;
        EXPECT_EQ(lookupTimer().interval(), s.interval) << s.step;
        EXPECT_EQ(c().lookupIntervalSpin->isEnabled(), s.spinEnabled) << s.step;
        EXPECT_EQ(controller().lookupTimerEnabled(), c().periodicLookupCheck->isChecked()) << s.step;
    }
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(InternetTabTest, AnIntervalTooLargeForAnIntegerIsReported) {
    c().periodicLookupCheck->setChecked(true);
    c().lookupIntervalSpin->setText(QStringLiteral("99999999999"));
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes().front().title, QStringLiteral("Torvane 4.4.0"));
    EXPECT_EQ(fake.boxes().front().text, QStringLiteral("'99999999999' is not a valid integer value."));
    EXPECT_TRUE(lookupTimer().isActive());
    EXPECT_EQ(lookupTimer().interval(), 1000);
}

TEST_F(InternetTabTest, OptionsFollowTheControls) {
    InternetOptions expected;
    expected.addressPage = kPage;
    EXPECT_EQ(tab->options(), expected);
    c().periodicLookupCheck->setChecked(true);
    c().lookupIntervalSpin->setText(QStringLiteral("2500"));
    c().lookupOnlyConnectedCheck->setChecked(true);
    c().addressPageEdit->setText(QStringLiteral("http://127.0.0.1:9/other"));
    EXPECT_EQ(tab->options(), (InternetOptions{QStringLiteral("http://127.0.0.1:9/other"), true, "2500", true}));
}

TEST_F(InternetTabTest, ATickOfTheTabsTimerRetrievesWithoutTheNotice) {
    fake.pages[kPage] = kBody;
    QMetaObject::invokeMethod(&lookupTimer(), "timeout");
    EXPECT_EQ(fake.answerHttpRequests(), 1);
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_EQ(c().publicAddressEdit->text(), QStringLiteral("203.0.113.7"));
}
