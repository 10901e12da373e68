#include "platform/linux/linux_platform.h"
#include "platform/torvane_error.h"
#include "support/x11_test_display.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

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

TEST(DesktopShell, StartsAnExecutableDetached) {
    QTemporaryDir dir;
    const QString marker = dir.filePath(QStringLiteral("started"));
    const QString script = dir.filePath(QStringLiteral("program with blanks.sh"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\necho started > \"" + marker.toUtf8() + "\"\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    platform::DesktopShell().startFile(script);
    EXPECT_TRUE(eventually([&] { return QFile::exists(marker); }));
}

TEST(QtDialogs, AllFilesMeansEveryFileNotOnlyNamesWithADot) {
    const struct {
        const char* filter;
        const char* expected;
    } cases[] = {
        {"All Files|*.*", "All Files (*)"},
        {"List Save|*.sav", "List Save (*.sav)"},
        {"Texts|*.txt;*.*|Core Temp executable|core-temp", "Texts (*.txt *);;Core Temp executable (core-temp)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::qtFileFilter(QString::fromLatin1(c.filter)), QString::fromLatin1(c.expected)) << c.filter;
}
