#pragma once

#include <QWidget>

// The "Task Action" window: created hidden at start-up and kept until exit; it asks the user
// what to do with one task.
class TNewTask : public QWidget {
    Q_OBJECT
public:
    explicit TNewTask(QWidget* parent = nullptr);
};
