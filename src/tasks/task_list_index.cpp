#include "tasks/task_list_index.h"

#include "tasks/recognition_resemblance.h"
#include "tasks/recognition_runs.h"

#include <algorithm>

TaskListIndex::TaskListIndex(const TaskList& list) : m_shortPieces(kShortPiece), m_longPieces(kLongPiece) {
    rebuild(list);
}

void TaskListIndex::rebuild(const TaskList& list) {
    m_shortPieces.rebuild(list);
    m_longPieces.rebuild(list);
    m_byTitle.clear();
    m_byHandle.clear();
    for (std::vector<int>& entries : m_byLength)
        entries.clear();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const int entry = static_cast<int>(i);
        const TaskEntry& task = list[i];
        m_byTitle.insert(task.title, entry);
        m_byHandle.insert(LookupHandle(task.handle), entry);
        const auto length = static_cast<std::size_t>(task.title.size());
        if (m_byLength.size() <= length)
            m_byLength.resize(length + 1);
        m_byLength[length].push_back(entry);
    }
}

// The key of every q-unit piece of the text, left to right, each in constant time: up to four
// units are packed exactly; longer pieces get a rolling polynomial hash, whose collisions only add
// a title to be tested. Pieces holding an undecodable unit are left out: no shared run has one.
template <typename Visit> void TaskListIndex::forEachPiece(QStringView text, qsizetype q, const Visit& visit) {
    const auto* units = reinterpret_cast<const char16_t*>(text.data());
    std::uint64_t key = 0;
    qsizetype firstClean = 0; // the earliest start of a piece after the last undecodable unit
    if (q <= 4) {
        const std::uint64_t mask = q == 4 ? ~std::uint64_t(0) : (std::uint64_t(1) << (16 * q)) - 1;
        for (qsizetype at = 0; at < text.size(); ++at) {
            key = ((key << 16) | units[at]) & mask;
            if (units[at] == kUndecodable)
                firstClean = at + 1;
            if (at + 1 >= q + firstClean)
                visit(key);
        }
        return;
    }
    constexpr std::uint64_t kBase = 0x100000001B3ull;
    std::uint64_t outgoing = 1; // kBase to the power q, the weight of the unit leaving the window
    for (qsizetype i = 0; i < q; ++i)
        outgoing *= kBase;
    for (qsizetype at = 0; at < text.size(); ++at) {
        key = key * kBase + units[at] + 1;
        if (at >= q)
            key -= outgoing * (std::uint64_t(units[at - q]) + 1);
        if (units[at] == kUndecodable)
            firstClean = at + 1;
        if (at + 1 >= q + firstClean)
            visit(key);
    }
}

void TaskListIndex::Pieces::rebuild(const TaskList& list) {
    std::size_t pieces = 0;
    for (const TaskEntry& task : list)
        pieces += static_cast<std::size_t>(std::max<qsizetype>(task.title.size() - m_q + 1, 0));
    // At most half the slots in use keeps the probes short.
    std::size_t slotCount = 16;
    m_shift = 60;
    while (slotCount < 2 * pieces) {
        slotCount *= 2;
        --m_shift;
    }
    m_slots.assign(slotCount, Slot{0, -1});
    m_entry.clear();
    m_next.clear();
    m_entry.reserve(pieces);
    m_next.reserve(pieces);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto entry = static_cast<std::int32_t>(i);
        forEachPiece(list[i].title, m_q, [&](std::uint64_t key) {
            Slot& slot = m_slots[slotOf(key)];
            if (slot.head >= 0 && m_entry[static_cast<std::size_t>(slot.head)] == entry)
                return; // the piece came up earlier in this title
            slot.key = key;
            m_entry.push_back(entry);
            m_next.push_back(slot.head);
            slot.head = static_cast<std::int32_t>(m_entry.size() - 1);
        });
    }
}

std::size_t TaskListIndex::Pieces::slotOf(std::uint64_t key) const {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> m_shift) & mask;
    while (m_slots[slot].head >= 0 && m_slots[slot].key != key)
        slot = (slot + 1) & mask;
    return slot;
}

std::int32_t TaskListIndex::Pieces::head(std::uint64_t key) const {
    return m_slots.empty() ? -1 : m_slots[slotOf(key)].head;
}

int TaskListIndex::find(const TaskList& list, QStringView name, LookupHandle handle,
                        const RecognitionOptions& options) const {
    if (!name.isEmpty() && !hasUndecodable(name)) {
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
    const Pieces& pieces = q == kLongPiece ? m_longPieces : m_shortPieces;
    std::vector<int> candidates;
    forEachPiece(name, q, [&](std::uint64_t key) {
        pieces.forEachEntry(key, [&](int entry) {
            if (entry > best &&
                required[static_cast<std::size_t>(list[static_cast<std::size_t>(entry)].title.size())] > 0)
                candidates.push_back(entry);
        });
    });
    std::sort(candidates.begin(), candidates.end(), std::greater<>());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    for (const int entry : candidates) {
        const QString& title = list[static_cast<std::size_t>(entry)].title;
        if (test.sharesRun(title, required[static_cast<std::size_t>(title.size())]))
            return entry;
    }
    return best;
}
