#pragma once

#include "core/task_list.h"
#include "tasks/recognition_options.h"

#include <QHash>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <unordered_map>
#include <vector>

// FindTask over one fixed task list without a pass over every entry per lookup. Exact titles and
// handles are hashed; for the resemblance stage the entries are grouped by title length (the run a
// pair must share depends only on the two lengths) and their q-unit pieces are indexed: a title
// that shares a run of at least q units with the name shares one of the name's q-unit pieces, so
// only titles holding such a piece are tested. Lengths whose required run is shorter than the
// smallest piece are tested one by one. Answers are FindTask's, exactly.
class TaskListIndex {
public:
    explicit TaskListIndex(const TaskList& list);

    // FindTask(list, name, handle, options) for the list the index was built from.
    int find(const TaskList& list, QStringView name, LookupHandle handle, const RecognitionOptions& options) const;

private:
    static constexpr qsizetype kShortPiece = 4;
    static constexpr qsizetype kLongPiece = 8;
    using Postings = std::unordered_map<std::uint64_t, std::vector<int>>;
    static std::uint64_t pieceKey(const char16_t* units, qsizetype q);
    static void indexPieces(Postings& postings, QStringView title, qsizetype q, int entry);

    QHash<QString, int> m_byTitle;            // highest index of each title
    QHash<LookupHandle, int> m_byHandle;      // highest index of each handle
    std::vector<std::vector<int>> m_byLength; // entries by title length, ascending
    Postings m_shortPieces;
    Postings m_longPieces;
};
