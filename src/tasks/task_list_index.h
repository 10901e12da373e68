#pragma once

#include "core/task_list.h"
#include "tasks/recognition_options.h"

#include <QHash>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

// FindTask over one fixed task list without a pass over every entry per lookup. Exact titles and
// handles are hashed; for the resemblance stage the entries are grouped by title length (the run a
// pair must share depends only on the two lengths) and their q-unit pieces are indexed: a title
// that shares a run of at least q units with the name shares one of the name's q-unit pieces, so
// only titles holding such a piece are tested. Lengths whose required run is shorter than the
// smallest piece are tested one by one. Answers are FindTask's, exactly.
class TaskListIndex {
public:
    explicit TaskListIndex(const TaskList& list = {});
    // Indexes another list, reusing the memory of the last one: a list change costs no allocation
    // of the tables again.
    void rebuild(const TaskList& list);

    // FindTask(list, name, handle, options) for the list the index was built from.
    int find(const TaskList& list, QStringView name, LookupHandle handle, const RecognitionOptions& options) const;

private:
    static constexpr qsizetype kShortPiece = 4;
    static constexpr qsizetype kLongPiece = 7; // a run of 7 is what the default options ask for
    template <typename Visit> static void forEachPiece(QStringView text, qsizetype q, const Visit& visit);

    // The entries holding each q-unit piece: an open-addressing table of pieces, each heading a
    // chain of entries. Entries go in by rising index and each new one is put at the head, so a
    // chain lists its entries from the highest index down, each once.
    class Pieces {
    public:
        explicit Pieces(qsizetype q) : m_q(q) {}
        void rebuild(const TaskList& list);
        template <typename Visit> void forEachEntry(std::uint64_t key, const Visit& visit) const {
            for (std::int32_t node = head(key); node >= 0; node = m_next[static_cast<std::size_t>(node)])
                visit(m_entry[static_cast<std::size_t>(node)]);
        }

    private:
        std::size_t slotOf(std::uint64_t key) const;
        std::int32_t head(std::uint64_t key) const;
        qsizetype m_q;
        struct Slot {
            std::uint64_t key;
            std::int32_t head; // -1: empty
        };
        std::vector<Slot> m_slots;
        std::vector<std::int32_t> m_entry;
        std::vector<std::int32_t> m_next;
        int m_shift = 64;
    };

    QHash<QString, int> m_byTitle;            // highest index of each title
    QHash<LookupHandle, int> m_byHandle;      // highest index of each handle
    std::vector<std::vector<int>> m_byLength; // entries by title length, ascending
    Pieces m_shortPieces;
    Pieces m_longPieces;
};
