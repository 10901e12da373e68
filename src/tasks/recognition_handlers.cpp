#include "tasks/recognition_handlers.h"

#include "core/digits_to_int.h"
#include "widgets/spin_edit.h"
#include "widgets/task_list_view.h"

#include <QCheckBox>
#include <QRadioButton>
#include <algorithm>
#include <limits>

RecognitionOptions readRecognitionOptions(const RecognitionControls& controls) {
    RecognitionOptions o;
    o.cleverProcessing = controls.CheckBox4->isChecked();
    o.percentMode = controls.RadioButton6->isChecked();
    o.runLength = OptionNumber::fromText(controls.SpinEdit7->text());
    o.lengthFilter = controls.CheckBox6->isChecked();
    const QString minimumText = controls.SpinEdit8->text();
    o.minimumLengthFilter = controls.CheckBox7->isChecked() && !minimumText.isEmpty();
    o.minimumLength = OptionNumber::fromText(minimumText);
    o.changeByHandle = controls.CheckBox9->isChecked();
    o.limitNameLength = controls.CheckBox8->isChecked();
    o.nameLengthLimit = OptionNumber::fromText(controls.SpinEdit9->text());
    return o;
}

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

void RecognitionHandlers::CheckBox5Click() {
    if (!m_controls.CheckBox5->isEnabled())
        return;
    const bool on = m_controls.CheckBox5->isChecked();
    m_controls.CheckBox6->setEnabled(on);
    m_controls.CheckBox7->setEnabled(on);
    m_controls.SpinEdit8->setEnabled(on);
}

// The order of steps matters: while minimum and maximum are equal the spin edit takes the value
// unclamped, which is what lets 6 become 60 and 60 become 6.
void RecognitionHandlers::RadioButton6Click() {
    SpinEdit& spin = *m_controls.SpinEdit7;
    if (spin.maximum() != 10)
        return;
    spin.setRange(spin.minimum() * 10, spin.maximum());
    // Saturate rather than wrap when the typed digits are too large to be multiplied.
    const std::int64_t scaled = std::int64_t(DigitsToInt(spin.text())) * 10;
    spin.setValue(static_cast<int>(std::min<std::int64_t>(scaled, std::numeric_limits<int>::max())));
    spin.setRange(spin.minimum(), spin.maximum() * 10);
}

void RecognitionHandlers::RadioButton7Click() {
    SpinEdit& spin = *m_controls.SpinEdit7;
    if (spin.maximum() != 100)
        return;
    spin.setRange(spin.minimum() / 10, spin.maximum());
    spin.setValue(DigitsToInt(spin.text()) / 10);
    spin.setRange(spin.minimum(), spin.maximum() / 10);
}

void RecognitionHandlers::CheckBox27Click() {
    const bool sorted = m_controls.CheckBox27->isChecked();
    for (TaskListView* view : {m_controls.ListBox1, m_controls.ListBox2, m_controls.ListBox3})
        view->taskModel().setSorted(sorted);
}
