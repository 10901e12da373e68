#include "core/message_policy.h"
#include "internet/internet_tab.h"
#include "platform/fake/fake_platform.h"
#include "platform/torvane_error.h"
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
    InternetTabTest() : policy(fake) {
        silent.setCheckable(true);
        policy.attach(&mainWindow, &silent, nullptr);
        tab = new InternetTab(fake, policy, &timer5, &silent, &mainWindow);
        c().Edit4->setText(kPage);
    }

    InternetControls& c() { return tab->controls(); }
    InternetController& controller() { return tab->controller(); }
    QStringList memoLines() { return c().Memo1->toPlainText().split(QLatin1Char('\n')); }
    QStringList boxTitles() const {
        QStringList titles;
        for (const auto& box : fake.boxes())
            titles << box.title;
        return titles;
    }

    FakePlatform fake;
    MessagePolicy policy;
    QWidget mainWindow;
    QTimer timer5;
    QAction silent{nullptr};
    InternetTab* tab = nullptr;
};

} // namespace

TEST_F(InternetTabTest, ControlsAsCreated) {
    InternetTab fresh(fake, policy, &timer5, &silent);
    InternetControls& f = fresh.controls();
    EXPECT_EQ(f.InternetTitle->text(), QStringLiteral("Internet Conncetion"));
    EXPECT_EQ(f.Button16->text(), QStringLiteral("Get IP from"));
    EXPECT_EQ(f.Edit4->text(), QStringLiteral("http://checkip.dyndns.org/"));
    EXPECT_EQ(f.Edit5->text(), QStringLiteral("Did not get IP"));
    EXPECT_TRUE(f.Edit5->isReadOnly());
    EXPECT_EQ(f.CheckBox13->text(), QStringLiteral("Get IP every                     mili seconds"));
    EXPECT_FALSE(f.CheckBox13->isChecked());
    EXPECT_EQ(f.CheckBox14->text(), QStringLiteral("Perform this only if connected to the internet"));
    EXPECT_FALSE(f.CheckBox14->isChecked());
    EXPECT_EQ(f.SpinEdit12->text(), QStringLiteral("1000"));
    EXPECT_EQ(f.SpinEdit12->minimum(), 100);
    EXPECT_EQ(f.SpinEdit12->maximum(), 60000);
    EXPECT_EQ(f.SpinEdit12->step(), 100);
    EXPECT_FALSE(f.SpinEdit12->isEnabled());
    EXPECT_FALSE(timer5.isActive());
    EXPECT_EQ(timer5.interval(), 1000);
    EXPECT_FALSE(fresh.controller().internetConnected());
    for (const char* name : {"Memo1", "Button16", "Edit4", "Edit5", "CheckBox13", "SpinEdit12", "CheckBox14"})
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
        InternetTab scripted(network, policy, &timer5, &silent);
        scripted.controller().ConnectionCheck();
        EXPECT_EQ(network.calls, k.calls) << k.answers.back();
        EXPECT_EQ(scripted.controls().Memo1->toPlainText().section(QLatin1Char('\n'), 0, 0), k.firstLine);
    }
}

TEST_F(InternetTabTest, GetIpShowsTheNoticeThenFillsTheAddress) {
    fake.pages[kPage] = kBody;
    controller().Button16Click();
    EXPECT_EQ(c().Edit5->text(), QStringLiteral("Did not get IP"));
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
    EXPECT_EQ(c().Edit5->text(), QStringLiteral("203.0.113.7"));
}

TEST_F(InternetTabTest, PageShapesDecideWhatEdit5Shows) {
    const struct {
        QString body;
        QString edit5;
    } cases[] = {
        {QStringLiteral("Address:198.51.100.23</p>"), QStringLiteral("98.51.100.23")},
        {QStringLiteral("<html>Your Address: 198.51.100.23</html>"), QStringLiteral("198.51.100.23")},
        {QStringLiteral("<html>no address here</html>"), QStringLiteral("198.51.100.23")},
        {QString(), QStringLiteral("198.51.100.23")},
    };
    for (const auto& k : cases) {
        fake.pages[kPage] = k.body;
        controller().Button16Click();
        fake.answerHttpRequests();
        EXPECT_EQ(c().Edit5->text(), k.edit5) << k.body.toStdString();
    }
    EXPECT_EQ(boxTitles(), QStringList(4, QStringLiteral("Retrieve IP")));
}

TEST_F(InternetTabTest, SilentModeHidesTheNoticeButNotTheRetrieval) {
    silent.setChecked(true);
    fake.pages[kPage] = kBody;
    c().Button16->click();
    fake.answerHttpRequests();
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_EQ(c().Edit5->text(), QStringLiteral("203.0.113.7"));
    EXPECT_TRUE(silent.isChecked());
}

TEST_F(InternetTabTest, FailedAnswersReachTheErrorReportAndKeepEdit5) {
    for (const QString& status : {QStringLiteral("HTTP/1.1 404 Not Found"), QStringLiteral("HTTP/1.1 302 Found")}) {
        fake.clearBoxes();
        c().Button16->click();
        fake.httpError = status; // the failure comes later, after the notice
        EXPECT_EQ(fake.boxes().size(), 1);
        fake.answerHttpRequests();
        ASSERT_EQ(fake.boxes().size(), 2) << status.toStdString();
        const auto& report = fake.boxes()[1];
        EXPECT_EQ(report.title, QStringLiteral("Torvane 4.4.0"));
        EXPECT_EQ(report.text, status + QLatin1Char('.'));
        EXPECT_EQ(report.flags, platform::MbIconError);
        EXPECT_EQ(report.owner, &mainWindow);
        EXPECT_EQ(c().Edit5->text(), QStringLiteral("Did not get IP"));
        EXPECT_FALSE(controller().retrieving());
    }
}

TEST_F(InternetTabTest, TimedRetrievalIsSilentAndPutsTheFlagBack) {
    fake.pages[kPage] = kBody;
    for (bool wasSilent : {false, true}) {
        silent.setChecked(wasSilent);
        c().Edit5->setText(QStringLiteral("old"));
        controller().Timer5Timer();
        EXPECT_EQ(silent.isChecked(), wasSilent); // already while the GET is out
        fake.answerHttpRequests();
        EXPECT_TRUE(fake.boxes().isEmpty());
        EXPECT_EQ(c().Edit5->text(), QStringLiteral("203.0.113.7"));
        EXPECT_EQ(silent.isChecked(), wasSilent);
    }
}

TEST_F(InternetTabTest, TimedRetrievalFailureIsReportedOnceWithTheFlagBack) {
    fake.httpError = QStringLiteral("Operation timed out after 10000 milliseconds with 0 bytes received");
    std::vector<bool> silentDuringReport;
    fake.onBox = [&](const platform::fake::RecordedBox&) {
        silentDuringReport.push_back(silent.isChecked());
        // Ticks that come while the report is open are skipped, whichever path they take.
        controller().Timer5Timer();
        controller().Button16Click();
    };
    controller().Timer5Timer();
    fake.answerHttpRequests();
    EXPECT_EQ(boxTitles(), QStringList{QStringLiteral("Torvane 4.4.0")});
    EXPECT_EQ(fake.boxes().front().text, fake.httpError + QLatin1Char('.'));
    EXPECT_EQ(silentDuringReport, std::vector<bool>{false});
    EXPECT_FALSE(silent.isChecked());
    EXPECT_EQ(fake.requestedUrls.size(), 1);

    // Once the report is closed the next tick retrieves again.
    fake.onBox = nullptr;
    controller().Timer5Timer();
    EXPECT_EQ(fake.requestedUrls.size(), 2);
    fake.answerHttpRequests();
    EXPECT_EQ(fake.boxes().size(), 2);
}

TEST_F(InternetTabTest, NoTickRetrievesWhileTheNoticeIsOpen) {
    fake.pages[kPage] = kBody;
    fake.onBox = [&](const platform::fake::RecordedBox&) { controller().Timer5Timer(); };
    c().Button16->click();
    EXPECT_EQ(fake.requestedUrls.size(), 1);
    EXPECT_EQ(boxTitles(), QStringList{QStringLiteral("Retrieve IP")});
}

TEST_F(InternetTabTest, NothingStacksWhileAGetIsOut) {
    fake.pages[kPage] = kBody;
    const std::function<void()> secondRequests[] = {[&] { c().Button16->click(); },
                                                    [&] { controller().Timer5Timer(); }};
    for (const auto& second : secondRequests) {
        fake.clearBoxes();
        c().Edit5->setText(QStringLiteral("old"));
        c().Button16->click();
        second();
        EXPECT_EQ(fake.openHttpRequests(), 1);
        EXPECT_EQ(boxTitles(), QStringList{QStringLiteral("Retrieve IP")});
        EXPECT_EQ(c().Edit5->text(), QStringLiteral("old"));
        EXPECT_EQ(fake.answerHttpRequests(), 1);
        EXPECT_EQ(c().Edit5->text(), QStringLiteral("203.0.113.7"));
    }
}

TEST_F(InternetTabTest, AnAnswerAfterTheTabIsGoneReachesNothing) {
    auto* doomed = new InternetTab(fake, policy, &timer5, &silent);
    doomed->controller().Button16Click();
    delete doomed;
    EXPECT_EQ(fake.answerHttpRequests(), 0);
}

TEST_F(InternetTabTest, OnlyWhenConnectedSkipsTicksWithoutAConnection) {
    fake.pages[kPage] = kBody;
    c().CheckBox14->setChecked(true);
    fake.connectionFlags = 5;
    controller().ConnectionCheck();
    EXPECT_EQ(memoLines(), (QStringList{QStringLiteral("Proxy Server enabled"), QStringLiteral("Modem connected")}));
    controller().Timer5Timer();
    controller().Timer5Timer();
    EXPECT_TRUE(fake.requestedUrls.isEmpty());

    fake.connectionFlags = 0x42;
    controller().ConnectionCheck();
    controller().Timer5Timer();
    EXPECT_EQ(fake.requestedUrls.size(), 1);
    fake.answerHttpRequests();

    c().CheckBox14->setChecked(false);
    fake.connectionFlags = 0;
    controller().ConnectionCheck();
    controller().Timer5Timer();
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
        {"check", [](InternetControls& k) { k.CheckBox13->setChecked(true); }, true, 1000, true},
        {"2500", [](InternetControls& k) { k.SpinEdit12->setText(QStringLiteral("2500")); }, true, 2500, true},
        {"typing 7", [](InternetControls& k) { k.SpinEdit12->setText(QStringLiteral("7")); }, true, 7, true},
        {"emptied", [](InternetControls& k) { k.SpinEdit12->setText(QString()); }, true, 7, true},
        {"0 stops", [](InternetControls& k) { k.SpinEdit12->setText(QStringLiteral("0")); }, false, 0, true},
        {"no digits", [](InternetControls& k) { k.SpinEdit12->setText(QStringLiteral("x")); }, false, 0, true},
        {"digits again", [](InternetControls& k) { k.SpinEdit12->setText(QStringLiteral("x3")); }, true, 3, true},
        {"uncheck", [](InternetControls& k) { k.CheckBox13->setChecked(false); }, false, 3, false},
        {"set while off", [](InternetControls& k) { k.SpinEdit12->setValue(60000); }, false, 60000, false},
        {"check again", [](InternetControls& k) { k.CheckBox13->setChecked(true); }, true, 60000, true},
        {"emptied, unchecked",
         [](InternetControls& k) {
             k.SpinEdit12->setText(QString());
             k.CheckBox13->setChecked(false);
         },
         false, 60000, false},
        {"checked with empty text", [](InternetControls& k) { k.CheckBox13->setChecked(true); }, true, 60000, true},
    };
    for (const auto& s : steps) {
        s.act(c());
        EXPECT_EQ(timer5.isActive(), s.active) << s.step;
        EXPECT_EQ(timer5.interval(), s.interval) << s.step;
        EXPECT_EQ(c().SpinEdit12->isEnabled(), s.spinEnabled) << s.step;
        EXPECT_EQ(controller().timer5Enabled(), c().CheckBox13->isChecked()) << s.step;
    }
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(InternetTabTest, AnIntervalTooLargeForAnIntegerIsReported) {
    c().CheckBox13->setChecked(true);
    c().SpinEdit12->setText(QStringLiteral("99999999999"));
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes().front().title, QStringLiteral("Torvane 4.4.0"));
    EXPECT_EQ(fake.boxes().front().text, QStringLiteral("'99999999999' is not a valid integer value."));
    EXPECT_TRUE(timer5.isActive());
    EXPECT_EQ(timer5.interval(), 1000);
}
