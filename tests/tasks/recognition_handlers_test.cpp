#include "tasks/recognition_handlers.h"

#include "widgets/spin_edit.h"
#include "widgets/task_list_view.h"

#include <QCheckBox>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// The "Task Management Options" as they are at start: the settings, the controls the reactions set
// and the three visible lists.
struct OptionsForm {
    QWidget window;
    RecognitionControls form;
    RecognitionSettings settings;

    OptionsForm() {
        auto check = [this](bool checked) {
            auto* box = new QCheckBox(&window);
            box->setChecked(checked);
            return box;
        };
        auto spin = [this](int minimum, int maximum, int value) {
            auto* edit = new SpinEdit(&window);
            edit->setRange(minimum, maximum);
            edit->setValue(value);
            return edit;
        };
        form.smartRecognitionCheck = check(true);
        form.filterTextLengthCheck = check(false);
        form.spareShortNamesCheck = check(true);
        form.smartToleranceSpin = spin(1, 10, 6);
        form.shortNameLengthSpin = spin(2, 9, 3);
        form.shortNameLengthSpin->setEnabled(false);
        form.allTasksView = new TaskListView(false, &window);
        form.safeListView = new TaskListView(true, &window);
        form.killListView = new TaskListView(true, &window);
    }
};

QStringList titles(const TaskListView* view) {
    QStringList out;
    for (const TaskEntry& e : view->taskModel().tasks())
        out << e.title;
    return out;
}

} // namespace

TEST(RecognitionHandlers, OptionsAreReadFromTheSettingsAtEachCall) {
    OptionsForm f;
    RecognitionHandlers h(f.form, f.settings);
    RecognitionOptions o = h.options();
    EXPECT_TRUE(o.cleverProcessing);
    EXPECT_FALSE(o.percentMode);
    EXPECT_EQ(o.runLength.value(), 6);
    EXPECT_FALSE(o.lengthFilter);
    EXPECT_TRUE(o.minimumLengthFilter); // a minimum length greyed out in the tab still counts
    EXPECT_EQ(o.minimumLength.value(), 3);
    EXPECT_TRUE(o.changeByHandle);
    EXPECT_FALSE(o.limitNameLength);
    EXPECT_EQ(o.nameLengthLimit.value(), 32);

    f.settings.percentMode = true;
    f.settings.toleranceText = "4x5";
    f.settings.shortNameLengthText = "";
    f.settings.cleverProcessing = false;
    f.settings.nameLengthLimitText = "99999999999";
    o = h.options();
    EXPECT_TRUE(o.percentMode);
    EXPECT_EQ(o.runLength.value(), 45);
    EXPECT_FALSE(o.minimumLengthFilter); // empty text: no minimum-length filter
    EXPECT_FALSE(o.cleverProcessing);
    EXPECT_THROW(o.nameLengthLimit.value(), TorvaneError);

    // A lookup sees a change made after the handlers were built.
    const TaskList list = {{"Untitled - Notepad", 3}};
    EXPECT_EQ(h.FindTask(list, u"report.txt - Notepad", 9), -1);
    f.settings.cleverProcessing = true;
    f.settings.percentMode = false;
    f.settings.toleranceText = "6";
    EXPECT_EQ(h.FindTask(list, u"report.txt - Notepad", 9), 0);
}

TEST(RecognitionHandlers, RunLengthFollowsTheMode) {
    OptionsForm f;
    RecognitionHandlers h(f.form, f.settings);
    SpinEdit& spin = *f.form.smartToleranceSpin;
    const struct {
        void (RecognitionHandlers::*click)();
        QString text;
        int minimum;
        int maximum;
    } steps[] = {
        {&RecognitionHandlers::onTolerancePercentToggled, "60", 10, 100},
        {&RecognitionHandlers::onTolerancePercentToggled, "60", 10, 100}, // a second time changes nothing
        {&RecognitionHandlers::onToleranceTotalToggled, "6", 1, 10},
        {&RecognitionHandlers::onToleranceTotalToggled, "6", 1, 10},
    };
    for (const auto& s : steps) {
        (h.*s.click)();
        EXPECT_EQ(spin.text(), s.text);
        EXPECT_EQ(spin.minimum(), s.minimum);
        EXPECT_EQ(spin.maximum(), s.maximum);
    }
    // 5 % becomes 1 character: the whole division gives 0, which the range lifts to 1.
    h.onTolerancePercentToggled();
    spin.setText("5");
    h.onToleranceTotalToggled();
    EXPECT_EQ(spin.text(), QStringLiteral("1"));
    // 10 characters typed above the range still become 100 %.
    spin.setText("12");
    h.onTolerancePercentToggled();
    EXPECT_EQ(spin.text(), QStringLiteral("120"));
    h.onToleranceTotalToggled();
    EXPECT_EQ(spin.text(), QStringLiteral("12"));
}

TEST(RecognitionHandlers, SmartTextRecognitionEnablesItsFilters) {
    OptionsForm f;
    RecognitionHandlers h(f.form, f.settings);
    f.form.smartRecognitionCheck->setChecked(false);
    h.onSmartRecognitionToggled();
    EXPECT_FALSE(f.form.filterTextLengthCheck->isEnabled());
    EXPECT_FALSE(f.form.spareShortNamesCheck->isEnabled());
    EXPECT_FALSE(f.form.shortNameLengthSpin->isEnabled());
    f.form.smartRecognitionCheck->setChecked(true);
    h.onSmartRecognitionToggled();
    EXPECT_TRUE(f.form.filterTextLengthCheck->isEnabled());
    EXPECT_TRUE(f.form.spareShortNamesCheck->isEnabled());
    EXPECT_TRUE(f.form.shortNameLengthSpin->isEnabled());
    // A disabled smartRecognitionCheck leaves the others alone.
    f.form.smartRecognitionCheck->setEnabled(false);
    f.form.smartRecognitionCheck->setChecked(false);
    h.onSmartRecognitionToggled();
    EXPECT_TRUE(f.form.filterTextLengthCheck->isEnabled());
}

TEST(RecognitionHandlers, SortedListsSortCaseInsensitivelyAndKeepOrderWhenSwitchedOff) {
    OptionsForm f;
    RecognitionHandlers h(f.form, f.settings);
    for (TaskListView* view : {f.form.allTasksView, f.form.safeListView, f.form.killListView})
        view->taskModel().setTasks({{"beta", 1}, {"Alpha", 2}, {"gamma", 3}});

    f.settings.sortedLists = true;
    h.onSortedListsToggled();
    for (TaskListView* view : {f.form.allTasksView, f.form.safeListView, f.form.killListView})
        EXPECT_EQ(titles(view), (QStringList{"Alpha", "beta", "gamma"}));

    // A new entry goes to its sorted place.
    EXPECT_TRUE(h.AddTaskIfAbsent(f.form.safeListView->taskModel(), "Delta", 4));
    EXPECT_EQ(titles(f.form.safeListView), (QStringList{"Alpha", "beta", "Delta", "gamma"}));

    f.settings.sortedLists = false;
    h.onSortedListsToggled();
    EXPECT_EQ(titles(f.form.safeListView), (QStringList{"Alpha", "beta", "Delta", "gamma"}));
    EXPECT_TRUE(h.AddTaskIfAbsent(f.form.safeListView->taskModel(), "Aardvark", 5));
    EXPECT_EQ(titles(f.form.safeListView).last(), QStringLiteral("Aardvark"));
}
