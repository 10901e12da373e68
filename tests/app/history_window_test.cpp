#include "app/history_window.h"
#include "core/activity_log.h"

#include <QLineEdit>
#include <QTableWidget>
#include <QTextDocument>
#include <gtest/gtest.h>

// A markup-like title stays plain in its tooltip; the filter looks at every column and at entries
// that come later; the table keeps no more rows than the log.
TEST(HistoryWindowTest, PlainTooltipsFilterAndCap) {
    ActivityLog log;
    HistoryWindow window(log);
    QTableWidget& table = *window.historyTable;
    log.record({.title = "<b>Chat</b>", .pid = 7, .executable = "/usr/bin/chat", .reason = "protection"});
    const QString tip = table.item(0, 2)->toolTip();
    QTextDocument shown;
    shown.setHtml(tip);
    EXPECT_EQ(Qt::mightBeRichText(tip) ? shown.toPlainText() : tip, "<b>Chat</b>");

    window.filterEdit->setText("USR/BIN"); // the executable's column
    log.record({.title = "Game", .executable = "/opt/game", .reason = "kill list entry \"Game\""});
    EXPECT_TRUE(table.isRowHidden(0));
    EXPECT_FALSE(table.isRowHidden(1));
    window.filterEdit->clear();
    for (std::size_t i = 0; i < ActivityLog::kKept; ++i)
        log.record({.title = "Flood"});
    EXPECT_EQ(table.rowCount(), static_cast<int>(ActivityLog::kKept));
    EXPECT_FALSE(table.isRowHidden(0));
}
