#include "platform/linux/linux_platform.h"
#include "platform/torvane_error.h"
#include "support/x11_test_display.h"

#include <gtest/gtest.h>

TEST(LinuxPlatform, ServesTheRealDesktop) {
    platform::LinuxPlatform linux(testDisplay().display());
    platform::Platform& p = linux.platform();
    X11Child child = startChild({"--window", "--utf8", "Through the platform"});
    const auto found = findWindow(p.windows.topLevelWindows(), child.windows()[0].client);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->title, QStringLiteral("Through the platform"));
    EXPECT_EQ(p.windows.windowProcessId(found->handle), child.pid());
    EXPECT_GT(p.processes.workingSetBytes(child.pid()), 0u);
    EXPECT_GT(p.memory.globalMemoryStatus().totalPhys, 0u);
}

TEST(LinuxPlatform, NoDisplayIsAnError) {
    EXPECT_THROW(platform::LinuxPlatform(QStringLiteral(":4095")), TorvaneError);
}
