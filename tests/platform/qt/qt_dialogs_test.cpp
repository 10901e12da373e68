#include "platform/qt/qt_dialogs.h"

#include <gtest/gtest.h>

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
