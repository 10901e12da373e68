#pragma once

#include "lists/task_menu_items.h"

#include "lists/list_options.h"
#include "tasks/protection_options.h"
#include "tasks/task_list_options.h"

#include <QWidget>

class ListCommands;
class MessagePolicy;
class Protection;
class QAction;
class QCheckBox;
class QLineEdit;
class QPushButton;
class SpinEdit;
class TaskActions;
class TaskListController;
class TaskListView;

// The controls of the "Task Management" tab.
struct TaskTabControls {
    TaskListView* allTasksView = nullptr;
    TaskListView* safeListView = nullptr;
    TaskListView* killListView = nullptr;
    QLineEdit* allTasksFindEdit = nullptr;
    QLineEdit* safeListFindEdit = nullptr;
    QLineEdit* killListFindEdit = nullptr;
    QPushButton* allTasksFindNextButton = nullptr;
    QPushButton* safeListFindNextButton = nullptr;
    QPushButton* killListFindNextButton = nullptr;
    QPushButton* showHiddenButton = nullptr;
    QPushButton* taskManagementPanelButton = nullptr;
    QWidget* taskManagementPanel = nullptr;
    QPushButton* refreshTasksButton = nullptr;
    QPushButton* showSelectedMemoryButton = nullptr;
    QPushButton* killSelectedButton = nullptr;
    QPushButton* killAllOutsideSafeListButton = nullptr;
    QPushButton* addToSafeListButton = nullptr;
    QPushButton* addAllToSafeListButton = nullptr;
    QPushButton* addToKillListButton = nullptr;
    QPushButton* treatAllAsNewButton = nullptr;
    QPushButton* protectionButton = nullptr;
    QPushButton* protectionPanelButton = nullptr;
    QWidget* protectionPanel = nullptr;
    QCheckBox* memoryWarningCheck = nullptr;
    SpinEdit* memoryWarningSpin = nullptr;
    QCheckBox* warnSafeListToCheck = nullptr;
    QCheckBox* treatShownAsHiddenCheck = nullptr;
    QPushButton* safeListPanelButton = nullptr;
    QWidget* safeListPanel = nullptr;
    QPushButton* removeFromSafeListButton = nullptr;
    QPushButton* safeListUnselectButton = nullptr;
    QPushButton* clearSafeListButton = nullptr;
    QPushButton* killListPanelButton = nullptr;
    QWidget* killListPanel = nullptr;
    QPushButton* removeFromKillListButton = nullptr;
    QPushButton* killListUnselectButton = nullptr;
    QPushButton* clearKillListButton = nullptr;
};

// The controllers behind the tab, built after it because they show into its lists.
struct TaskTabHandlers {
    TaskListController& taskList;
    TaskActions& actions;
    ListCommands& lists;
    Protection& protection;
};

// The page of the "Task Management" tab: the three lists with their searches, the option panels
// and the options they hold. The panel buttons and the lists' popups are the main window's.
class TaskManagementTab : public QWidget {
    Q_OBJECT
public:
    TaskManagementTab(MessagePolicy& policy, const TaskMenuItems& menu, QWidget* parent = nullptr);

    const TaskTabControls& controls() const { return m_controls; }
    const TaskMenuItems& menu() const { return m_menu; }
    // Protection's options; the Advanced Options tab binds the ones it shows.
    ProtectionOptions& protectionOptions() { return m_protection; }
    const ProtectionOptions& protectionOptions() const { return m_protection; }
    const TaskListOptions& taskListOptions() const { return m_taskList; }
    const ListSearchOptions& searchOptions() const { return m_search; }

    void connectHandlers(const TaskTabHandlers& handlers);

private:
    QLayout* createLists();
    QLayout* createPanelButtons();
    QWidget* createTaskManagementPanel();
    QWidget* createProtectionPanel();
    QWidget* createSafeListPanel();
    QWidget* createKillListPanel();

    MessagePolicy& m_policy;
    TaskTabControls m_controls;
    TaskMenuItems m_menu;
    ProtectionOptions m_protection;
    TaskListOptions m_taskList;
    ListSearchOptions m_search;
};
