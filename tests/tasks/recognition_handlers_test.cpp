#include "tasks/recognition_handlers.h"

#include "widgets/spin_edit.h"
#include "widgets/task_list_view.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// The "Task Management Options" controls as they are at start, plus the three visible lists.
struct OptionsForm {
    QWidget window;
    RecognitionControls form;
    QRadioButton* RadioButton7 = nullptr; // RadioButton6's partner: checking it clears RadioButton6

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
        form.CheckBox4 = check(true);
        form.CheckBox5 = check(true);
        form.CheckBox6 = check(false);
        form.CheckBox7 = check(true);
        form.CheckBox8 = check(false);
        form.CheckBox9 = check(true);
        form.CheckBox27 = check(false);
        form.SpinEdit7 = spin(1, 10, 6);
        form.SpinEdit8 = spin(2, 9, 3);
        form.SpinEdit8->setEnabled(false);
        form.SpinEdit9 = spin(32, 1024, 32);
        form.RadioButton6 = new QRadioButton(&window);
        RadioButton7 = new QRadioButton(&window);
        RadioButton7->setChecked(true);
        form.ListBox1 = new TaskListView(false, &window);
        form.ListBox2 = new TaskListView(true, &window);
        form.ListBox3 = new TaskListView(true, &window);
    }
};

QStringList titles(const TaskListView* view) {
    QStringList out;
    for (const TaskEntry& e : view->taskModel().tasks())
        out << e.title;
    return out;
}

} // namespace

TEST(RecognitionHandlers, OptionsAreReadFromTheControlsAtEachCall) {
    OptionsForm f;
    RecognitionHandlers h(f.form);
    RecognitionOptions o = h.options();
    EXPECT_TRUE(o.cleverProcessing);
    EXPECT_FALSE(o.percentMode);
    EXPECT_EQ(o.runLength.value(), 6);
    EXPECT_FALSE(o.lengthFilter);
    EXPECT_TRUE(o.minimumLengthFilter); // a disabled SpinEdit8 still counts
    EXPECT_EQ(o.minimumLength.value(), 3);
    EXPECT_TRUE(o.changeByHandle);
    EXPECT_FALSE(o.limitNameLength);
    EXPECT_EQ(o.nameLengthLimit.value(), 32);

    f.form.RadioButton6->setChecked(true);
    f.form.SpinEdit7->setText("4x5");
    f.form.SpinEdit8->setText("");
    f.form.CheckBox4->setChecked(false);
    f.form.SpinEdit9->setText("99999999999");
    o = h.options();
    EXPECT_TRUE(o.percentMode);
    EXPECT_EQ(o.runLength.value(), 45);
    EXPECT_FALSE(o.minimumLengthFilter); // empty text: no minimum-length filter
    EXPECT_FALSE(o.cleverProcessing);
    EXPECT_THROW(o.nameLengthLimit.value(), TorvaneError);

    // A lookup sees a change made after the handlers were built.
    const TaskList list = {{"Untitled - Notepad", 3}};
    EXPECT_EQ(h.FindTask(list, u"report.txt - Notepad", 9), -1);
    f.form.CheckBox4->setChecked(true);
    f.RadioButton7->setChecked(true);
    f.form.SpinEdit7->setText("6");
    EXPECT_EQ(h.FindTask(list, u"report.txt - Notepad", 9), 0);
}

TEST(RecognitionHandlers, RunLengthFollowsTheMode) {
    OptionsForm f;
    RecognitionHandlers h(f.form);
    SpinEdit& spin = *f.form.SpinEdit7;
    const struct {
        void (RecognitionHandlers::*click)();
        QString text;
        int minimum;
        int maximum;
    } steps[] = {
        {&RecognitionHandlers::RadioButton6Click, "60", 10, 100},
        {&RecognitionHandlers::RadioButton6Click, "60", 10, 100}, // a second time changes nothing
        {&RecognitionHandlers::RadioButton7Click, "6", 1, 10},
        {&RecognitionHandlers::RadioButton7Click, "6", 1, 10},
    };
    for (const auto& s : steps) {
        (h.*s.click)();
        EXPECT_EQ(spin.text(), s.text);
        EXPECT_EQ(spin.minimum(), s.minimum);
        EXPECT_EQ(spin.maximum(), s.maximum);
    }
    // 5 % becomes 1 character: the whole division gives 0, which the range lifts to 1.
    h.RadioButton6Click();
    spin.setText("5");
    h.RadioButton7Click();
    EXPECT_EQ(spin.text(), QStringLiteral("1"));
    // 10 characters typed above the range still become 100 %.
    spin.setText("12");
    h.RadioButton6Click();
    EXPECT_EQ(spin.text(), QStringLiteral("120"));
    h.RadioButton7Click();
    EXPECT_EQ(spin.text(), QStringLiteral("12"));
}

TEST(RecognitionHandlers, SmartTextRecognitionEnablesItsFilters) {
    OptionsForm f;
    RecognitionHandlers h(f.form);
    f.form.CheckBox5->setChecked(false);
    h.CheckBox5Click();
    EXPECT_FALSE(f.form.CheckBox6->isEnabled());
    EXPECT_FALSE(f.form.CheckBox7->isEnabled());
    EXPECT_FALSE(f.form.SpinEdit8->isEnabled());
    f.form.CheckBox5->setChecked(true);
    h.CheckBox5Click();
    EXPECT_TRUE(f.form.CheckBox6->isEnabled());
    EXPECT_TRUE(f.form.CheckBox7->isEnabled());
    EXPECT_TRUE(f.form.SpinEdit8->isEnabled());
    // A disabled CheckBox5 leaves the others alone.
    f.form.CheckBox5->setEnabled(false);
    f.form.CheckBox5->setChecked(false);
    h.CheckBox5Click();
    EXPECT_TRUE(f.form.CheckBox6->isEnabled());
}

TEST(RecognitionHandlers, SortedListsSortCaseInsensitivelyAndKeepOrderWhenSwitchedOff) {
    OptionsForm f;
    RecognitionHandlers h(f.form);
    for (TaskListView* view : {f.form.ListBox1, f.form.ListBox2, f.form.ListBox3})
        view->taskModel().setTasks({{"beta", 1}, {"Alpha", 2}, {"gamma", 3}});

    f.form.CheckBox27->setChecked(true);
    h.CheckBox27Click();
    for (TaskListView* view : {f.form.ListBox1, f.form.ListBox2, f.form.ListBox3})
        EXPECT_EQ(titles(view), (QStringList{"Alpha", "beta", "gamma"}));

    // A new entry goes to its sorted place.
    EXPECT_TRUE(h.AddTaskIfAbsent(f.form.ListBox2->taskModel(), "Delta", 4));
    EXPECT_EQ(titles(f.form.ListBox2), (QStringList{"Alpha", "beta", "Delta", "gamma"}));

    f.form.CheckBox27->setChecked(false);
    h.CheckBox27Click();
    EXPECT_EQ(titles(f.form.ListBox2), (QStringList{"Alpha", "beta", "Delta", "gamma"}));
    EXPECT_TRUE(h.AddTaskIfAbsent(f.form.ListBox2->taskModel(), "Aardvark", 5));
    EXPECT_EQ(titles(f.form.ListBox2).last(), QStringLiteral("Aardvark"));
}
