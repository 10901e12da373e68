#include "support/app_fixture.h"
#include "lists/task_management_tab.h"

#include "app/advanced_options_tab.h"
#include "app/main_window.h"
#include "app/torvane_program.h"
#include "lists/task_management_tab.h"

AppFixture::AppFixture() = default;
AppFixture::~AppFixture() = default;

void AppFixture::SetUp() {
    ASSERT_TRUE(baseDir.isValid());
}

void AppFixture::TearDown() {
    program.reset();
}

void AppFixture::startProgram() {
    program = std::make_unique<TorvaneProgram>(fake.platform(), baseDir.path() + "/", settings.factory());
}

MainWindow& AppFixture::main() {
    return program->mainWindow();
}

MainForm& AppFixture::form() {
    return program->mainWindow().form();
}

const TaskTabControls& AppFixture::taskTab() {
    return program->mainWindow().taskTab().controls();
}

const AdvancedTabControls& AppFixture::advancedTab() {
    return program->mainWindow().advancedTab().controls();
}
