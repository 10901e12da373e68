#include "platform/qt/desktop_shell.h"
#include "support/eventually.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
