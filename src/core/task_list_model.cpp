#include "core/task_list_model.h"

#include <algorithm>

int TaskListModel::append(const TaskEntry& entry) {
    ++m_version;
    const int row = m_sorted ? static_cast<int>(sortedInsertPosition(m_tasks, entry.title)) : count();
    beginInsertRows(QModelIndex(), row, row);
    m_tasks.insert(m_tasks.begin() + row, entry);
    endInsertRows();
    return row;
}

void TaskListModel::removeAt(int index) {
    ++m_version;
    if (index < 0 || index >= count())
        return;
    beginRemoveRows(QModelIndex(), index, index);
    m_tasks.erase(m_tasks.begin() + index);
    endRemoveRows();
}

void TaskListModel::clear() {
    ++m_version;
    beginResetModel();
    m_tasks.clear();
    endResetModel();
}

void TaskListModel::setTasks(const TaskList& tasks) {
    ++m_version;
    beginResetModel();
    if (m_sorted) {
        m_tasks.clear();
        m_tasks.reserve(tasks.size());
        for (const TaskEntry& e : tasks)
            m_tasks.insert(m_tasks.begin() + static_cast<std::ptrdiff_t>(sortedInsertPosition(m_tasks, e.title)), e);
    } else {
        m_tasks = tasks;
    }
    endResetModel();
}

void TaskListModel::setEntry(int index, const TaskEntry& entry) {
    if (index < 0 || index >= count() || m_tasks[static_cast<std::size_t>(index)] == entry)
        return;
    ++m_version;
    m_tasks[static_cast<std::size_t>(index)] = entry;
    emit dataChanged(this->index(index), this->index(index), {Qt::DisplayRole});
}

void TaskListModel::setSorted(bool sorted) {
    ++m_version;
    if (sorted == m_sorted)
        return;
    m_sorted = sorted;
    if (!sorted)
        return;
    beginResetModel();
    std::stable_sort(m_tasks.begin(), m_tasks.end(), [](const TaskEntry& a, const TaskEntry& b) {
        return QString::compare(a.title, b.title, Qt::CaseInsensitive) < 0;
    });
    endResetModel();
}

int TaskListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant TaskListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return at(index.row()).title;
    return {};
}
