#include "tasks/task_list_index.h"

#include "tasks/recognition_resemblance.h"

#include <algorithm>

TaskListIndex::TaskListIndex(const TaskList& list) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        const int entry = static_cast<int>(i);
        const TaskEntry& task = list[i];
        m_byTitle.insert(task.title, entry);
        m_byHandle.insert(LookupHandle(task.handle), entry);
        const auto length = static_cast<std::size_t>(task.title.size());
        if (m_byLength.size() <= length)
            m_byLength.resize(length + 1);
        m_byLength[length].push_back(entry);
        indexPieces(m_shortPieces, task.title, kShortPiece, entry);
        indexPieces(m_longPieces, task.title, kLongPiece, entry);
    }
}

std::uint64_t TaskListIndex::pieceKey(const char16_t* units, qsizetype q) {
    // Four units fit a key exactly; longer pieces are mixed into one, and a collision only adds a
    // title to be tested.
    std::uint64_t key = 0;
    for (qsizetype i = 0; i < q; ++i) {
        if (i == 4)
            key *= 0x9E3779B97F4A7C15ull;
        key ^= std::uint64_t(units[i]) << (16 * (i % 4));
    }
    return key;
}

void TaskListIndex::indexPieces(Postings& postings, QStringView title, qsizetype q, int entry) {
    const auto* units = reinterpret_cast<const char16_t*>(title.data());
    for (qsizetype i = 0; i + q <= title.size(); ++i) {
        std::vector<int>& entries = postings[pieceKey(units + i, q)];
        if (entries.empty() || entries.back() != entry)
            entries.push_back(entry);
    }
}

int TaskListIndex::find(const TaskList& list, QStringView name, LookupHandle handle,
                        const RecognitionOptions& options) const {
    if (!name.isEmpty()) {
        const auto it = m_byTitle.constFind(name.toString());
        if (it != m_byTitle.constEnd())
            return *it;
    }
    if (handle == 0)
        return -1;
    if (const auto it = m_byHandle.constFind(handle); it != m_byHandle.constEnd())
        return *it;
    if (!options.cleverProcessing || list.empty())
        return -1;

    const NameResemblance test(name, options.percentMode, options.runLength.value(), options);
    // The run each length needs; lengths needing less than a piece are tested entry by entry.
    std::vector<std::int64_t> required(m_byLength.size(), 0);
    int best = -1;
    std::int64_t shortestIndexed = 0;
    for (std::size_t length = 0; length < m_byLength.size(); ++length) {
        if (m_byLength[length].empty())
            continue;
        const std::int64_t run = test.requiredRun(static_cast<qsizetype>(length));
        if (run <= 0)
            continue;
        if (run < kShortPiece) {
            for (auto it = m_byLength[length].rbegin(); it != m_byLength[length].rend() && *it > best; ++it)
                if (test.sharesRun(list[static_cast<std::size_t>(*it)].title, run)) {
                    best = *it;
                    break;
                }
            continue;
        }
        required[length] = run;
        shortestIndexed = shortestIndexed == 0 ? run : std::min(shortestIndexed, run);
    }
    if (shortestIndexed == 0)
        return best;

    const qsizetype q = shortestIndexed >= kLongPiece ? kLongPiece : kShortPiece;
    const Postings& postings = q == kLongPiece ? m_longPieces : m_shortPieces;
    std::vector<int> candidates;
    const auto* units = reinterpret_cast<const char16_t*>(name.data());
    for (qsizetype i = 0; i + q <= name.size(); ++i) {
        const auto it = postings.find(pieceKey(units + i, q));
        if (it == postings.end())
            continue;
        for (const int entry : it->second)
            if (entry > best &&
                required[static_cast<std::size_t>(list[static_cast<std::size_t>(entry)].title.size())] > 0)
                candidates.push_back(entry);
    }
    std::sort(candidates.begin(), candidates.end(), std::greater<>());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    for (const int entry : candidates) {
        const QString& title = list[static_cast<std::size_t>(entry)].title;
        if (test.sharesRun(title, required[static_cast<std::size_t>(title.size())]))
            return entry;
    }
    return best;
}
