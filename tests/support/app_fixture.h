#pragma once

#include "platform/fake/fake_platform.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class ActionWindow;
class TorvaneProgram;
class TTorvane;
struct MainForm;

// The whole program's windows over the fake desktop, with a temporary BaseDir.
class AppFixture : public ::testing::Test {
protected:
    AppFixture();
    ~AppFixture() override;
    void SetUp() override;
    void TearDown() override;

    // Creates the program (FormCreate runs); windows added to `fake` before count for it.
    void startProgram();

    TTorvane& main();
    MainForm& form();

    platform::fake::FakePlatform fake;
    ActionWindow* asks = nullptr; // set before startProgram to stand in for the Task Action window
    QTemporaryDir baseDir;
    std::unique_ptr<TorvaneProgram> program;
};
