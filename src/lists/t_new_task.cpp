#include "lists/t_new_task.h"

TNewTask::TNewTask(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("NewTask"));
    setWindowTitle(QStringLiteral("Task Action"));
    setFixedSize(460, 404);
    // Native from the start, so the window exists (hidden) before it is first shown.
    winId();
}
