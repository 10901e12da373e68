#pragma once

#include "core/task_list.h"
#include "core/task_list_model.h"
#include "tasks/recognition_options.h"

#include <QString>
#include <QStringView>
#include <cstdint>

// Whether a task name is already in a task list: by exact title, by window handle, or by a
// resemblance between titles. Texts are compared as UTF-16 code units, case-sensitively; an
// undecodable character (U+FFFD) matches nothing, so a title holding one is found by handle only.

// Characters `from` to `to` of s, both included, counted from 1; empty when to < from. Positions
// outside the text are clipped to it.
QString SubText(QStringView s, qsizetype from, qsizetype to);

// s itself when it has at most n characters, otherwise its first n (none when n <= 0).
QString LimitNameLength(const QString& s, std::int64_t n);

// The highest index whose title equals the name exactly, or -1 (always for a name with U+FFFD).
int FindTaskByName(const TaskList& list, QStringView name);
// The highest index whose handle equals the handle, or -1.
int FindTaskByHandle(const TaskList& list, platform::WindowHandle handle);

// "total" mode: x and y resemble when one contains the other or they share a run of at least
// a + 1 characters, unless a length filter rules the pair out.
bool ResembleByCount(QStringView x, QStringView y, std::int64_t a, const RecognitionOptions& options);
// "percent" mode: x and y resemble when they share a run longer than p % of the length of x or
// of y, unless a length filter rules the pair out. There is no containment test in this mode.
bool ResembleByPercent(QStringView x, QStringView y, std::int64_t p, const RecognitionOptions& options);
// x is a list entry's title, y the name looked up; the mode and run length come from the options.
bool NamesResemble(QStringView x, QStringView y, const RecognitionOptions& options);

// The index of the task in the list or -1: exact title first, then the handle, then resemblance;
// in each stage the highest matching index. Handle 0 means exact title only; kNoHandleMarker skips
// the handle stage but keeps resemblance.
int FindTask(const TaskList& list, QStringView name, LookupHandle handle, const RecognitionOptions& options);

// Appends (name, handle) unless FindTask finds the name (with the marker in place of the handle).
// Returns whether it was appended.
// The same for a visible list, whose model puts the entry in its sorted place when sorted.
bool AddTaskIfAbsent(TaskListModel& list, const QString& name, platform::WindowHandle handle,
                     const RecognitionOptions& options);
bool AddTaskIfAbsent(TaskList& list, const QString& name, platform::WindowHandle handle,
                     const RecognitionOptions& options);
