#include "core/message_policy.h"
#include "help/help_files.h"
#include "help/help_index.h"
#include "help/help_window.h"
#include "platform/fake/fake_platform.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSet>
#include <QStringDecoder>
#include <gtest/gtest.h>

// The help texts that ship beside the program, checked in the source tree.
namespace {

const QString kSourceDir = QStringLiteral(TORVANE_SOURCE_DIR "/");
const QString kHelpDir = kSourceDir + QStringLiteral("Help/");

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Every line end is CR LF and the text is valid UTF-8.
void expectTextFileFormat(const QString& name) {
    const QByteArray data = readFile(kHelpDir + name);
    ASSERT_FALSE(data.isEmpty()) << name.toStdString();
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (data[i] == '\n') {
            ASSERT_TRUE(i > 0 && data[i - 1] == '\r') << name.toStdString() << " lone LF at " << i;
        }
        if (data[i] == '\r') {
            ASSERT_TRUE(i + 1 < data.size() && data[i + 1] == '\n') << name.toStdString() << " lone CR at " << i;
        }
    }
    EXPECT_TRUE(data.endsWith("\r\n")) << name.toStdString();
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(data);
    EXPECT_FALSE(decoder.hasError()) << name.toStdString();
}

class ShippedHelpTest : public ::testing::Test {
protected:
    platform::fake::FakePlatform fake;
    MessagePolicy policy{fake};
    HelpWindow window{policy};
};

TEST_F(ShippedHelpTest, ShowingLoadsTheShippedIndexAndEveryTopicShows) {
    window.openHelp(kSourceDir);
    const QList<help::HelpTopic> topics = help::parseHelpIndex(readFile(kHelpDir + "MainHelp.txt"));
    ASSERT_GE(topics.size(), 10);
    ASSERT_EQ(window.topicList->count(), topics.size());
    EXPECT_EQ(window.width(), window.collapsedWidth());
    QSet<QString> titles;
    for (int i = 0; i < window.topicList->count(); ++i) {
        const QString title = window.topicList->item(i)->text();
        EXPECT_EQ(title, topics[i].title);
        EXPECT_EQ(window.topicFiles[i], topics[i].fileName);
        EXPECT_FALSE(title.trimmed().isEmpty()) << "topic " << i;
        EXPECT_FALSE(titles.contains(title)) << title.toStdString();
        titles.insert(title);
        ASSERT_FALSE(window.topicFiles[i].isEmpty()) << title.toStdString();
        EXPECT_TRUE(help::helpFileExists(kHelpDir + window.topicFiles[i])) << window.topicFiles[i].toStdString();

        window.topicList->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
        window.onViewContentClicked();
        EXPECT_FALSE(window.topicText->isHidden()) << title.toStdString();
        EXPECT_GT(window.topicText->toPlainText().size(), 200) << title.toStdString();
    }
    EXPECT_EQ(window.width(), window.expandedWidth());
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST(ShippedHelp, FilesAreCrLfUtf8AndNoneIsOrphaned) {
    expectTextFileFormat("MainHelp.txt");
    const QList<help::HelpTopic> topics = help::parseHelpIndex(readFile(kHelpDir + "MainHelp.txt"));
    QSet<QString> named;
    for (const help::HelpTopic& topic : topics) {
        named.insert(topic.fileName);
        expectTextFileFormat(topic.fileName);
    }
    const QStringList present = QDir(kHelpDir).entryList({"*.txt"}, QDir::Files);
    for (const QString& file : present) {
        if (file != "MainHelp.txt") {
            EXPECT_TRUE(named.contains(file)) << file.toStdString() << " is named by no topic";
        }
    }
}

TEST(ShippedHelp, EveryPartOfTheProgramHasATopic) {
    const QList<help::HelpTopic> topics = help::parseHelpIndex(readFile(kHelpDir + "MainHelp.txt"));
    QStringList titles;
    QString allText;
    for (const help::HelpTopic& topic : topics) {
        titles << topic.title;
        allText += help::topicDisplayText(readFile(kHelpDir + topic.fileName));
    }
    for (const char* subject :
         {"task management", "ram management", "internet", "encryption", "temperature tab", "auto windows actions",
          "advanced options", "task action", "investigator", "tray", "hot key", "silent mode", "protection", "help"})
        EXPECT_GE(help::findNextTitle(titles, subject, -1), 0) << subject;
    for (const char* phrase : {"Ctrl+Alt+F8", "core-temp", "Start Protection", "Kill All Outside Safe List",
                               "Enable Silent Mode (not recommended)", "View Selected Content"})
        EXPECT_TRUE(allText.contains(QLatin1String(phrase))) << phrase;
}

} // namespace
