#include "app/form_layout.h"
#include "app/main_form.h"
#include "widgets/form_builder.h"
#include "widgets/spin_edit.h"
#include "widgets/task_list_view.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace form;

namespace {

// One list column: caption, list, and the search field with its "Find Next" button.
QVBoxLayout* listColumn(QWidget* page, const QString& caption, TaskListView* list, QLineEdit* search,
                        QPushButton* findNext, QPushButton* extra = nullptr) {
    auto* column = new QVBoxLayout;
    auto* title = label(page, caption);
    title->setBuddy(list);
    column->addWidget(title);
    column->addWidget(list, 1);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(search, 1);
    searchRow->addWidget(findNext);
    if (extra)
        searchRow->addWidget(extra);
    column->addLayout(searchRow);
    return column;
}

TaskListView* taskList(QWidget* page, const char* name, const QString& caption, bool multiSelect) {
    auto* list = new TaskListView(multiSelect, page);
    list->setObjectName(QLatin1String(name));
    list->setAccessibleName(caption);
    return list;
}

// An option panel, hidden until its button shows it.
QGroupBox* panel(QWidget* page, const char* name, const QString& caption) {
    auto* box = new QGroupBox(caption, page);
    box->setObjectName(QLatin1String(name));
    box->setVisible(false);
    return box;
}

} // namespace

void buildTaskTab(MainForm& f, QWidget* page) {
    f.ListBox1 = taskList(page, "ListBox1", QStringLiteral("All Task List"), false);
    f.ListBox2 = taskList(page, "ListBox2", QStringLiteral("Safe List"), true);
    f.ListBox3 = taskList(page, "ListBox3", QStringLiteral("Kill List"), true);
    f.Edit1 = edit(page, "Edit1");
    f.Edit2 = edit(page, "Edit2");
    f.Edit3 = edit(page, "Edit3");
    f.Button9 = button(page, "Button9", QStringLiteral("Find Next"));
    f.Button10 = button(page, "Button10", QStringLiteral("Find Next"));
    f.Button11 = button(page, "Button11", QStringLiteral("Find Next"));
    f.Button12 = button(page, "Button12", QStringLiteral("Show Hidden"));

    auto* lists = new QHBoxLayout;
    lists->addLayout(listColumn(page, QStringLiteral("All Task List"), f.ListBox1, f.Edit1, f.Button9, f.Button12), 1);
    lists->addLayout(listColumn(page, QStringLiteral("Safe List"), f.ListBox2, f.Edit2, f.Button10), 1);
    lists->addLayout(listColumn(page, QStringLiteral("Kill List"), f.ListBox3, f.Edit3, f.Button11), 1);

    f.BitBtn2 = button(page, "BitBtn2", QStringLiteral("Task management options"));
    f.Button6 = button(page, "Button6", QStringLiteral("Start Protection"));
    f.BitBtn3 = button(page, "BitBtn3", QStringLiteral("Protection Options"));
    f.BitBtn6 = button(page, "BitBtn6", QStringLiteral("Safe List options"));
    f.BitBtn7 = button(page, "BitBtn7", QStringLiteral("Kill List options"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {f.BitBtn2, f.Button6, f.BitBtn3, f.BitBtn6, f.BitBtn7})
        buttons->addWidget(b);
    buttons->addStretch(1);

    // Task management options.
    auto* box3 = panel(page, "ScrollBox3", QStringLiteral("Task management options"));
    f.ScrollBox3 = box3;
    f.Button8 = button(box3, "Button8", QStringLiteral("Refresh Tasks"));
    f.Button25 = button(box3, "Button25", QStringLiteral("Show Selected Task Memory"));
    f.Button1 = button(box3, "Button1", QStringLiteral("Kill Selected Task"));
    f.Button15 = button(box3, "Button15", QStringLiteral("Kill All Outside Safe List"));
    f.Button2 = button(box3, "Button2", QStringLiteral("Add to Safe List"));
    f.Button14 = button(box3, "Button14", QStringLiteral("Add all Displayed to Safe List"));
    f.Button3 = button(box3, "Button3", QStringLiteral("Add to Kill List"));
    f.Button20 = button(box3, "Button20", QStringLiteral("Treat all tasks as new ones"));
    f.Button20->setEnabled(false);
    auto* grid3 = new QGridLayout(box3);
    QPushButton* const order3[] = {f.Button8, f.Button25, f.Button1, f.Button15,
                                   f.Button2, f.Button14, f.Button3, f.Button20};
    for (int i = 0; i < 8; ++i)
        grid3->addWidget(order3[i], i / 2, i % 2);

    // Protection options.
    auto* box4 = panel(page, "ScrollBox4", QStringLiteral("Protection Options"));
    f.ScrollBox4 = box4;
    f.CheckBox10 = checkBox(box4, "CheckBox10", QStringLiteral("Warn if any task uses over"), true);
    f.SpinEdit10 = spinEdit(box4, "SpinEdit10", 0, 0, 55);
    f.CheckBox11 = checkBox(box4, "CheckBox11", QStringLiteral("Include Safe List items to this"), true);
    f.CheckBox1 = checkBox(box4, "CheckBox1", QStringLiteral("Treat Non-Hidden tasks as hidden"), false);
    auto* v4 = new QVBoxLayout(box4);
    auto* warnRow = new QHBoxLayout;
    warnRow->addWidget(f.CheckBox10);
    warnRow->addWidget(f.SpinEdit10);
    warnRow->addWidget(label(box4, QStringLiteral("memory Mega Bytes")));
    warnRow->addStretch(1);
    v4->addLayout(warnRow);
    v4->addWidget(f.CheckBox11);
    v4->addWidget(f.CheckBox1);

    // Safe List options.
    auto* box5 = panel(page, "ScrollBox5", QStringLiteral("Safe List options"));
    f.ScrollBox5 = box5;
    f.Button4 = button(box5, "Button4", QStringLiteral("Remove selected from Safe List"));
    f.Button35 = button(box5, "Button35", QStringLiteral("Un-select all"));
    f.Button32 = button(box5, "Button32", QStringLiteral("Clear Safe List"));
    auto* v5 = new QVBoxLayout(box5);
    for (QPushButton* b : {f.Button4, f.Button35, f.Button32})
        v5->addWidget(b);

    // Kill List options.
    auto* box6 = panel(page, "ScrollBox6", QStringLiteral("Kill List options"));
    f.ScrollBox6 = box6;
    f.Button5 = button(box6, "Button5", QStringLiteral("Remove selected from Kill List"));
    f.Button36 = button(box6, "Button36", QStringLiteral("Un-select all"));
    f.Button33 = button(box6, "Button33", QStringLiteral("Clear Kill List"));
    auto* v6 = new QVBoxLayout(box6);
    for (QPushButton* b : {f.Button5, f.Button36, f.Button33})
        v6->addWidget(b);

    auto* panels = new QHBoxLayout;
    for (QWidget* w : {f.ScrollBox3, f.ScrollBox4, f.ScrollBox5, f.ScrollBox6})
        panels->addWidget(w, 0, Qt::AlignTop);
    panels->addStretch(1);

    auto* page_layout = new QVBoxLayout(page);
    page_layout->addLayout(lists, 1);
    page_layout->addLayout(buttons);
    page_layout->addLayout(panels);
}
