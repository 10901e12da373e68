#include "platform/linux/session/journal_activity.h"

#include <QTimeZone>
#include <gtest/gtest.h>

namespace platform {
namespace {

// What `journalctl --user -t torvane -o verbose` would show, and the line on standard error when
// no journal takes the entry.
TEST(JournalActivity, OneFieldPerFactAndStandardErrorWithoutAJournal) {
    const ActivityEntry entry{.time = QDateTime::fromSecsSinceEpoch(1'800'000'000, QTimeZone::utc()),
                              .title = "Game \\x1b",
                              .pid = 4242,
                              .executable = "/usr/games/game",
                              .reason = "kill list entry \"Game\"",
                              .result = ActivityResult::Ended};
    QByteArrayList sent;
    int answer = 0;
    JournalActivity journal([&](const QByteArrayList& fields) {
        sent = fields;
        return answer;
    });
    journal.write(entry);
    const QByteArrayList expected{
        "MESSAGE=ended \"Game \\x1b\", pid 4242 (/usr/games/game): kill list entry \"Game\"",
        "PRIORITY=5",
        "SYSLOG_IDENTIFIER=torvane",
        "TORVANE_TITLE=Game \\x1b",
        "TORVANE_REASON=kill list entry \"Game\"",
        "TORVANE_RESULT=ended",
        "TORVANE_TIME=2027-01-15T08:00:00.000Z",
        "TORVANE_PID=4242",
        "OBJECT_PID=4242",
        "TORVANE_EXECUTABLE=/usr/games/game",
    };
    EXPECT_EQ(sent, expected);

    answer = -2; // no journal socket
    testing::internal::CaptureStderr();
    journal.write(entry);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "torvane: ended \"Game \\x1b\", pid 4242 (/usr/games/game): kill list entry \"Game\"\n");
}

} // namespace
} // namespace platform
