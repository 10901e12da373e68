#include "widgets/option_binding.h"
#include "widgets/spin_edit.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <gtest/gtest.h>

// A handler connected after the binding must already read the new value: logic reads options at
// the moment it runs, never an old copy.
TEST(OptionBinding, OptionsFollowTheirControlsBeforeLaterHandlersRun) {
    QCheckBox box;
    QAction item(nullptr);
    item.setCheckable(true);
    SpinEdit spin;
    spin.setRange(0, 100);
    QLineEdit edit;
    bool boxOn = true, itemOn = true;
    QString spinText, editText = QStringLiteral("stale");
    bind::checked(&box, boxOn);
    bind::checked(&item, itemOn);
    bind::text(&spin, spinText);
    bind::text(&edit, editText);
    EXPECT_FALSE(boxOn);
    EXPECT_FALSE(itemOn);
    EXPECT_EQ(editText, QString());

    bool seenByHandler = false;
    QObject::connect(&box, &QCheckBox::toggled, [&] { seenByHandler = boxOn; });
    box.setChecked(true);
    EXPECT_TRUE(seenByHandler);
    item.setChecked(true);
    EXPECT_TRUE(itemOn);
    spin.setText(QStringLiteral("1 4"));
    EXPECT_EQ(spinText, QStringLiteral("1 4"));
    spin.setValue(7);
    EXPECT_EQ(spinText, QStringLiteral("7"));
    edit.setText(QStringLiteral("x"));
    EXPECT_EQ(editText, QStringLiteral("x"));
}
