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
    f.allTasksView = taskList(page, "allTasksView", QStringLiteral("All Task List"), false);
    f.safeListView = taskList(page, "safeListView", QStringLiteral("Safe List"), true);
    f.killListView = taskList(page, "killListView", QStringLiteral("Kill List"), true);
    f.allTasksFindEdit = edit(page, "allTasksFindEdit");
    f.safeListFindEdit = edit(page, "safeListFindEdit");
    f.killListFindEdit = edit(page, "killListFindEdit");
    f.allTasksFindNextButton = button(page, "allTasksFindNextButton", QStringLiteral("Find Next"));
    f.safeListFindNextButton = button(page, "safeListFindNextButton", QStringLiteral("Find Next"));
    f.killListFindNextButton = button(page, "killListFindNextButton", QStringLiteral("Find Next"));
    f.showHiddenButton = button(page, "showHiddenButton", QStringLiteral("Show Hidden"));

    auto* lists = new QHBoxLayout;
    lists->addLayout(listColumn(page, QStringLiteral("All Task List"), f.allTasksView, f.allTasksFindEdit,
                                f.allTasksFindNextButton, f.showHiddenButton),
                     1);
    lists->addLayout(
        listColumn(page, QStringLiteral("Safe List"), f.safeListView, f.safeListFindEdit, f.safeListFindNextButton), 1);
    lists->addLayout(
        listColumn(page, QStringLiteral("Kill List"), f.killListView, f.killListFindEdit, f.killListFindNextButton), 1);

    f.taskManagementPanelButton = button(page, "taskManagementPanelButton", QStringLiteral("Task management options"));
    f.protectionButton = button(page, "protectionButton", QStringLiteral("Start Protection"));
    f.protectionPanelButton = button(page, "protectionPanelButton", QStringLiteral("Protection Options"));
    f.safeListPanelButton = button(page, "safeListPanelButton", QStringLiteral("Safe List options"));
    f.killListPanelButton = button(page, "killListPanelButton", QStringLiteral("Kill List options"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {f.taskManagementPanelButton, f.protectionButton, f.protectionPanelButton,
                           f.safeListPanelButton, f.killListPanelButton})
        buttons->addWidget(b);
    buttons->addStretch(1);

    // Task management options.
    auto* taskPanel = panel(page, "taskManagementPanel", QStringLiteral("Task management options"));
    f.taskManagementPanel = taskPanel;
    f.refreshTasksButton = button(taskPanel, "refreshTasksButton", QStringLiteral("Refresh Tasks"));
    f.showSelectedMemoryButton =
        button(taskPanel, "showSelectedMemoryButton", QStringLiteral("Show Selected Task Memory"));
    f.killSelectedButton = button(taskPanel, "killSelectedButton", QStringLiteral("Kill Selected Task"));
    f.killAllOutsideSafeListButton =
        button(taskPanel, "killAllOutsideSafeListButton", QStringLiteral("Kill All Outside Safe List"));
    f.addToSafeListButton = button(taskPanel, "addToSafeListButton", QStringLiteral("Add to Safe List"));
    f.addAllToSafeListButton =
        button(taskPanel, "addAllToSafeListButton", QStringLiteral("Add all Displayed to Safe List"));
    f.addToKillListButton = button(taskPanel, "addToKillListButton", QStringLiteral("Add to Kill List"));
    f.treatAllAsNewButton = button(taskPanel, "treatAllAsNewButton", QStringLiteral("Treat all tasks as new ones"));
    f.treatAllAsNewButton->setEnabled(false);
    auto* grid3 = new QGridLayout(taskPanel);
    QPushButton* const order3[] = {f.refreshTasksButton,           f.showSelectedMemoryButton, f.killSelectedButton,
                                   f.killAllOutsideSafeListButton, f.addToSafeListButton,      f.addAllToSafeListButton,
                                   f.addToKillListButton,          f.treatAllAsNewButton};
    for (int i = 0; i < 8; ++i)
        grid3->addWidget(order3[i], i / 2, i % 2);

    // Protection options.
    auto* protectionBox = panel(page, "protectionPanel", QStringLiteral("Protection Options"));
    f.protectionPanel = protectionBox;
    f.memoryWarningCheck =
        checkBox(protectionBox, "memoryWarningCheck", QStringLiteral("Warn if any task uses over"), true);
    f.memoryWarningSpin = spinEdit(protectionBox, "memoryWarningSpin", 0, 0, 55);
    f.warnSafeListToCheck =
        checkBox(protectionBox, "warnSafeListToCheck", QStringLiteral("Include Safe List items to this"), true);
    f.treatShownAsHiddenCheck =
        checkBox(protectionBox, "treatShownAsHiddenCheck", QStringLiteral("Treat Non-Hidden tasks as hidden"), false);
    auto* v4 = new QVBoxLayout(protectionBox);
    auto* warnRow = new QHBoxLayout;
    warnRow->addWidget(f.memoryWarningCheck);
    warnRow->addWidget(f.memoryWarningSpin);
    warnRow->addWidget(label(protectionBox, QStringLiteral("memory Mega Bytes")));
    warnRow->addStretch(1);
    v4->addLayout(warnRow);
    v4->addWidget(f.warnSafeListToCheck);
    v4->addWidget(f.treatShownAsHiddenCheck);

    // Safe List options.
    auto* safeListBox = panel(page, "safeListPanel", QStringLiteral("Safe List options"));
    f.safeListPanel = safeListBox;
    f.removeFromSafeListButton =
        button(safeListBox, "removeFromSafeListButton", QStringLiteral("Remove selected from Safe List"));
    f.safeListUnselectButton = button(safeListBox, "safeListUnselectButton", QStringLiteral("Un-select all"));
    f.clearSafeListButton = button(safeListBox, "clearSafeListButton", QStringLiteral("Clear Safe List"));
    auto* v5 = new QVBoxLayout(safeListBox);
    for (QPushButton* b : {f.removeFromSafeListButton, f.safeListUnselectButton, f.clearSafeListButton})
        v5->addWidget(b);

    // Kill List options.
    auto* killListBox = panel(page, "killListPanel", QStringLiteral("Kill List options"));
    f.killListPanel = killListBox;
    f.removeFromKillListButton =
        button(killListBox, "removeFromKillListButton", QStringLiteral("Remove selected from Kill List"));
    f.killListUnselectButton = button(killListBox, "killListUnselectButton", QStringLiteral("Un-select all"));
    f.clearKillListButton = button(killListBox, "clearKillListButton", QStringLiteral("Clear Kill List"));
    auto* v6 = new QVBoxLayout(killListBox);
    for (QPushButton* b : {f.removeFromKillListButton, f.killListUnselectButton, f.clearKillListButton})
        v6->addWidget(b);

    auto* panels = new QHBoxLayout;
    for (QWidget* w : {f.taskManagementPanel, f.protectionPanel, f.safeListPanel, f.killListPanel})
        panels->addWidget(w, 0, Qt::AlignTop);
    panels->addStretch(1);

    auto* page_layout = new QVBoxLayout(page);
    page_layout->addLayout(lists, 1);
    page_layout->addLayout(buttons);
    page_layout->addLayout(panels);
}
