#pragma once
// Name recognition written step by step as the program describes it, with no shortcut beyond
// leaving a step at its first match. Tests and benchmarks compare the real one against it.

#include "core/task_list.h"
#include "tasks/recognition_options.h"

#include <QString>
#include <cstdint>

namespace literal {

QString SubText(const QString& s, std::int64_t from, std::int64_t to);
QString LimitNameLength(const QString& s, std::int64_t n);
int FindTaskByName(const TaskList& list, const QString& name);
int FindTaskByHandle(const TaskList& list, LookupHandle handle);
bool ResembleByCount(const QString& x, const QString& y, std::int64_t a, const RecognitionOptions& options);
bool ResembleByPercent(const QString& x, const QString& y, std::int64_t p, const RecognitionOptions& options);
bool NamesResemble(const QString& x, const QString& y, const RecognitionOptions& options);
int FindTask(const TaskList& list, const QString& name, LookupHandle handle, const RecognitionOptions& options);
bool AddTaskIfAbsent(TaskList& list, const QString& name, platform::WindowHandle handle,
                     const RecognitionOptions& options);

} // namespace literal
