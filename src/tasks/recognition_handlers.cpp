#include "tasks/recognition_handlers.h"

#include "core/digits_to_int.h"
#include "widgets/spin_edit.h"
#include "widgets/task_list_view.h"

#include <QCheckBox>
#include <algorithm>
#include <limits>

int RecognitionHandlers::FindTask(const TaskList& list, QStringView name, LookupHandle handle) const {
    return ::FindTask(list, name, handle, options());
}

bool RecognitionHandlers::AddTaskIfAbsent(TaskList& list, const QString& name, platform::WindowHandle handle) const {
    return ::AddTaskIfAbsent(list, name, handle, options());
}

bool RecognitionHandlers::AddTaskIfAbsent(TaskListModel& list, const QString& name,
                                          platform::WindowHandle handle) const {
    return ::AddTaskIfAbsent(list, name, handle, options());
}

void RecognitionHandlers::onSmartRecognitionToggled() {
    if (!m_controls.smartRecognitionCheck->isEnabled())
        return;
    const bool on = m_controls.smartRecognitionCheck->isChecked();
    m_controls.filterTextLengthCheck->setEnabled(on);
    m_controls.spareShortNamesCheck->setEnabled(on);
    m_controls.shortNameLengthSpin->setEnabled(on);
}

// The order of steps matters: while minimum and maximum are equal the spin edit takes the value
// unclamped, which is what lets 6 become 60 and 60 become 6.
void RecognitionHandlers::onTolerancePercentToggled() {
    SpinEdit& spin = *m_controls.smartToleranceSpin;
    if (spin.maximum() != 10)
        return;
    spin.setRange(spin.minimum() * 10, spin.maximum());
    // Saturate rather than wrap when the typed digits are too large to be multiplied.
    const std::int64_t scaled = std::int64_t(DigitsToInt(spin.text())) * 10;
    spin.setValue(static_cast<int>(std::min<std::int64_t>(scaled, std::numeric_limits<int>::max())));
    spin.setRange(spin.minimum(), spin.maximum() * 10);
}

void RecognitionHandlers::onToleranceTotalToggled() {
    SpinEdit& spin = *m_controls.smartToleranceSpin;
    if (spin.maximum() != 100)
        return;
    spin.setRange(spin.minimum() / 10, spin.maximum());
    spin.setValue(DigitsToInt(spin.text()) / 10);
    spin.setRange(spin.minimum(), spin.maximum() / 10);
}

void RecognitionHandlers::onSortedListsToggled() {
    const bool sorted = m_settings.sortedLists;
    for (TaskListView* view : {m_controls.allTasksView, m_controls.safeListView, m_controls.killListView})
        view->taskModel().setSorted(sorted);
}
