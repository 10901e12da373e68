#include "widgets/task_list_view.h"

#include <QMouseEvent>
#include <QScrollBar>

TaskListView::TaskListView(bool multiSelect, QWidget* parent) : QListView(parent), m_model(new TaskListModel(this)) {
    setModel(m_model);
    setSelectionMode(multiSelect ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
}

int TaskListView::itemIndex() const {
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return -1;
    if (selectionMode() == QAbstractItemView::SingleSelection && !selectionModel()->isSelected(current))
        return -1;
    return current.row();
}

void TaskListView::setItemIndex(int index) {
    if (index < 0 || index >= count()) {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    const auto flags = selectionMode() == QAbstractItemView::SingleSelection ? QItemSelectionModel::ClearAndSelect
                                                                             : QItemSelectionModel::NoUpdate;
    selectionModel()->setCurrentIndex(m_model->index(index), flags);
}

int TaskListView::topIndex() const {
    // Scrolling is per item, so the scroll bar's value is the first row shown.
    return count() == 0 ? 0 : verticalScrollBar()->value();
}

void TaskListView::setTopIndex(int index) {
    if (index < 0 || index >= count())
        return;
    verticalScrollBar()->setValue(index);
}

bool TaskListView::isSelected(int index) const {
    return index >= 0 && index < count() && selectionModel()->isSelected(m_model->index(index));
}

void TaskListView::setSelected(int index, bool selected) {
    if (index < 0 || index >= count())
        return;
    selectionModel()->select(m_model->index(index),
                             selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

int TaskListView::selectedCount() const {
    return static_cast<int>(selectionModel()->selectedRows().size());
}

void TaskListView::clearSelection() {
    selectionModel()->clearSelection();
}

void TaskListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QListView::mouseDoubleClickEvent(event);
    emit listDoubleClicked();
}

void TaskListView::mouseReleaseEvent(QMouseEvent* event) {
    QListView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton)
        emit rightButtonReleased();
}
