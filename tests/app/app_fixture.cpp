#include "support/app_fixture.h"

#include "app/main_window.h"
#include "app/torvane_program.h"

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
