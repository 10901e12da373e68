#include "core/error_report.h"
#include "core/shared_values.h"
#include "lists/list_file.h"
#include "lists/list_file_controller.h"
#include "platform/fake/fake_platform.h"
#include "widgets/task_list_view.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

using namespace platform;

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The Safe List and Kill List over the fake desktop's dialogs, in a temporary BaseDir; handlers run
// inside the general error report as the program runs them.
class ListFileControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        values.BaseDir = dir.path() + QLatin1Char('/');
        controller =
            std::make_unique<ListFileController>(ListFileControls{&window, safeListView, killListView}, values, fake);
        controller->LoadAllLists(false); // as at start
    }
    void guarded(const std::function<void()>& handler) { runGuarded(fake, &window, handler); }
    static QStringList titles(TaskListView* list) {
        QStringList out;
        for (const TaskEntry& e : list->taskModel().tasks())
            out << e.title;
        return out;
    }

    fake::FakePlatform fake;
    QTemporaryDir dir;
    SharedValues values;
    QWidget window;
    TaskListView* safeListView = new TaskListView(true, &window);
    TaskListView* killListView = new TaskListView(true, &window);
    std::unique_ptr<ListFileController> controller;
};

TEST_F(ListFileControllerTest, CancelledDialogsChangeNeitherListsNorFiles) {
    const QString listFile = dir.filePath("AllLists.sav");
    EXPECT_TRUE(loadListFile(listFile).error.isEmpty()); // the first start wrote a readable file
    safeListView->taskModel().append({"Unsaved", 0});
    const QByteArray before = readFile(listFile);
    guarded([this] { controller->onLoadListsTriggered(); }); // no answer scripted: cancelled
    guarded([this] { controller->onSaveListsTriggered(); });
    EXPECT_EQ(titles(safeListView), QStringList{"Unsaved"});
    EXPECT_EQ(readFile(listFile), before);
    EXPECT_EQ(fake.fileDialogTitles, QStringList(2, "Select a list save file"));
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(ListFileControllerTest, SaveAndLoadThroughTheDialogOrTheDefaultFile) {
    safeListView->taskModel().append({"Editor", 7});
    killListView->taskModel().append({"Miner", 9});
    const QString chosen = dir.filePath("mine"); // typed without an extension
    fake.saveFileAnswers.push_back(chosen);
    guarded([this] { controller->onSaveListsTriggered(); });
    ASSERT_TRUE(QFile::exists(chosen + ".sav"));

    EXPECT_EQ(loadListFile(chosen + ".sav").kill.size(), 1u);

    safeListView->taskModel().clear();
    killListView->taskModel().clear();
    fake.openFileAnswers.push_back(chosen + ".sav");
    guarded([this] { controller->onLoadListsTriggered(); });
    EXPECT_EQ(titles(safeListView), QStringList{"Editor"});
    EXPECT_EQ(titles(killListView), QStringList{"Miner"});
    EXPECT_EQ(safeListView->taskModel().at(0).handle, 0u); // names only
    EXPECT_TRUE(fake.boxes().isEmpty());
}

TEST_F(ListFileControllerTest, AFailedLoadLeavesTheListsAlone) {
    safeListView->taskModel().append({"Editor", 0});
    const QString broken = dir.filePath("broken.sav");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("TPF0\x07TStrin");
    file.close();
    fake.openFileAnswers.push_back(broken);
    guarded([this] { controller->onLoadListsTriggered(); });
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].title, "Torvane 4.4.0");
    EXPECT_EQ(titles(safeListView), QStringList{"Editor"});
}

TEST_F(ListFileControllerTest, FirstStartTakesTheFirstPresetForNewUsers) {
    const QByteArray preset = encodeListFile({{"Editor", 0}}, {{"Miner", 0}}), broken = "TPF0\x07TStrin";
    const struct {
        QByteArray first, second; // the presets in two folders after an empty one; empty: none
        QByteArray written;
    } cases[] = {{{}, preset, preset}, {preset, broken, preset}, {broken, preset, encodeListFile({}, {})}};
    const QByteArray saved = qgetenv("XDG_CONFIG_DIRS");
    for (const auto& c : cases) {
        QTemporaryDir config;
        for (const auto& [folder, bytes] : {std::pair{"b", c.first}, std::pair{"c", c.second}}) {
            QFile file(config.filePath(folder) + "/torvane/AllLists.sav");
            if (!bytes.isEmpty() && QDir().mkpath(config.filePath(folder) + "/torvane") &&
                file.open(QIODevice::WriteOnly))
                file.write(bytes);
        }
        qputenv("XDG_CONFIG_DIRS",
                ("relative::" + config.filePath("a:") + config.filePath("b:") + config.filePath("c")).toUtf8());
        QFile::remove(dir.filePath("AllLists.sav"));
        fake.clearBoxes();
        guarded([this] { controller->LoadAllLists(false); });
        EXPECT_EQ(titles(safeListView), c.written == preset ? QStringList{"Editor"} : QStringList{});
        EXPECT_EQ(readFile(dir.filePath("AllLists.sav")), c.written);
        EXPECT_EQ(fake.boxes().size(), c.written == preset ? 0 : 1); // a broken preset is reported
    }
    qputenv("XDG_CONFIG_DIRS", saved);
}

} // namespace
