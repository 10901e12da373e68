#include "platform/fake/fake_platform.h"
#include "tasks/task_snapshot.h"

#include <gtest/gtest.h>

using platform::WindowInfo;

namespace {

QStringList titles(const TaskList& list) {
    QStringList out;
    for (const TaskEntry& e : list)
        out << e.title;
    return out;
}

TEST(TaskSnapshot, KeepsTitledWindowsOfTheAskedVisibility) {
    const std::vector<WindowInfo> windows = {
        {1, "top", true},
        {2, "", true},
        {3, "ghost", false},
        {4, "", false},
        {5, "same", true},
        {6, "same", true},
        {7, QString::fromUtf16(u"cut\0off", 7), true},
        {8, QString(300, QChar('x')), false},
    };
    TaskList visible;
    appendTasks(windows, true, visible);
    EXPECT_EQ(titles(visible), (QStringList{"top", "same", "same", "cut"}));
    EXPECT_EQ(visible[1].handle, 5u);
    EXPECT_EQ(visible[2].handle, 6u);

    TaskList hidden;
    appendTasks(windows, false, hidden);
    ASSERT_EQ(hidden.size(), 2u);
    EXPECT_EQ(hidden[0], (TaskEntry{"ghost", 3}));
    EXPECT_EQ(hidden[1].title.size(), 256);
}

TEST(TaskSnapshot, FullSnapshotPutsHiddenFirstAndNeverClears) {
    platform::fake::FakePlatform fake;
    fake.addWindow("visible bottom", true);
    fake.addWindow("hidden", false);
    fake.addWindow("visible top", true);
    TaskList list{{"kept", 0}};
    ListAllTasks(fake, list);
    EXPECT_EQ(titles(list), (QStringList{"kept", "hidden", "visible top", "visible bottom"}));
    ListHiddenTasks(fake, list);
    EXPECT_EQ(list.size(), 5u);
}

} // namespace
