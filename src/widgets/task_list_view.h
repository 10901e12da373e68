#pragma once

#include "core/task_list_model.h"

#include <QListView>

// A visible task list: its model, the selection and the first row shown, in the terms the
// handlers use (item index, top index, selected entries).
class TaskListView : public QListView {
    Q_OBJECT
public:
    // `multiSelect`: each click toggles one entry; otherwise one entry at most is selected.
    explicit TaskListView(bool multiSelect, QWidget* parent = nullptr);

    TaskListModel& taskModel() const { return *m_model; }
    int count() const { return m_model->count(); }

    // The current entry (the selected one in a single-selection list), -1 when none.
    int itemIndex() const;
    void setItemIndex(int index);
    int topIndex() const;
    void setTopIndex(int index);
    bool isSelected(int index) const;
    void setSelected(int index, bool selected);
    int selectedCount() const;
    void clearSelection();

signals:
    void listDoubleClicked();
    void rightButtonReleased();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TaskListModel* m_model;
};
