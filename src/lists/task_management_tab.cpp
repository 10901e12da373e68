#include "lists/task_management_tab.h"

#include "core/message_policy.h"
#include "lists/list_commands.h"
#include "tasks/protection.h"
#include "tasks/task_actions.h"
#include "tasks/task_list_controller.h"
#include "widgets/form_builder.h"
#include "widgets/guarded_connect.h"
#include "widgets/option_binding.h"
#include "widgets/spin_edit.h"
#include "widgets/task_list_view.h"

#include <QAction>
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

TaskManagementTab::TaskManagementTab(MessagePolicy& policy, const TaskMenuItems& menu, QWidget* parent)
    : QWidget(parent), m_policy(policy), m_menu(menu) {
    bind::checked(menu.protectionAction, m_protection.protectionOn);
    bind::checked(menu.showHiddenTasksAction, m_taskList.showHiddenTasks);
    QLayout* lists = createLists();
    QLayout* buttons = createPanelButtons();
    auto* panels = new QHBoxLayout;
    for (QWidget* w :
         {createTaskManagementPanel(), createProtectionPanel(), createSafeListPanel(), createKillListPanel()})
        panels->addWidget(w, 0, Qt::AlignTop);
    panels->addStretch(1);

    auto* page = new QVBoxLayout(this);
    page->addLayout(lists, 1);
    page->addLayout(buttons);
    page->addLayout(panels);
}

QLayout* TaskManagementTab::createLists() {
    auto& c = m_controls;
    c.allTasksView = taskList(this, "allTasksView", QStringLiteral("All Task List"), false);
    c.safeListView = taskList(this, "safeListView", QStringLiteral("Safe List"), true);
    c.killListView = taskList(this, "killListView", QStringLiteral("Kill List"), true);
    c.allTasksFindEdit = edit(this, "allTasksFindEdit");
    bind::text(c.allTasksFindEdit, m_search.allTasks);
    c.safeListFindEdit = edit(this, "safeListFindEdit");
    bind::text(c.safeListFindEdit, m_search.safeList);
    c.killListFindEdit = edit(this, "killListFindEdit");
    bind::text(c.killListFindEdit, m_search.killList);
    c.allTasksFindNextButton = button(this, "allTasksFindNextButton", QStringLiteral("Find Next"));
    c.safeListFindNextButton = button(this, "safeListFindNextButton", QStringLiteral("Find Next"));
    c.killListFindNextButton = button(this, "killListFindNextButton", QStringLiteral("Find Next"));
    c.showHiddenButton = button(this, "showHiddenButton", QStringLiteral("Show Hidden"));

    auto* lists = new QHBoxLayout;
    lists->addLayout(listColumn(this, QStringLiteral("All Task List"), c.allTasksView, c.allTasksFindEdit,
                                c.allTasksFindNextButton, c.showHiddenButton),
                     1);
    lists->addLayout(
        listColumn(this, QStringLiteral("Safe List"), c.safeListView, c.safeListFindEdit, c.safeListFindNextButton), 1);
    lists->addLayout(
        listColumn(this, QStringLiteral("Kill List"), c.killListView, c.killListFindEdit, c.killListFindNextButton), 1);
    return lists;
}

QLayout* TaskManagementTab::createPanelButtons() {
    auto& c = m_controls;
    c.taskManagementPanelButton = button(this, "taskManagementPanelButton", QStringLiteral("Task management options"));
    c.protectionButton = button(this, "protectionButton", QStringLiteral("Start Protection"));
    c.protectionPanelButton = button(this, "protectionPanelButton", QStringLiteral("Protection Options"));
    c.safeListPanelButton = button(this, "safeListPanelButton", QStringLiteral("Safe List options"));
    c.killListPanelButton = button(this, "killListPanelButton", QStringLiteral("Kill List options"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {c.taskManagementPanelButton, c.protectionButton, c.protectionPanelButton,
                           c.safeListPanelButton, c.killListPanelButton})
        buttons->addWidget(b);
    buttons->addStretch(1);
    return buttons;
}

QWidget* TaskManagementTab::createTaskManagementPanel() {
    auto& c = m_controls;
    auto* box = panel(this, "taskManagementPanel", QStringLiteral("Task management options"));
    c.taskManagementPanel = box;
    c.refreshTasksButton = button(box, "refreshTasksButton", QStringLiteral("Refresh Tasks"));
    c.showSelectedMemoryButton = button(box, "showSelectedMemoryButton", QStringLiteral("Show Selected Task Memory"));
    c.killSelectedButton = button(box, "killSelectedButton", QStringLiteral("Kill Selected Task"));
    c.killAllOutsideSafeListButton =
        button(box, "killAllOutsideSafeListButton", QStringLiteral("Kill All Outside Safe List"));
    c.addToSafeListButton = button(box, "addToSafeListButton", QStringLiteral("Add to Safe List"));
    c.addAllToSafeListButton = button(box, "addAllToSafeListButton", QStringLiteral("Add all Displayed to Safe List"));
    c.addToKillListButton = button(box, "addToKillListButton", QStringLiteral("Add to Kill List"));
    c.treatAllAsNewButton = button(box, "treatAllAsNewButton", QStringLiteral("Treat all tasks as new ones"));
    c.treatAllAsNewButton->setEnabled(false);
    auto* grid = new QGridLayout(box);
    QPushButton* const order[] = {c.refreshTasksButton,           c.showSelectedMemoryButton, c.killSelectedButton,
                                  c.killAllOutsideSafeListButton, c.addToSafeListButton,      c.addAllToSafeListButton,
                                  c.addToKillListButton,          c.treatAllAsNewButton};
    for (int i = 0; i < 8; ++i)
        grid->addWidget(order[i], i / 2, i % 2);
    return box;
}

QWidget* TaskManagementTab::createProtectionPanel() {
    auto& c = m_controls;
    auto* box = panel(this, "protectionPanel", QStringLiteral("Protection Options"));
    c.protectionPanel = box;
    c.memoryWarningCheck = checkBox(box, "memoryWarningCheck", QStringLiteral("Warn if any task uses over"), true);
    bind::checked(c.memoryWarningCheck, m_protection.memoryWarning);
    c.memoryWarningSpin = spinEdit(box, "memoryWarningSpin", 0, 0, 55);
    bind::text(c.memoryWarningSpin, m_protection.memoryLimitText);
    c.warnSafeListToCheck =
        checkBox(box, "warnSafeListToCheck", QStringLiteral("Include Safe List items to this"), true);
    bind::checked(c.warnSafeListToCheck, m_protection.warnSafeListToo);
    c.treatShownAsHiddenCheck =
        checkBox(box, "treatShownAsHiddenCheck", QStringLiteral("Treat Non-Hidden tasks as hidden"), false);
    bind::checked(c.treatShownAsHiddenCheck, m_protection.treatShownAsHidden);
    auto* column = new QVBoxLayout(box);
    auto* warnRow = new QHBoxLayout;
    warnRow->addWidget(c.memoryWarningCheck);
    warnRow->addWidget(c.memoryWarningSpin);
    warnRow->addWidget(label(box, QStringLiteral("memory Mega Bytes")));
    warnRow->addStretch(1);
    column->addLayout(warnRow);
    column->addWidget(c.warnSafeListToCheck);
    column->addWidget(c.treatShownAsHiddenCheck);
    return box;
}

QWidget* TaskManagementTab::createSafeListPanel() {
    auto& c = m_controls;
    auto* box = panel(this, "safeListPanel", QStringLiteral("Safe List options"));
    c.safeListPanel = box;
    c.removeFromSafeListButton =
        button(box, "removeFromSafeListButton", QStringLiteral("Remove selected from Safe List"));
    c.safeListUnselectButton = button(box, "safeListUnselectButton", QStringLiteral("Un-select all"));
    c.clearSafeListButton = button(box, "clearSafeListButton", QStringLiteral("Clear Safe List"));
    auto* column = new QVBoxLayout(box);
    for (QPushButton* b : {c.removeFromSafeListButton, c.safeListUnselectButton, c.clearSafeListButton})
        column->addWidget(b);
    return box;
}

QWidget* TaskManagementTab::createKillListPanel() {
    auto& c = m_controls;
    auto* box = panel(this, "killListPanel", QStringLiteral("Kill List options"));
    c.killListPanel = box;
    c.removeFromKillListButton =
        button(box, "removeFromKillListButton", QStringLiteral("Remove selected from Kill List"));
    c.killListUnselectButton = button(box, "killListUnselectButton", QStringLiteral("Un-select all"));
    c.clearKillListButton = button(box, "clearKillListButton", QStringLiteral("Clear Kill List"));
    auto* column = new QVBoxLayout(box);
    for (QPushButton* b : {c.removeFromKillListButton, c.killListUnselectButton, c.clearKillListButton})
        column->addWidget(b);
    return box;
}

void TaskManagementTab::connectHandlers(const TaskTabHandlers& h) {
    const TaskTabControls& c = m_controls;
    const TaskMenuItems& m = m_menu;
    const auto onClick = [this](QPushButton* b, std::function<void()> handler) {
        connectGuarded(b, &QPushButton::clicked, this, m_policy, std::move(handler));
    };
    const auto onMenu = [this](std::initializer_list<QAction*> items, const std::function<void()>& handler) {
        for (QAction* item : items)
            connectGuardedMenuItem(item, this, m_policy, handler);
    };

    // The All Task List.
    TaskListController* tasks = &h.taskList;
    onClick(c.refreshTasksButton, [tasks] { tasks->onRefreshTasksTriggered(); });
    onMenu({m.refreshTasksAction}, [tasks] { tasks->onRefreshTasksTriggered(); });
    onClick(c.showHiddenButton, [tasks] { tasks->onShowHiddenTasksTriggered(); });
    onMenu({m.showHiddenTasksAction}, [tasks] { tasks->onShowHiddenTasksTriggered(); });
    onMenu({m.treatAsHiddenAction}, [tasks] { tasks->onTreatAsHiddenTriggered(); });
    connectGuarded(c.treatShownAsHiddenCheck, &QCheckBox::toggled, this, m_policy,
                   [tasks] { tasks->onTreatShownAsHiddenToggled(); });

    // Kill and memory of the selected task.
    TaskActions* actions = &h.actions;
    onClick(c.killSelectedButton, [actions] { actions->KillSelectedTask(); });
    onMenu({m.allTasksKillAction}, [actions] { actions->KillSelectedTask(); });
    onClick(c.showSelectedMemoryButton, [actions] { actions->ShowSelectedMemory(); });
    onMenu({m.showSelectedMemoryAction, m.allTasksShowMemoryAction}, [actions] { actions->ShowSelectedMemory(); });

    // Protection.
    Protection* protection = &h.protection;
    onClick(c.protectionButton, [protection] { protection->toggleProtection(); });
    onMenu({m.protectionAction, m.trayProtectionAction}, [protection] { protection->toggleProtection(); });
    onClick(c.treatAllAsNewButton, [protection] { protection->onTreatAllAsNewClicked(); });
    onMenu({m.memoryWarningAction}, [protection] { protection->onMemoryWarningTriggered(); });
    connectGuarded(c.memoryWarningCheck, &QCheckBox::toggled, this, m_policy,
                   [protection] { protection->onMemoryWarningToggled(); });

    // The Safe List and Kill List commands.
    ListCommands* lists = &h.lists;
    onClick(c.addToSafeListButton, [lists] { lists->onAddToSafeListClicked(); });
    onMenu({m.allTasksAddToSafeListAction}, [lists] { lists->onAllTasksAddToSafeListTriggered(); });
    onMenu({m.allTasksAddToSafeListAgainAction}, [lists] { lists->onAllTasksAddToSafeListAgainTriggered(); });
    onMenu({m.addToKillListAction, m.allTasksAddToKillListAction}, [lists] { lists->onAddToKillListClicked(); });
    onClick(c.addToKillListButton, [lists] { lists->onAddToKillListClicked(); });
    onClick(c.removeFromSafeListButton, [lists] { lists->onRemoveFromSafeListClicked(); });
    onMenu({m.removeFromSafeListAction, m.safeListRemoveAction}, [lists] { lists->onRemoveFromSafeListClicked(); });
    onClick(c.removeFromKillListButton, [lists] { lists->onRemoveFromKillListClicked(); });
    onMenu({m.removeFromKillListAction, m.killListRemoveAction}, [lists] { lists->onRemoveFromKillListClicked(); });
    onClick(c.clearSafeListButton, [lists] { lists->onClearSafeListClicked(); });
    onMenu({m.clearSafeListAction}, [lists] { lists->onClearSafeListClicked(); });
    onClick(c.clearKillListButton, [lists] { lists->onClearKillListClicked(); });
    onMenu({m.clearKillListAction}, [lists] { lists->onClearKillListClicked(); });
    onClick(c.safeListUnselectButton, [lists] { lists->onSafeListUnselectClicked(); });
    onMenu({m.safeListDeselectAction}, [lists] { lists->onSafeListUnselectClicked(); });
    onClick(c.killListUnselectButton, [lists] { lists->onKillListUnselectClicked(); });
    onMenu({m.killListDeselectAction}, [lists] { lists->onKillListUnselectClicked(); });
    onClick(c.addAllToSafeListButton, [lists] { lists->onAddAllToSafeListClicked(); });
    onMenu({m.addAllToSafeListAction}, [lists] { lists->onAddAllToSafeListClicked(); });
    onClick(c.killAllOutsideSafeListButton, [lists] { lists->onKillAllOutsideSafeListClicked(); });
    onMenu({m.killAllOutsideSafeListAction}, [lists] { lists->onKillAllOutsideSafeListClicked(); });
    onClick(c.allTasksFindNextButton, [lists] { lists->onAllTasksFindNextClicked(); });
    connectGuarded(c.allTasksFindEdit, &QLineEdit::textChanged, this, m_policy,
                   [lists] { lists->onAllTasksFindNextClicked(); });
    onClick(c.safeListFindNextButton, [lists] { lists->onSafeListFindNextClicked(); });
    connectGuarded(c.safeListFindEdit, &QLineEdit::textChanged, this, m_policy,
                   [lists] { lists->onSafeListFindNextClicked(); });
    onClick(c.killListFindNextButton, [lists] { lists->onKillListFindNextClicked(); });
    connectGuarded(c.killListFindEdit, &QLineEdit::textChanged, this, m_policy,
                   [lists] { lists->onKillListFindNextClicked(); });
    onMenu({m.allTasksActionWindowAction}, [lists] { lists->onAllTasksActionWindowTriggered(); });
}
