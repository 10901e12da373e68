#pragma once

#include "platform/fake/fake_platform.h"
#include "support/scripted_settings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class TorvaneProgram;
class MainWindow;
struct AdvancedTabControls;
struct MainForm;
struct TaskTabControls;

// The whole program's windows over the fake desktop, with a temporary BaseDir.
class AppFixture : public ::testing::Test {
protected:
    AppFixture();
    ~AppFixture() override;
    void SetUp() override;
    void TearDown() override;

    // Creates the program (onCreated runs); windows added to `fake` before count for it.
    void startProgram();

    MainWindow& main();
    MainForm& form();
    const TaskTabControls& taskTab();
    const AdvancedTabControls& advancedTab();

    platform::fake::FakePlatform fake;
    QTemporaryDir baseDir;
    SettingsScript settings; // the program's settings store runs it
    std::unique_ptr<TorvaneProgram> program;
};
