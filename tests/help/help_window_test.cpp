#include "core/message_policy.h"
#include "help/help_window.h"
#include "platform/fake/fake_platform.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace {

class HelpingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_base = m_dir.path() + QStringLiteral("/");
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Help")));
    }

    void writeHelp(const QString& name, const QByteArray& data) {
        QFile file(m_base + QStringLiteral("Help/") + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }

    void writeStandardHelp() {
        writeHelp("MainHelp.txt", "Overview\r\noverview.txt\r\nTask Management\r\ntasks.txt\r\n"
                                  "RAM Management\r\nram.txt\r\nMissing topic\r\nnowhere.txt\r\nLast title");
        writeHelp("overview.txt", "Torvane guards the desktop.\r\nSecond line.\r\n");
        writeHelp("tasks.txt", "The Task Management tab.\r\n");
        writeHelp("ram.txt", "Memory gauges.\r\n");
    }

    void select(int row) { window.topicList->setCurrentRow(row, QItemSelectionModel::ClearAndSelect); }

    QStringList titles() const {
        QStringList result;
        for (int i = 0; i < window.topicList->count(); ++i)
            result << window.topicList->item(i)->text();
        return result;
    }

    QTemporaryDir m_dir;
    QString m_base;
    platform::fake::FakePlatform fake;
    MessagePolicy policy{fake};
    HelpWindow window{policy};
};

TEST_F(HelpingTest, CreatedHiddenWithItsCaptionSizeAndPlace) {
    EXPECT_TRUE(window.isHidden());
    EXPECT_TRUE(window.isWindow());
    EXPECT_EQ(window.windowTitle(), "Help");
    EXPECT_EQ(window.size(), QSize(833, 518));
    EXPECT_EQ(window.pos(), QGuiApplication::primaryScreen()->availableGeometry().topLeft());
    EXPECT_FALSE(window.testAttribute(Qt::WA_QuitOnClose));
    EXPECT_EQ(window.helpFolder(), "Help/");

    EXPECT_EQ(window.searchLabel->text(), "Help Contents");
    EXPECT_EQ(window.searchEdit->text(), "");
    EXPECT_EQ(window.findNextButton->text(), "Find Next");
    EXPECT_EQ(window.searchSelectionButton->text(), "Search for selection in Help Contents");
    EXPECT_EQ(window.viewContentButton->text(), "View Selected Content");
    EXPECT_EQ(window.hideContentButton->text(), "Hide Viewing Content");
    EXPECT_TRUE(window.hideContentButton->isHidden());
    EXPECT_TRUE(window.topicText->isHidden());
    EXPECT_TRUE(window.topicText->isReadOnly());
    EXPECT_EQ(window.topicList->selectionMode(), QAbstractItemView::SingleSelection);

    EXPECT_EQ(window.collapsedWidth(), window.topicList->width() + 20);
    EXPECT_EQ(window.expandedWidth(), window.topicList->width() + 420);
    // The text side sits right of the list and fits in the expanded window.
    EXPECT_GT(window.topicText->x(), window.topicList->geometry().right());
    EXPECT_LE(window.topicText->geometry().right(), window.expandedWidth());
}

TEST_F(HelpingTest, ShowingLoadsTheIndexAndCollapses) {
    writeStandardHelp();
    window.openHelp(m_base);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.helpFolder(), m_base + "Help/");
    EXPECT_EQ(titles(), QStringList({"Overview", "Task Management", "RAM Management", "Missing topic", "Last title"}));
    EXPECT_EQ(window.topicFiles, QStringList({"overview.txt", "tasks.txt", "ram.txt", "nowhere.txt", ""}));
    EXPECT_EQ(window.width(), window.collapsedWidth());
    EXPECT_EQ(window.height(), 518);
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(HelpingTest, MissingIndexGivesAnEmptyListAndKeepsTheWidth) {
    window.topicList->addItem("stale");
    window.topicFiles << "stale.txt";
    window.openHelp(m_base);
    EXPECT_EQ(window.topicList->count(), 0);
    EXPECT_TRUE(window.topicFiles.isEmpty());
    EXPECT_EQ(window.width(), 833);
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(HelpingTest, ViewingShowsTheTopicAndExpands) {
    writeStandardHelp();
    window.openHelp(m_base);
    select(0);
    window.viewContentButton->click();
    EXPECT_FALSE(window.topicText->isHidden());
    EXPECT_FALSE(window.hideContentButton->isHidden());
    EXPECT_EQ(window.width(), window.expandedWidth());
    EXPECT_EQ(window.topicText->toPlainText(), "Torvane guards the desktop.\nSecond line.\n");

    // A second topic replaces the first; the width stays expanded.
    window.resize(window.expandedWidth() + 50, window.height());
    select(2);
    emit window.topicList->itemDoubleClicked(window.topicList->item(2));
    EXPECT_EQ(window.topicText->toPlainText(), "Memory gauges.\n");
    EXPECT_EQ(window.width(), window.expandedWidth() + 50);

    window.hideContentButton->click();
    EXPECT_TRUE(window.topicText->isHidden());
    EXPECT_TRUE(window.hideContentButton->isHidden());
    EXPECT_EQ(window.width(), window.collapsedWidth());
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(HelpingTest, ViewingDoesNothingWithoutSelectionOrFile) {
    writeStandardHelp();
    window.openHelp(m_base);
    const int collapsed = window.width();
    struct Case {
        const char* name;
        int row;
    };
    for (const Case& c : {Case{"no selection", -1}, Case{"missing topic file", 3},
                          Case{"odd line count: empty file name is the folder", 4}}) {
        window.topicList->clearSelection();
        if (c.row >= 0)
            select(c.row);
        window.onViewContentClicked();
        EXPECT_TRUE(window.topicText->isHidden()) << c.name;
        EXPECT_TRUE(window.hideContentButton->isHidden()) << c.name;
        EXPECT_EQ(window.width(), collapsed) << c.name;
    }
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(HelpingTest, ReopeningReloadsAndCollapsesShowingAgainDoesNot) {
    writeStandardHelp();
    window.openHelp(m_base);
    select(0);
    window.onViewContentClicked();
    ASSERT_EQ(window.width(), window.expandedWidth());

    // Already visible: only brought up, the edited index is not read.
    writeHelp("MainHelp.txt", "Only\r\noverview.txt\r\n");
    window.openHelp(m_base);
    EXPECT_EQ(window.topicList->count(), 5);
    EXPECT_FALSE(window.topicText->isHidden());

    window.close();
    EXPECT_TRUE(window.isHidden());
    window.openHelp(m_base);
    EXPECT_EQ(titles(), QStringList({"Only"}));
    EXPECT_TRUE(window.topicText->isHidden());
    EXPECT_TRUE(window.hideContentButton->isHidden());
    EXPECT_EQ(window.width(), window.collapsedWidth());

    select(0);
    window.onViewContentClicked();
    EXPECT_EQ(window.width(), window.expandedWidth());
    EXPECT_FALSE(window.topicText->isHidden());
}

TEST_F(HelpingTest, UnreadableIndexKeepsWhatWasReadAndReportsTheError) {
    // Reading this process's own memory from offset 0 fails with EIO, whoever runs the test.
    ASSERT_TRUE(QFile::link("/proc/self/mem", m_base + "Help/MainHelp.txt"));
    window.openHelp(m_base);
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].title, "Torvane 4.4.0");
    EXPECT_EQ(fake.boxes()[0].text, "I/O error 5.");
    EXPECT_EQ(fake.boxes()[0].flags, platform::MbIconError);
    EXPECT_EQ(window.topicList->count(), 0);
    EXPECT_EQ(window.width(), 833);
}

TEST_F(HelpingTest, UnreadableTopicIsReported) {
    writeHelp("MainHelp.txt", "Broken\r\nbroken.txt\r\n");
    ASSERT_TRUE(QFile::link("/proc/self/mem", m_base + "Help/broken.txt"));
    window.openHelp(m_base);
    select(0);
    window.onViewContentClicked();
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].text, "I/O error 5.");
    EXPECT_EQ(fake.boxes()[0].flags, platform::MbIconError);
    EXPECT_FALSE(window.topicText->isHidden());
    EXPECT_EQ(window.topicText->toPlainText(), "");
}

TEST_F(HelpingTest, FindNextSelectsAndScrollsTheMatchToTheTop) {
    QByteArray index;
    for (int i = 0; i < 100; ++i) {
        if (i == 40)
            index += "Temperature\r\ntemp.txt\r\n";
        index += "Topic " + QByteArray::number(i) + "\r\nt.txt\r\n";
    }
    writeHelp("MainHelp.txt", index);
    window.openHelp(m_base);

    window.searchEdit->setText("TEMPERATURE");
    window.findNextButton->click();
    EXPECT_EQ(window.selectedIndex(), 40);
    EXPECT_EQ(window.topicList->selectedItems().size(), 1);
    EXPECT_EQ(window.topicList->indexAt(QPoint(2, 2)).row(), 40);

    // The only match is the selected title: the search wraps round and finds it again.
    window.onFindNextClicked();
    EXPECT_EQ(window.selectedIndex(), 40);

    window.searchEdit->setText("topic 1");
    window.onFindNextClicked(); // wraps to the top: "Topic 1"
    EXPECT_EQ(window.selectedIndex(), 1);
    EXPECT_EQ(window.topicList->indexAt(QPoint(2, 2)).row(), 1);
    window.onFindNextClicked(); // "Topic 10"
    EXPECT_EQ(window.selectedIndex(), 10);

    window.searchEdit->setText("nothing like it");
    window.onFindNextClicked();
    EXPECT_EQ(window.selectedIndex(), 10);
    window.searchEdit->clear();
    window.onFindNextClicked();
    EXPECT_EQ(window.selectedIndex(), 10);
}

TEST_F(HelpingTest, SearchForSelectionUsesTheSelectedText) {
    writeStandardHelp();
    window.openHelp(m_base);
    select(1);
    window.onViewContentClicked();
    ASSERT_EQ(window.topicText->toPlainText(), "The Task Management tab.\n");

    QTextCursor cursor = window.topicText->textCursor();
    cursor.setPosition(9);
    cursor.setPosition(19, QTextCursor::KeepAnchor);
    window.topicText->setTextCursor(cursor);
    window.searchSelectionButton->click();
    EXPECT_EQ(window.searchEdit->text(), "Management");
    EXPECT_EQ(window.selectedIndex(), 2); // the next title after "Task Management"

    // An empty selection empties the search text and finds nothing.
    cursor.clearSelection();
    window.topicText->setTextCursor(cursor);
    window.onSearchSelectionClicked();
    EXPECT_EQ(window.searchEdit->text(), "");
    EXPECT_EQ(window.selectedIndex(), 2);
}

} // namespace
