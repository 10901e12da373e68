#pragma once

#include "tasks/recognition.h"
#include "tasks/task_controls.h"

class TaskListModel;

// The option controls' reactions and the lookups with the options read at the moment of the call.
class RecognitionHandlers {
public:
    RecognitionHandlers(const RecognitionControls& controls, const RecognitionSettings& settings)
        : m_controls(controls), m_settings(settings) {}

    const RecognitionSettings& settings() const { return m_settings; }
    RecognitionOptions options() const { return recognitionOptions(m_settings); }

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
    const RecognitionSettings& m_settings;
};
