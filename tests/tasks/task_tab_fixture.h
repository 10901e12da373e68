#pragma once
// The Task Management tab's lists and options as they are at start, over the fake desktop, with the
// recognition, the All Task List and the kill actions built on them; no main window, no wiring.

#include "core/message_policy.h"
#include "platform/fake/fake_platform.h"
#include "tasks/recognition_handlers.h"
#include "tasks/task_actions.h"
#include "tasks/task_list_controller.h"
#include "widgets/form_builder.h"
#include "widgets/spin_edit.h"
#include "widgets/task_list_view.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

class TaskTabFixture : public ::testing::Test {
protected:
    TaskTabFixture() {
        SilentMode1->setCheckable(true);
        ShowHiddenTasks->setCheckable(true);
        TreatAsHidden1->setCheckable(true);
        policy.attach(&window, SilentMode1, CheckBox2);
    }

    // Builds the controllers as the program does at start-up: the Safe List empty, the All Task
    // List filled once.
    void start() {
        ListBox2->taskModel().clear();
        ListBox3->taskModel().clear();
        taskList = std::make_unique<TaskListController>(
            TaskListControls{ListBox1, ShowHiddenTasks, TreatAsHidden1, CheckBox1, Button12}, fake, fake, policy);
        actions = std::make_unique<TaskActions>(TaskActionControls{ListBox1, ListBox2}, fake, fake, policy, *taskList);
        taskList->fillAllTaskList();
    }

    QStringList shown() const {
        QStringList titles;
        for (const TaskEntry& e : ListBox1->taskModel().tasks())
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
        const TaskList& tasks = ListBox1->taskModel().tasks();
        for (int i = 0; i < int(tasks.size()); ++i)
            if (tasks[i].title == title)
                ListBox1->setItemIndex(i);
    }

    platform::fake::FakePlatform fake;
    QWidget window;
    TaskListView* ListBox1 = new TaskListView(false, &window);
    TaskListView* ListBox2 = new TaskListView(true, &window);
    TaskListView* ListBox3 = new TaskListView(true, &window);
    QCheckBox* CheckBox4 = form::checkBox(&window, "CheckBox4", {}, true);
    QCheckBox* CheckBox8 = form::checkBox(&window, "CheckBox8", {}, false);
    QCheckBox* CheckBox9 = form::checkBox(&window, "CheckBox9", {}, true);
    SpinEdit* SpinEdit9 = form::spinEdit(&window, "SpinEdit9", 32, 1024, 32);
    RecognitionHandlers recognition{RecognitionControls{
        CheckBox4, form::checkBox(&window, "CheckBox5", {}, true), form::checkBox(&window, "CheckBox6", {}, false),
        form::checkBox(&window, "CheckBox7", {}, true), CheckBox8, CheckBox9,
        form::checkBox(&window, "CheckBox27", {}, false), new QRadioButton(&window),
        form::spinEdit(&window, "SpinEdit7", 1, 10, 6), form::spinEdit(&window, "SpinEdit8", 2, 9, 3), SpinEdit9,
        ListBox1, ListBox2, ListBox3}};
    QAction* SilentMode1 = new QAction(&window);
    QAction* ShowHiddenTasks = new QAction(&window);
    QAction* TreatAsHidden1 = new QAction(&window);
    QCheckBox* CheckBox1 = new QCheckBox(&window);
    QCheckBox* CheckBox2 = new QCheckBox(&window); // confirmations
    QPushButton* Button12 = new QPushButton(QStringLiteral("Show Hidden"), &window);
    MessagePolicy policy{fake};
    std::unique_ptr<TaskListController> taskList;
    std::unique_ptr<TaskActions> actions;
};
