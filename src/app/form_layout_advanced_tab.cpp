#include "app/form_layout.h"
#include "app/main_form.h"
#include "widgets/form_builder.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace form;

namespace {

void buildTaskManagementOptions(MainForm& f, QGroupBox* box) {
    f.CheckBox5 = checkBox(box, "CheckBox5", QStringLiteral("Smart Text Recognition"), true);
    f.SpinEdit7 = spinEdit(box, "SpinEdit7", 1, 10, 6);
    f.RadioButton6 = radioButton(box, "RadioButton6", QStringLiteral("percent"), false);
    f.RadioButton7 = radioButton(box, "RadioButton7", QStringLiteral("total"), true);
    f.CheckBox6 = checkBox(box, "CheckBox6", QStringLiteral("Apply filter to text length"), false);
    f.CheckBox7 = checkBox(box, "CheckBox7", QStringLiteral("Do not apply filter to names smaller than"), true);
    f.SpinEdit8 = spinEdit(box, "SpinEdit8", 2, 9, 3);
    f.SpinEdit8->setEnabled(false);
    f.CheckBox9 = checkBox(box, "CheckBox9", QStringLiteral("Change according to windows handle"), true);
    f.CheckBox8 = checkBox(box, "CheckBox8", QStringLiteral("Limit task name length to"), false);
    f.SpinEdit9 = spinEdit(box, "SpinEdit9", 32, 1024, 32);
    f.CheckBox4 = checkBox(box, "CheckBox4", QStringLiteral("Clever processing (slower but cleverer)"), true);
    f.CheckBox26 = checkBox(box, "CheckBox26", QStringLiteral("Change same names to match each other"), false);
    f.CheckBox27 = checkBox(box, "CheckBox27", QStringLiteral("Sorted lists"), false);
    f.CheckBox25 =
        checkBox(box, "CheckBox25", QStringLiteral("Quickly process repeat last option (recommended)"), true);

    auto* v = new QVBoxLayout(box);
    v->addLayout(row({f.CheckBox5, f.SpinEdit7, f.RadioButton6, f.RadioButton7}));
    v->addWidget(f.CheckBox6);
    v->addLayout(row({f.CheckBox7, f.SpinEdit8, label(box, QStringLiteral("characters"))}));
    v->addWidget(f.CheckBox9);
    v->addLayout(row({f.CheckBox8, f.SpinEdit9, label(box, QStringLiteral("characters"))}));
    for (QWidget* w : {f.CheckBox4, f.CheckBox26, f.CheckBox27, f.CheckBox25})
        v->addWidget(w);
    v->addStretch(1);
}

void buildGeneralOptions(MainForm& f, QGroupBox* box) {
    f.Button34 = button(box, "Button34", QStringLiteral("Collapse to menu only (setting not kept on exit)"));
    f.CheckBox24 = checkBox(box, "CheckBox24", QStringLiteral("Keep settings on exit"), false);
    f.BitBtn5 = button(box, "BitBtn5", QStringLiteral("Move to Tray"));
    f.CheckBox2 = checkBox(box, "CheckBox2",
                           QStringLiteral("Display confirmation messages after Task Management Actions"), false);
    f.Button31 = button(box, "Button31", QStringLiteral("Disable the Temperature tag (speeds up Torvane)"));
    f.StartAtLogin = checkBox(box, "StartAtLogin", QStringLiteral("Start Torvane when I log in"), false);
    auto* v = new QVBoxLayout(box);
    v->addLayout(row({f.Button34}));
    v->addWidget(f.CheckBox24);
    v->addLayout(row({f.BitBtn5}));
    v->addWidget(f.CheckBox2);
    v->addLayout(row({f.Button31}));
    v->addWidget(f.StartAtLogin);
    v->addStretch(1);
}

} // namespace

void buildAdvancedTab(MainForm& f, QWidget* page) {
    auto* taskOptions = new QGroupBox(QStringLiteral("Task Management Options"), page);
    auto* general = new QGroupBox(QStringLiteral("General Options"), page);
    auto* silent = new QGroupBox(QStringLiteral("Silent Mode"), page);
    buildTaskManagementOptions(f, taskOptions);
    buildGeneralOptions(f, general);
    f.Button7 = button(silent, "Button7", QStringLiteral("Enable Silent Mode (not recommended)"));
    auto* silentLayout = new QVBoxLayout(silent);
    silentLayout->addLayout(row({f.Button7}));
    silentLayout->addStretch(1);

    auto* right = new QVBoxLayout;
    right->addWidget(general);
    right->addWidget(silent);
    right->addStretch(1);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(taskOptions, 1, Qt::AlignTop);
    layout->addLayout(right, 1);
}
