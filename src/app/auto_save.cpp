#include "app/auto_save.h"

#include "app/main_window.h"
#include "core/error_report.h"
#include "core/task_list_model.h"
#include "lists/list_file_controller.h"
#include "lists/task_management_tab.h"
#include "platform/torvane_error.h"
#include "widgets/spin_edit.h"
#include "widgets/task_list_view.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>

AutoSave::AutoSave(MainWindow& main, int delayMs) : QObject(&main), m_main(main) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer); // a promise of time on disk, not a housekeeping tick
    m_timer.setInterval(delayMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { saveNow(); });

    const auto later = [this] { schedule(); };
    const TaskTabControls& tab = main.taskTab().controls();
    for (TaskListView* list : {tab.safeListView, tab.killListView}) {
        TaskListModel* model = &list->taskModel();
        connect(model, &QAbstractItemModel::rowsInserted, this, later);
        connect(model, &QAbstractItemModel::rowsRemoved, this, later);
        connect(model, &QAbstractItemModel::modelReset, this, later);
        connect(model, &QAbstractItemModel::dataChanged, this, later);
        connect(model, &QAbstractItemModel::layoutChanged, this, later);
    }
    // More controls than the settings files keep: a change of any other one rewrites nothing.
    for (QCheckBox* box : main.findChildren<QCheckBox*>())
        connect(box, &QCheckBox::toggled, this, later);
    for (SpinEdit* field : main.findChildren<SpinEdit*>())
        connect(field, &SpinEdit::changed, this, later);
    for (QAction* item : main.findChildren<QAction*>())
        connect(item, &QAction::toggled, this, later);
    // Hiding to the tray and coming back is a record of its own.
    main.installEventFilter(this);
}

void AutoSave::schedule() {
    if (!m_timer.isActive())
        m_timer.start();
}

bool AutoSave::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_main && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        schedule();
    return QObject::eventFilter(watched, event);
}

void AutoSave::saveNow() {
    // The error report of a write runs a nested event loop; a change made meanwhile is written
    // after it.
    if (m_saving) {
        schedule();
        return;
    }
    m_saving = true;
    m_timer.stop();
    QString error;
    const auto attempt = [&error](const std::function<void()>& save) {
        try {
            save();
        } catch (const TorvaneError& e) {
            if (error.isEmpty())
                error = e.text();
        } catch (const std::exception& e) {
            if (error.isEmpty())
                error = QString::fromLocal8Bit(e.what());
        }
    };
    attempt([this] { m_main.settings().save(); });
    attempt([this] { m_main.listFile().SaveAllLists(false); });
    if (!error.isEmpty() && error != m_lastError)
        m_main.guarded([&error] { throw TorvaneError(error); });
    m_lastError = error;
    m_saving = false;
}

void AutoSave::flushPending() {
    if (!pending() || m_saving)
        return;
    m_timer.stop();
    try {
        m_main.settings().save();
    } catch (const std::exception&) {
    }
    try {
        m_main.listFile().SaveAllLists(false);
    } catch (const std::exception&) {
    }
}
