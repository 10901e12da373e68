#include "core/task_list.h"

#include <algorithm>

std::size_t sortedInsertPosition(const TaskList& list, const QString& title) {
    auto it = std::upper_bound(list.begin(), list.end(), title, [](const QString& t, const TaskEntry& e) {
        return QString::compare(t, e.title, Qt::CaseInsensitive) < 0;
    });
    return static_cast<std::size_t>(it - list.begin());
}
