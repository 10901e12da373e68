#include "core/activity_log.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::ActivityEntry;
using platform::ActivityResult;

namespace {

TEST(ActivityLogText, ControlCharactersNeverReachTheLog) {
    const struct {
        QString title, logged;
    } cases[] = {
        {"Plain title", "Plain title"},
        {QStringLiteral("Evil\n2026-01-01\tended\x1b[2J"), "Evil\\x0a2026-01-01\\x09ended\\x1b[2J"},
        {QStringLiteral("a\\x0a"), "a\\\\x0a"}, // a title cannot pass for an escape
        {QString::fromUtf8("abc\u202Egpj.exe\u2028"), "abc\\u202egpj.exe\\u2028"},
        {QString::fromUtf8("caf\u00e9 \u0085"), QString::fromUtf8("caf\u00e9 \\x85")},
    };
    ActivityLog log;
    for (const auto& c : cases) {
        log.record({.title = c.title, .pid = 7, .reason = "protection", .result = ActivityResult::Ended});
        const ActivityEntry& entry = log.latest().back();
        EXPECT_EQ(entry.title, c.logged);
        const auto back = parseActivityLine(activityLine(entry));
        ASSERT_TRUE(back.has_value()) << c.logged.toStdString();
        EXPECT_EQ(*back, entry);
    }
}

TEST(ActivityFileTest, TurnsOverAtItsBoundAndReadsBackTheLatest) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Activity.log");
    constexpr qint64 bound = 1000;
    ActivityFile file(path, bound);
    const auto entry = [](int i) {
        return ActivityEntry{.time = QDateTime::fromSecsSinceEpoch(1'800'000'000 + i),
                             .title = QStringLiteral("Task %1").arg(i),
                             .pid = static_cast<platform::ProcessId>(i),
                             .executable = "/usr/bin/task",
                             .reason = "protection",
                             .result = i % 2 ? ActivityResult::Ended : ActivityResult::Remembered,
                             .decision = i % 2 ? QString() : QStringLiteral("Ignore")};
    };
    for (int i = 0; i < 60; ++i)
        file.write(entry(i));
    EXPECT_LE(QFile(path).size(), bound);
    EXPECT_LE(QFile(path + ".1").size(), bound);
    EXPECT_FALSE(QFile::exists(path + ".2"));
    const std::vector<ActivityEntry> latest = file.readLatest(5);
    ASSERT_EQ(latest.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(latest[std::size_t(i)], entry(55 + i));
    // A line cut short by a crash is skipped; the file goes on after it.
    QFile cut(path);
    ASSERT_TRUE(cut.open(QIODevice::Append));
    cut.write("2026-12-10T00:00:00.000Z\tended\t3");
    cut.close();
    EXPECT_EQ(file.readLatest(1).back(), entry(59));
}

} // namespace
