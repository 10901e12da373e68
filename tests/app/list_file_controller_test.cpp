#include "app/torvane_program.h"
#include "app/ttorvane.h"
#include "core/main_form.h"
#include "core/task_list_view.h"
#include "lists/list_file.h"
#include "lists/list_file_controller.h"
#include "lists/list_file_stream.h"
#include "support/app_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>

using namespace platform;

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class ListFileControllerTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        startProgram();
    }
    QStringList titles(TaskListView* list) {
        QStringList out;
        for (const TaskEntry& e : list->taskModel().tasks())
            out << e.title;
        return out;
    }
};

TEST_F(ListFileControllerTest, FirstStartWritesAFileThatTheNextStartReads) {
    const ListFileSections created = loadListFile(baseDir.filePath("AllLists.sav"));
    EXPECT_TRUE(created.error.isEmpty());
    EXPECT_TRUE(created.safe.empty() && created.kill.empty());
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(ListFileControllerTest, CancelledDialogsChangeNeitherListsNorFiles) {
    const QString listFile = baseDir.filePath("AllLists.sav");
    saveListFile(listFile, {{"On disk", 0}}, {});
    const QByteArray before = readFile(listFile);
    form().ListBox2->taskModel().append({"Unsaved", 0});
    form().LoadLists1->trigger(); // no answer scripted: cancelled
    form().SaveLists1->trigger();
    EXPECT_EQ(titles(form().ListBox2), QStringList{"Unsaved"});
    EXPECT_EQ(readFile(listFile), before);
    EXPECT_EQ(QDir(baseDir.path()).entryList(QDir::Files), QStringList{"AllLists.sav"});
    EXPECT_EQ(fake.fileDialogTitles, QStringList(2, "Select a list save file"));
    EXPECT_EQ(fake.fileDialogFilters, QStringList(2, "List Save|*.sav"));
    EXPECT_EQ(fake.fileDialogDirs, QStringList(2, baseDir.path() + "/"));
    EXPECT_TRUE(fake.boxes().isEmpty());
}

// Files the start-up load cannot read: the bytes stay in the folder, the user learns where, and
// neither the exit nor a later save writes over them.
class ListFileAtStart : public AppFixture {
protected:
    QString listFile() const { return baseDir.filePath("AllLists.sav"); }
    QStringList filesInBaseDir() const { return QDir(baseDir.path()).entryList(QDir::Files); }
};

TEST_F(ListFileAtStart, UnreadableFileIsKeptAsideAndTheListsStartEmpty) {
    const QByteArray good = encodeListFile({{"Editor", 0}, {"Shell", 0}, {"Mail", 0}}, {{"Miner", 0}});
    const struct {
        const char* name;
        QByteArray bytes;
        QString error;
    } cases[] = {
        {"cut short", good.left(good.size() - 9), "Stream read error"},
        {"one separator", encodeListStream({"Editor", kListSeparator, "Miner"}), "List index out of bounds (3)"},
        {"not a list file", "PK\x03\x04", "Invalid stream format"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& name : filesInBaseDir())
            QFile::remove(baseDir.filePath(name));
        fake.clearBoxes();
        writeFile(listFile(), c.bytes);
        startProgram();
        ASSERT_EQ(fake.boxes().size(), 1);
        const QStringList aside = QDir(baseDir.path()).entryList({"AllLists.sav.bad-*"}, QDir::Files);
        ASSERT_EQ(aside.size(), 1);
        EXPECT_EQ(fake.boxes()[0].title, "Torvane 4.4.0");
        EXPECT_EQ(fake.boxes()[0].text, c.error + "\n\rThe list file was kept as \"" + baseDir.filePath(aside[0]) +
                                            "\"; the lists start empty.");
        EXPECT_EQ(readFile(baseDir.filePath(aside[0])), c.bytes);
        EXPECT_TRUE(form().ListBox2->taskModel().tasks().empty());
        main().FormDestroy();
        program.reset();
        EXPECT_EQ(readFile(baseDir.filePath(aside[0])), c.bytes);
        EXPECT_TRUE(loadListFile(listFile()).error.isEmpty());
    }
}

TEST_F(ListFileAtStart, FileWithoutItemsFromEarlierStartsLoadsSilently) {
    ASSERT_NO_THROW(loadListFile(listFile())); // creates the item-less file "Load Lists" makes
    startProgram();
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_EQ(filesInBaseDir(), QStringList{"AllLists.sav"});
    EXPECT_TRUE(loadListFile(listFile()).error.isEmpty());
}

TEST_F(ListFileControllerTest, SaveAndLoadThroughTheDialogOrTheDefaultFile) {
    form().ListBox2->taskModel().append({"Editor", 7});
    form().ListBox3->taskModel().append({"Miner", 9});
    const QString chosen = baseDir.filePath("mine"); // typed without an extension
    fake.saveFileAnswers.push_back(chosen);
    form().SaveLists1->trigger();
    ASSERT_TRUE(QFile::exists(chosen + ".sav"));

    EXPECT_EQ(loadListFile(chosen + ".sav").kill.size(), 1u);

    form().ListBox2->taskModel().clear();
    form().ListBox3->taskModel().clear();
    fake.openFileAnswers.push_back(chosen + ".sav");
    form().LoadLists1->trigger();
    EXPECT_EQ(titles(form().ListBox2), QStringList{"Editor"});
    EXPECT_EQ(titles(form().ListBox3), QStringList{"Miner"});
    EXPECT_EQ(form().ListBox2->taskModel().at(0).handle, 0u); // names only
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(ListFileControllerTest, AFailedLoadLeavesTheListsAlone) {
    form().ListBox2->taskModel().append({"Editor", 0});
    const QString broken = baseDir.filePath("broken.sav");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("TPF0\x07TStrin");
    file.close();
    fake.openFileAnswers.push_back(broken);
    form().LoadLists1->trigger();
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].title, "Torvane 4.4.0");
    EXPECT_EQ(titles(form().ListBox2), QStringList{"Editor"});
}

} // namespace
