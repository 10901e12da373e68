#pragma once

#include "core/task_list.h"

#include <QAbstractListModel>

// The tasks behind one of the visible lists. When sorted, new entries go to their
// case-insensitively sorted place.
class TaskListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    const TaskList& tasks() const { return m_tasks; }
    int count() const { return static_cast<int>(m_tasks.size()); }
    const TaskEntry& at(int index) const { return m_tasks.at(static_cast<std::size_t>(index)); }

    // Returns the index the entry was placed at.
    int append(const TaskEntry& entry);
    void removeAt(int index);
    void clear();
    // Replaces every entry (sorted when the list is sorted).
    void setTasks(const TaskList& tasks);
    // Replaces the entry in place; a sorted list is not re-sorted.
    void setEntry(int index, const TaskEntry& entry);

    bool sorted() const { return m_sorted; }
    // Changes whenever an entry is added, removed, replaced or moved.
    std::uint64_t version() const { return m_version; }
    // Switching sorting on sorts the entries; switching it off keeps their order.
    void setSorted(bool sorted);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    TaskList m_tasks;
    bool m_sorted = false;
    std::uint64_t m_version = 0;
};
