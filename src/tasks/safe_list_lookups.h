#pragma once

#include "core/task_list_model.h"
#include "tasks/recognition_options.h"
#include "tasks/task_list_index.h"

#include <QHash>
#include <QString>
#include <utility>

// FindTask over the Safe List, remembered while the list and the options stay as they are. The
// protection cycle asks the same questions about the same windows every half second, and with
// handles in play each answer would cost a resemblance pass over the whole list; a list change
// rebuilds the index that answers them without one.
class SafeListLookups {
public:
    int find(const TaskListModel& list, const QString& name, LookupHandle handle, const RecognitionOptions& options);

private:
    std::uint64_t m_version = ~std::uint64_t(0);
    const TaskListModel* m_list = nullptr;
    RecognitionOptions m_options;
    TaskListIndex m_index;
    QHash<std::pair<QString, LookupHandle>, int> m_results;
};
