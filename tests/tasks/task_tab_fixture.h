#pragma once
// The Task Management tab's lists and options as they are at start, over the fake desktop, with the
// recognition, the All Task List and the kill actions built on them; no main window, no wiring.

#include "core/message_policy.h"
#include "platform/fake/fake_platform.h"
#include "tasks/recognition_handlers.h"
#include "tasks/task_actions.h"
#include "tasks/task_list_controller.h"
#include "widgets/form_builder.h"
#include "widgets/option_binding.h"
#include "widgets/spin_edit.h"
#include "widgets/task_list_view.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

class TaskTabFixture : public ::testing::Test {
protected:
    TaskTabFixture() {
        silentModeAction->setCheckable(true);
        ShowHiddenTasks->setCheckable(true);
        treatAsHiddenAction->setCheckable(true);
        bind::checked(silentModeAction, messageOptions.silentMode);
        bind::checked(confirmActionsCheck, messageOptions.confirmations);
        // The controller shows and hides hidden tasks through the menu item, as in the program.
        bind::checked(ShowHiddenTasks, taskListOptions.showHiddenTasks);
    }

    // Builds the controllers as the program does at start-up: the Safe List empty, the All Task
    // List filled once.
    void start() {
        safeListView->taskModel().clear();
        killListView->taskModel().clear();
        taskList =
            std::make_unique<TaskListController>(TaskListControls{allTasksView, ShowHiddenTasks, treatAsHiddenAction,
                                                                  treatShownAsHiddenCheck, showHiddenButton},
                                                 taskListOptions, fake, fake, policy);
        actions = std::make_unique<TaskActions>(TaskActionControls{allTasksView, safeListView}, fake, fake, policy,
                                                *taskList);
        taskList->fillAllTaskList();
    }

    QStringList shown() const {
        QStringList titles;
        for (const TaskEntry& e : allTasksView->taskModel().tasks())
            titles << e.title;
        return titles;
    }
    QStringList boxTitles() const {
        QStringList out;
        for (const platform::fake::RecordedBox& b : fake.boxes())
            out << b.title;
        return out;
    }
    void select(const QString& title) {
        const TaskList& tasks = allTasksView->taskModel().tasks();
        for (int i = 0; i < int(tasks.size()); ++i)
            if (tasks[i].title == title)
                allTasksView->setItemIndex(i);
    }

    platform::fake::FakePlatform fake;
    QWidget window;
    TaskListView* allTasksView = new TaskListView(false, &window);
    TaskListView* safeListView = new TaskListView(true, &window);
    TaskListView* killListView = new TaskListView(true, &window);
    RecognitionSettings recognitionSettings; // as at start
    RecognitionHandlers recognition{RecognitionControls{form::checkBox(&window, "smartRecognitionCheck", {}, true),
                                                        form::checkBox(&window, "filterTextLengthCheck", {}, false),
                                                        form::checkBox(&window, "spareShortNamesCheck", {}, true),
                                                        form::spinEdit(&window, "shortNameLengthSpin", 2, 9, 3),
                                                        form::spinEdit(&window, "smartToleranceSpin", 1, 10, 6),
                                                        allTasksView, safeListView, killListView},
                                    recognitionSettings};
    TaskListOptions taskListOptions;
    QAction* silentModeAction = new QAction(&window);
    QAction* ShowHiddenTasks = new QAction(&window);
    QAction* treatAsHiddenAction = new QAction(&window);
    QCheckBox* treatShownAsHiddenCheck = new QCheckBox(&window);
    QCheckBox* confirmActionsCheck = new QCheckBox(&window); // confirmations
    QPushButton* showHiddenButton = new QPushButton(QStringLiteral("Show Hidden"), &window);
    MessageOptions messageOptions;
    MessagePolicy policy{fake, &window, &messageOptions};
    std::unique_ptr<TaskListController> taskList;
    std::unique_ptr<TaskActions> actions;
};
