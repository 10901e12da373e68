#pragma once

#include "core/task_list.h"

#include <QString>
#include <QStringView>

// The comparisons of the list commands.

// Whether some entry is the same task: the same window (0 is no window, so it never counts) or an
// equal title, case counting.
bool containsSameTask(const TaskList& list, const TaskEntry& task);

// The "Find Next" search of the visible lists. Only the 26 basic Latin letters are folded, so an
// accented capital never finds its small form; this keeps the search independent of the locale.

// The text with a to z turned into A to Z and every other character kept.
QString asciiUpperCase(QStringView text);

// Whether the search text occurs in the title with basic Latin letters folded; an empty search
// text matches nothing.
bool searchMatches(QStringView title, QStringView text);

// The first match after `current` to the end of the list, else the first from the top down to
// `current` itself; the whole list from the top when `current` is -1. -1 when nothing matches.
int findNextMatch(const TaskList& list, QStringView text, int current);
