#pragma once

#include "platform/activity.h"

#include <QWidget>

class ActivityLog;
class QLineEdit;
class QTableWidget;

// The activity log's latest entries, newest first, with a filter: what Torvane ended, asked to
// close, refused or remembered, and why.
class HistoryWindow : public QWidget {
    Q_OBJECT
public:
    explicit HistoryWindow(ActivityLog& log, QWidget* parent = nullptr);

    // Shows the window in front.
    void open();
    // Shows the log's entries anew, after entries of an earlier run were read back.
    void reload();

    QLineEdit* filterEdit = nullptr;
    QTableWidget* historyTable = nullptr;

private:
    ActivityLog& m_log;
    void insertNewest(const platform::ActivityEntry& entry);
    void applyFilter(int row);
    void applyFilter();
};
