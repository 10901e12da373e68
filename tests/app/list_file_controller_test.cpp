#include "app/main_form.h"
#include "app/main_window.h"
#include "app/torvane_program.h"
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
        main().onDestroyed();
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

} // namespace
