#pragma once
// A Temperature tab over the few main-window controls it reaches and the fake desktop, with the reactions' hooks
// recording what they were asked to do.

#include "core/message_policy.h"
#include "core/shared_values.h"
#include "platform/fake/fake_platform.h"
#include "tasks/task_actions.h"
#include "tasks/task_list_controller.h"
#include "temperature/core_temp_block.h"
#include "temperature/temperature_investigator.h"
#include "temperature/temperature_tab.h"
#include "widgets/option_binding.h"
#include "widgets/spin_edit.h"
#include "widgets/task_list_view.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

class TemperatureTabFixture : public ::testing::Test {
protected:
    TemperatureTabFixture() {
        form.allTasksView = new TaskListView(false, &window);
        form.killListView = new TaskListView(true, &window);
        form.showHiddenTasksAction = new QAction(&window);
        form.showHiddenTasksAction->setCheckable(true);
        form.silentModeAction = checkable();
        form.startCoreTempAction = new QAction(&window);
        form.startCoreTempWithTorvaneAction = checkable();
        form.detectTemperatureChangesAction = checkable();
        form.overheatStopProtectionAction = checkable();
        form.overheatMenu = new QMenu(QStringLiteral("If biggest temperature over 90 degrees..."), &window);
        confirmations = new QCheckBox(&window);
        bind::checked(form.silentModeAction, messageOptions.silentMode);
        bind::checked(confirmations, messageOptions.confirmations);
        values.BaseDir = QStringLiteral("/nonexistent/torvane/");
        taskList = std::make_unique<TaskListController>(
            TaskListControls{.allTasksView = form.allTasksView, .showHiddenTasksAction = form.showHiddenTasksAction},
            taskListOptions, fake, fake, policy);
        actions = std::make_unique<TaskActions>(TaskActionControls{.allTasksView = form.allTasksView}, fake, fake,
                                                policy, *taskList);

        retrieval = new QCheckBox(&window);
        optimize = new QCheckBox(&window);
        QObject::connect(retrieval, &QCheckBox::toggled, [this](bool on) {
            if (!on)
                events << QStringLiteral("retrieval off");
        });
        QObject::connect(optimize, &QCheckBox::toggled, [this](bool on) {
            if (!on)
                events << QStringLiteral("optimize off");
        });
        TemperatureReactionHooks hooks;
        hooks.killAllOutsideSafeList = [this](const QString& reason) {
            if (reason != kill_reason::overheatReaction())
                events << reason;
            events << QStringLiteral("kill all");
            if (duringKillAll)
                duringKillAll();
        };
        hooks.freeAllConsumed = [this] { events << QStringLiteral("free"); };
        hooks.automaticRetrieval = [this] { return retrieval; };
        hooks.optimizeFreeEvery = [this] { return optimize; };
        hooks.killList = form.killListView;
        tab = std::make_unique<TemperatureTab>(
            TemperatureMenuItems{.startCoreTempAction = form.startCoreTempAction,
                                 .startCoreTempWithTorvaneAction = form.startCoreTempWithTorvaneAction,
                                 .detectTemperatureChangesAction = form.detectTemperatureChangesAction,
                                 .overheatMenu = form.overheatMenu,
                                 .overheatStopProtectionAction = form.overheatStopProtectionAction},
            values, fake.platform(), policy, *actions, [this] { return graphsShowing; }, hooks, investigator,
            [this] { return searchFolder; }, &window);
        // Ticks come from the tests alone.
        tab->temperatureTimer()->stop();
    }

    QAction* checkable() {
        auto* item = new QAction(&window);
        item->setCheckable(true);
        return item;
    }

    TemperatureControls& controls() { return tab->controls(); }
    TemperatureReactions& reactions() { return tab->reactions(); }
    TemperatureReactions::Lists& lists() { return tab->reactions().lists(); }

    // Core 1 reads `biggest`, core 2 a cooler value; 0 publishes a block without readings.
    void publish(float biggest) {
        coretemp::CoreReadings readings{};
        readings[0] = biggest;
        readings[1] = biggest > 5 ? biggest - 5 : 0;
        fake.sharedObjects[coretemp::userObjectName(fake.userId())] = coretemp::blockFromReadings(readings);
    }
    void stopMonitor() { fake.sharedObjects.erase(coretemp::userObjectName(fake.userId())); }
    // One temperature tick at the given biggest temperature.
    void sampleAt(float biggest) {
        publish(biggest);
        tab->onTemperatureTick();
    }

    QStringList investigatorTitles() const {
        QStringList titles;
        for (const TaskEntry& e : investigator.suspectsView->taskModel().tasks())
            titles << e.title;
        return titles;
    }

    QWidget window;
    // The main window's controls the tab, the task list and the policy reach.
    struct {
        TaskListView* allTasksView = nullptr;
        TaskListView* killListView = nullptr;
        QAction* showHiddenTasksAction = nullptr;
        QAction* silentModeAction = nullptr;
        QAction* startCoreTempAction = nullptr;
        QAction* startCoreTempWithTorvaneAction = nullptr;
        QAction* detectTemperatureChangesAction = nullptr;
        QAction* overheatStopProtectionAction = nullptr;
        QMenu* overheatMenu = nullptr;
    } form;
    SharedValues values;
    platform::fake::FakePlatform fake;
    MessageOptions messageOptions;
    MessagePolicy policy{fake, &window, &messageOptions};
    QCheckBox* confirmations = nullptr;
    TaskListOptions taskListOptions; // hidden tasks not shown
    std::unique_ptr<TaskListController> taskList;
    std::unique_ptr<TaskActions> actions;
    TemperatureInvestigator investigator;
    QCheckBox* retrieval = nullptr; // stands for the automatic address retrieval box
    QCheckBox* optimize = nullptr;  // stands for "Optimize and free every"
    QStringList events;
    std::function<void()> duringKillAll;
    bool graphsShowing = false;
    QString searchFolder = QStringLiteral("/home/user/files");
    std::unique_ptr<TemperatureTab> tab;
};
