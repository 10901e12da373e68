#include "app/history_window.h"

#include "core/activity_log.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { Time, Result, Title, Pid, Executable, Reason, ColumnCount };

QString pidText(platform::ProcessId pid) {
    return pid == 0 ? QString() : QString::number(pid);
}

// Qt reads a tooltip that looks like markup as rich text; escaped inside a paragraph, a title such
// as "<img src=...>" shows as the characters it is.
QString plainToolTip(const QString& text) {
    return QStringLiteral("<p style='white-space:pre-wrap'>%1</p>").arg(text.toHtmlEscaped());
}

} // namespace

HistoryWindow::HistoryWindow(ActivityLog& log, QWidget* parent) : QWidget(parent, Qt::Window), m_log(log) {
    setObjectName(QStringLiteral("historyWindow"));
    setWindowTitle(QStringLiteral("History"));
    resize(1080, 440);
    auto* layout = new QVBoxLayout(this);
    filterEdit = new QLineEdit(this);
    filterEdit->setObjectName(QStringLiteral("historyFilterEdit"));
    filterEdit->setPlaceholderText(QStringLiteral("Filter"));
    filterEdit->setClearButtonEnabled(true);
    layout->addWidget(filterEdit);
    historyTable = new QTableWidget(0, ColumnCount, this);
    historyTable->setObjectName(QStringLiteral("historyTable"));
    historyTable->setHorizontalHeaderLabels({QStringLiteral("Time"), QStringLiteral("Result"), QStringLiteral("Title"),
                                             QStringLiteral("PID"), QStringLiteral("Executable"),
                                             QStringLiteral("Reason")});
    historyTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    historyTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    historyTable->verticalHeader()->hide();
    historyTable->verticalHeader()->setDefaultSectionSize(historyTable->fontMetrics().height() + 6);
    historyTable->setWordWrap(false);
    historyTable->setTextElideMode(Qt::ElideMiddle); // a path keeps its program's name in sight
    historyTable->setAlternatingRowColors(true);
    QHeaderView* header = historyTable->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Fixed widths that fit the usual contents: measuring the rows again on every entry would cost
    // the event loop time while a kill list strikes often. The reason takes what is left.
    const auto widthOf = [this](const char* sample) {
        return historyTable->fontMetrics().horizontalAdvance(QLatin1String(sample)) + 24;
    };
    historyTable->setColumnWidth(Time, widthOf("0000-00-00 00:00:00"));
    historyTable->setColumnWidth(Result, widthOf("list changed: added to the kill list"));
    historyTable->setColumnWidth(Title, 170);
    historyTable->setColumnWidth(Pid, widthOf("4194304"));
    historyTable->setColumnWidth(Executable, 210);
    header->setStretchLastSection(true);
    layout->addWidget(historyTable);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("closeButton"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::hide);
    layout->addWidget(buttons);

    reload();
    connect(&log, &ActivityLog::recorded, this, &HistoryWindow::insertNewest);
    connect(filterEdit, &QLineEdit::textChanged, this, [this] { applyFilter(); });
}

void HistoryWindow::open() {
    show();
    raise();
    activateWindow();
}

void HistoryWindow::reload() {
    historyTable->setRowCount(0);
    for (const platform::ActivityEntry& entry : m_log.latest())
        insertNewest(entry);
}

void HistoryWindow::insertNewest(const platform::ActivityEntry& entry) {
    historyTable->insertRow(0);
    // Plain items: a title is shown as text, never read as markup.
    const QString cells[ColumnCount] = {entry.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")),
                                        entry.resultText(),
                                        entry.title,
                                        pidText(entry.pid),
                                        entry.executable,
                                        entry.reason};
    for (int column = 0; column < ColumnCount; ++column) {
        auto* cell = new QTableWidgetItem(cells[column]);
        cell->setToolTip(plainToolTip(cells[column])); // a long title or path is cut in its column
        historyTable->setItem(0, column, cell);
    }
    while (historyTable->rowCount() > static_cast<int>(ActivityLog::kKept))
        historyTable->removeRow(historyTable->rowCount() - 1);
    applyFilter(0);
}

void HistoryWindow::applyFilter(int row) {
    const QString text = filterEdit->text();
    bool shown = text.isEmpty();
    for (int column = 0; column < ColumnCount && !shown; ++column)
        shown = historyTable->item(row, column)->text().contains(text, Qt::CaseInsensitive);
    historyTable->setRowHidden(row, !shown);
}

void HistoryWindow::applyFilter() {
    for (int row = 0; row < historyTable->rowCount(); ++row)
        applyFilter(row);
}
