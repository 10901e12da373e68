// Every test executable runs with a real QApplication; widget tests use the offscreen platform
// unless a test starts its own X server.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The offscreen screen is a desktop's 1920x1080, so windows keep the sizes they open with there.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TORVANE_OFFSCREEN_SCREEN);
    // A first start takes the lists for new users from $XDG_CONFIG_DIRS; never from this machine's.
    const QTemporaryDir noPresets;
    qputenv("XDG_CONFIG_DIRS", noPresets.path().toUtf8());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
