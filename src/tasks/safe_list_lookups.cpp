#include "tasks/safe_list_lookups.h"

#include "tasks/recognition.h"

namespace {
// Enough for every window of a busy desktop several times over; beyond it the memory is dropped.
constexpr qsizetype kMaxRemembered = 20000;
} // namespace

int SafeListLookups::find(const TaskListModel& list, const QString& name, LookupHandle handle,
                          const RecognitionOptions& options) {
    if (&list != m_list || list.version() != m_version) {
        m_index.rebuild(list.tasks());
        m_results.clear();
        m_list = &list;
        m_version = list.version();
    }
    if (!(options == m_options) || m_results.size() > kMaxRemembered) {
        m_results.clear();
        m_options = options;
    }
    const auto key = std::make_pair(name, handle);
    const auto it = m_results.constFind(key);
    if (it != m_results.constEnd())
        return *it;
    const int index = m_index.find(list.tasks(), name, handle, options);
    m_results.insert(key, index);
    return index;
}
