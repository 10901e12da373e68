#include "app/ttorvane.h"
#include "core/main_form.h"
#include "lists/list_file.h"
#include "lists/list_file_controller.h"
#include "support/app_fixture.h"
#include "widgets/task_list_view.h"

#include <QAction>
#include <QFile>

using namespace platform;

namespace {

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

TEST_F(ListFileControllerTest, FirstStartCreatesTheDefaultFileAndReportsItsMissingItemList) {
    // The start-up load created the file without an item list; loading it again reports the
    // missing separator with 0 staged items, as the program always has.
    ASSERT_TRUE(QFile::exists(baseDir.filePath("AllLists.sav")));
    EXPECT_TRUE(fake.boxes().isEmpty());
    form().LoadLists1->trigger();
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].text, "List index out of bounds (0)"); // ")" sorts before ".": no full stop
    EXPECT_EQ(fake.fileDialogTitles, QStringList{"Select a list save file"});
    EXPECT_EQ(fake.fileDialogFilters, QStringList{"List Save|*.sav"});
    EXPECT_EQ(fake.fileDialogDirs, QStringList{baseDir.path() + "/"});
}

TEST_F(ListFileControllerTest, SaveAndLoadThroughTheDialogOrTheDefaultFile) {
    form().ListBox2->taskModel().append({"Editor", 7});
    form().ListBox3->taskModel().append({"Miner", 9});
    const QString chosen = baseDir.filePath("mine"); // typed without an extension
    fake.saveFileAnswers.push_back(chosen);
    form().SaveLists1->trigger();
    ASSERT_TRUE(QFile::exists(chosen + ".sav"));

    fake.saveFileAnswers.push_back(std::nullopt); // cancelled: the default file
    form().SaveLists1->trigger();
    EXPECT_EQ(loadListFile(baseDir.filePath("AllLists.sav")).kill.size(), 1u);

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
