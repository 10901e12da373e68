#include "app/main_form.h"
#include "app/torvane_program.h"
#include "app/ttorvane.h"
#include "lists/list_file.h"
#include "lists/list_file_controller.h"
#include "lists/list_file_stream.h"
#include "support/app_fixture.h"
#include "widgets/task_list_view.h"

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

TEST_F(ListFileControllerTest, CancelledDialogsChangeNeitherListsNorFiles) {
    const QString listFile = baseDir.filePath("AllLists.sav");
    EXPECT_TRUE(loadListFile(listFile).error.isEmpty()); // the first start wrote a readable file
    form().ListBox2->taskModel().append({"Unsaved", 0});
    const QByteArray before = readFile(listFile);
    form().LoadLists1->trigger(); // no answer scripted: cancelled
    form().SaveLists1->trigger();
    EXPECT_EQ(titles(form().ListBox2), QStringList{"Unsaved"});
    EXPECT_EQ(readFile(listFile), before);
    EXPECT_EQ(fake.fileDialogTitles, QStringList(2, "Select a list save file"));
    EXPECT_TRUE(fake.boxes().isEmpty());
}

// A default file the start cannot read keeps its bytes, the user learns where, and the lists
// start empty; an item-less file from earlier starts holds nothing and loads silently.
class ListFileAtStart : public AppFixture {};

TEST_F(ListFileAtStart, UnreadableFileIsKeptAside) {
    const QByteArray good = encodeListFile({{"Editor", 0}, {"Shell", 0}, {"Mail", 0}}, {{"Miner", 0}});
    const struct {
        QByteArray bytes;
        QString report; // empty: no report, nothing kept aside
    } cases[] = {
        {good.left(good.size() - 9), "Stream read error"},
        {encodeListStream({"Editor", kListSeparator, "Miner"}), "List index out of bounds (3)"},
        {"PK\x03\x04", "Invalid stream format"},
        {encodeListStream({}), ""},
    };
    const QString listFile = baseDir.filePath("AllLists.sav");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.report.toStdString());
        writeFile(listFile, c.bytes);
        fake.clearBoxes();
        startProgram();
        main().FormDestroy();
        program.reset();
        const ListFileSections saved = loadListFile(listFile);
        EXPECT_TRUE(saved.error.isEmpty() && saved.safe.empty() && saved.kill.empty());
        const QStringList aside = QDir(baseDir.path()).entryList({"AllLists.sav.bad-*"}, QDir::Files);
        ASSERT_EQ(aside.size(), c.report.isEmpty() ? 0 : 1);
        ASSERT_EQ(fake.boxes().size(), aside.size());
        if (aside.isEmpty())
            continue;
        EXPECT_EQ(fake.boxes()[0].text, c.report + "\n\rThe list file was kept as \"" + baseDir.filePath(aside[0]) +
                                            "\"; the lists start empty.");
        EXPECT_EQ(readFile(baseDir.filePath(aside[0])), c.bytes);
        QFile::remove(baseDir.filePath(aside[0]));
    }
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
