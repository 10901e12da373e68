#pragma once

#include "tasks/recognition.h"
#include "tasks/task_controls.h"

class TaskListModel;

// The options of name recognition as the controls show them now. Numbers go through DigitsToInt;
// a text that does not convert raises its error only where the number is used.
RecognitionOptions readRecognitionOptions(const RecognitionControls& controls);

// The option controls' reactions and the lookups with the options read at the moment of the call.
class RecognitionHandlers {
public:
    explicit RecognitionHandlers(const RecognitionControls& controls) : m_controls(controls) {}

    RecognitionOptions options() const { return readRecognitionOptions(m_controls); }

    int FindTask(const TaskList& list, QStringView name, LookupHandle handle) const;
    bool AddTaskIfAbsent(TaskList& list, const QString& name, platform::WindowHandle handle) const;
    // A visible list: an added entry goes to its sorted place while the list is sorted.
    bool AddTaskIfAbsent(TaskListModel& list, const QString& name, platform::WindowHandle handle) const;

    void onSmartRecognitionToggled();
    void onTolerancePercentToggled();
    void onToleranceTotalToggled();
    void onSortedListsToggled();

private:
    RecognitionControls m_controls;
};
