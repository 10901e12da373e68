#include "app/form_slices.h"

RecognitionControls recognitionControls(const MainForm& f) {
    return {.CheckBox4 = f.CheckBox4,
            .CheckBox5 = f.CheckBox5,
            .CheckBox6 = f.CheckBox6,
            .CheckBox7 = f.CheckBox7,
            .CheckBox8 = f.CheckBox8,
            .CheckBox9 = f.CheckBox9,
            .CheckBox27 = f.CheckBox27,
            .RadioButton6 = f.RadioButton6,
            .SpinEdit7 = f.SpinEdit7,
            .SpinEdit8 = f.SpinEdit8,
            .SpinEdit9 = f.SpinEdit9,
            .ListBox1 = f.ListBox1,
            .ListBox2 = f.ListBox2,
            .ListBox3 = f.ListBox3};
}

TaskListControls taskListControls(const MainForm& f) {
    return {.ListBox1 = f.ListBox1,
            .ShowHiddenTasks = f.ShowHiddenTasks,
            .TreatAsHidden1 = f.TreatAsHidden1,
            .CheckBox1 = f.CheckBox1,
            .Button12 = f.Button12};
}

TaskActionControls taskActionControls(const MainForm& f) {
    return {.ListBox1 = f.ListBox1, .ListBox2 = f.ListBox2};
}

ProtectionControls protectionControls(const MainForm& f) {
    return {.Torvane = f.Torvane,
            .ListBox2 = f.ListBox2,
            .ListBox3 = f.ListBox3,
            .Button6 = f.Button6,
            .Button20 = f.Button20,
            .CheckBox1 = f.CheckBox1,
            .CheckBox8 = f.CheckBox8,
            .CheckBox9 = f.CheckBox9,
            .CheckBox10 = f.CheckBox10,
            .CheckBox11 = f.CheckBox11,
            .CheckBox25 = f.CheckBox25,
            .CheckBox26 = f.CheckBox26,
            .SpinEdit9 = f.SpinEdit9,
            .SpinEdit10 = f.SpinEdit10,
            .KillHiddenNewTasks1 = f.KillHiddenNewTasks1,
            .KillNewTasks1 = f.KillNewTasks1,
            .WarnIfTaskUsesOver1 = f.WarnIfTaskUsesOver1,
            .TempGetTimer = f.TempGetTimer,
            .SilentMode1 = f.SilentMode1};
}

ListCommandControls listCommandControls(const MainForm& f) {
    return {.ListBox1 = f.ListBox1,
            .ListBox2 = f.ListBox2,
            .ListBox3 = f.ListBox3,
            .Edit1 = f.Edit1,
            .Edit2 = f.Edit2,
            .Edit3 = f.Edit3,
            .ShowHiddenTasks = f.ShowHiddenTasks};
}

ListFileControls listFileControls(const MainForm& f) {
    return {.Torvane = f.Torvane, .ListBox2 = f.ListBox2, .ListBox3 = f.ListBox3};
}

TemperatureMenuControls temperatureMenuControls(const MainForm& f) {
    return {.ListBox3 = f.ListBox3,
            .IfBiggestTemperatureOver1 = f.IfBiggestTemperatureOver1,
            .StartWithCoreTemp1 = f.StartWithCoreTemp1,
            .askRelatedTemperatureChanges1 = f.askRelatedTemperatureChanges1,
            .StoptaskProtection1 = f.StoptaskProtection1};
}
