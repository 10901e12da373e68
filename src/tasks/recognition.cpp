#include "tasks/recognition.h"

#include "tasks/recognition_resemblance.h"
#include "tasks/recognition_runs.h"

#include <algorithm>

QString SubText(QStringView s, qsizetype from, qsizetype to) {
    if (to < from)
        return {};
    from = std::max<qsizetype>(from, 1);
    to = std::min(to, s.size());
    if (to < from)
        return {};
    return s.mid(from - 1, to - from + 1).toString();
}

QString LimitNameLength(const QString& s, std::int64_t n) {
    if (s.size() <= n)
        return s;
    return n <= 0 ? QString() : s.left(static_cast<qsizetype>(n));
}

int FindTaskByName(const TaskList& list, QStringView name) {
    if (hasUndecodable(name))
        return -1;
    for (std::size_t i = list.size(); i-- > 0;)
        if (list[i].title == name)
            return static_cast<int>(i);
    return -1;
}

namespace {

int findByLookupHandle(const TaskList& list, LookupHandle handle) {
    for (std::size_t i = list.size(); i-- > 0;)
        if (LookupHandle(list[i].handle) == handle)
            return static_cast<int>(i);
    return -1;
}

} // namespace

int FindTaskByHandle(const TaskList& list, platform::WindowHandle handle) {
    return findByLookupHandle(list, handle);
}

bool ResembleByCount(QStringView x, QStringView y, std::int64_t a, const RecognitionOptions& options) {
    return NameResemblance(y, false, a, options).resembles(x);
}

bool ResembleByPercent(QStringView x, QStringView y, std::int64_t p, const RecognitionOptions& options) {
    return NameResemblance(y, true, p, options).resembles(x);
}

bool NamesResemble(QStringView x, QStringView y, const RecognitionOptions& options) {
    return NameResemblance(y, options.percentMode, options.runLength.value(), options).resembles(x);
}

int FindTask(const TaskList& list, QStringView name, LookupHandle handle, const RecognitionOptions& options) {
    int r = -1;
    if (!name.isEmpty())
        r = FindTaskByName(list, name);
    if (r == -1 && handle != 0)
        r = findByLookupHandle(list, handle);
    if (r == -1 && handle != 0 && options.cleverProcessing && !list.empty()) {
        // Every entry is tested and the highest resembling index wins, so the first hit from the
        // end is the answer.
        const NameResemblance test(name, options.percentMode, options.runLength.value(), options);
        for (std::size_t i = list.size(); i-- > 0;)
            if (test.resembles(list[i].title))
                return static_cast<int>(i);
    }
    return r;
}

bool AddTaskIfAbsent(TaskList& list, const QString& name, platform::WindowHandle handle,
                     const RecognitionOptions& options) {
    if (FindTask(list, name, kNoHandleMarker, options) != -1)
        return false;
    list.push_back({name, handle});
    return true;
}

bool AddTaskIfAbsent(TaskListModel& list, const QString& name, platform::WindowHandle handle,
                     const RecognitionOptions& options) {
    if (FindTask(list.tasks(), name, kNoHandleMarker, options) != -1)
        return false;
    list.append({name, handle});
    return true;
}
