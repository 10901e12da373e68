#include "temperature/temperature_graph_painter.h"
#include "temperature/temperature_tab_image.h"
#include "temperature_tab_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

using TemperatureTabTest = TemperatureTabFixture;

TEST_F(TemperatureTabTest, TickSamplesAndDrawsOnlyWhileShown) {
    sampleAt(45.5f);
    EXPECT_EQ(values.CurrentTemp, 46);
    EXPECT_TRUE(controls().averageTemperatureGraph->image().isNull());
    EXPECT_TRUE(controls().coreTemperatureGraph->image().isNull());

    graphsShowing = true;
    sampleAt(50);
    EXPECT_EQ(values.CurrentTemp, 50);
    const QImage expected2 = renderTemperatureGraph(computeAverageGraph(tab->history(), 200, QSize(450, 377)));
    EXPECT_EQ(controls().averageTemperatureGraph->image(), expected2);
    EXPECT_EQ(controls().coreTemperatureGraph->image().size(), QSize(450, 377));

    // A hidden tab keeps its last drawing.
    graphsShowing = false;
    sampleAt(70);
    EXPECT_EQ(controls().averageTemperatureGraph->image(), expected2);
}

TEST_F(TemperatureTabTest, ZoomButtonsChangeTheSpanOfTheNextDrawing) {
    for (int i = 0; i < 25; ++i)
        controls().zoomInButton->click();
    EXPECT_EQ(tab->graphSpan(), 10);
    controls().zoomOutButton->click();
    EXPECT_EQ(tab->graphSpan(), 20);
    controls().zoomDefaultButton->click();
    EXPECT_EQ(tab->graphSpan(), 200);
    controls().zoomOutButton->click();
    EXPECT_EQ(tab->graphSpan(), 200);

    controls().zoomInButton->click();
    graphsShowing = true;
    sampleAt(60);
    EXPECT_EQ(controls().averageTemperatureGraph->image(),
              renderTemperatureGraph(computeAverageGraph(tab->history(), 190, QSize(450, 377))));
}

TEST_F(TemperatureTabTest, ColourButtonsKeepTheChosenColour) {
    fake.colorAnswers.push_back(QColor(10, 200, 30));
    controls().colorButtons[2]->click();
    EXPECT_EQ(tab->colorOfButton(3), GraphColor::rgb(10, 200, 30));
    fake.colorAnswers.push_back(std::nullopt); // cancelled
    controls().colorButtons[2]->click();
    EXPECT_EQ(tab->colorOfButton(3), GraphColor::rgb(10, 200, 30));
    for (int ni : {1, 2, 4, 5, 6, 7, 8})
        EXPECT_EQ(tab->colorOfButton(ni), kGraphBlack);

    graphsShowing = true;
    publish(60);
    tab->onTemperatureTick();
    EXPECT_EQ(controls().coreTemperatureGraph->image(),
              renderTemperatureGraph(computeCoreGraph(tab->history(), 200, QSize(450, 377), tab->coreColors())));
}

TEST_F(TemperatureTabTest, ThresholdCaptionFollowsItsSpin) {
    const QString before = form.overheatMenu->title();
    controls().overheatThresholdSpin->setValue(75);
    EXPECT_EQ(form.overheatMenu->title(), "If biggest temperature over 75 degrees...");
    controls().overheatThresholdSpin->setText(QStringLiteral("7a0"));
    EXPECT_EQ(form.overheatMenu->title(), "If biggest temperature over 70 degrees...");
    form.overheatMenu->setTitle(before);
    controls().changeToleranceSpin->setValue(12); // either spin edit updates it, always from overheatThresholdSpin
    EXPECT_EQ(form.overheatMenu->title(), "If biggest temperature over 70 degrees...");
}

TEST_F(TemperatureTabTest, ShutDownOptionEnablesRebootOption) {
    controls().overheatShutDownCheck->setChecked(true);
    EXPECT_TRUE(controls().overheatRebootCheck->isEnabled());
    EXPECT_TRUE(controls().overheatRebootCheck->isChecked());
    controls().overheatRebootCheck->setChecked(false);
    controls().overheatShutDownCheck->setChecked(false);
    EXPECT_FALSE(controls().overheatRebootCheck->isEnabled());
    EXPECT_FALSE(controls().overheatRebootCheck->isChecked());
}

TEST_F(TemperatureTabTest, MenuItemsMirrorTheirCheckBoxes) {
    const struct {
        QCheckBox* box;
        QAction* item;
    } pairs[] = {
        {controls().startCoreTempWithTorvaneCheck, form.startCoreTempWithTorvaneAction},
        {controls().detectTemperatureChangesCheck, form.detectTemperatureChangesAction},
        {controls().overheatStopProtectionCheck, form.overheatStopProtectionAction},
    };
    for (const auto& p : pairs) {
        const bool start = p.box->isChecked();
        p.item->setChecked(start);
        p.item->trigger();
        EXPECT_EQ(p.item->isChecked(), !start);
        EXPECT_EQ(p.box->isChecked(), !start);
        p.box->setChecked(start);
        EXPECT_EQ(p.item->isChecked(), start);
        // The states are never compared: a box click copies its own state.
        p.item->setChecked(!start);
        p.box->setChecked(!start);
        p.box->setChecked(start);
        EXPECT_EQ(p.item->isChecked(), start);
    }
    EXPECT_TRUE(events.isEmpty()); // none of them reacts to temperatures
}

TEST_F(TemperatureTabTest, OptionsFollowTheirControls) {
    const struct {
        QCheckBox* box;
        bool TemperatureOptions::*option;
    } boxes[] = {
        {controls().startCoreTempWithTorvaneCheck, &TemperatureOptions::startCoreTempWithTorvane},
        {controls().detectTemperatureChangesCheck, &TemperatureOptions::detectTemperatureChanges},
        {controls().overheatKillCheck, &TemperatureOptions::overheatKill},
        {controls().overheatStopProtectionCheck, &TemperatureOptions::overheatStopProtection},
        {controls().overheatStopMemoryCheck, &TemperatureOptions::overheatStopMemory},
        {controls().overheatStopLookupCheck, &TemperatureOptions::overheatStopLookup},
        {controls().overheatShutDownCheck, &TemperatureOptions::overheatShutDown},
        {controls().overheatRebootCheck, &TemperatureOptions::overheatReboot},
    };
    EXPECT_EQ(tab->options(), TemperatureOptions{}); // the defaults are the controls as created
    for (const auto& b : boxes) {
        for (int i = 0; i < 2; ++i) {
            b.box->toggle();
            EXPECT_EQ(tab->options().*b.option, b.box->isChecked()) << b.box->objectName().toStdString();
        }
    }
    const struct {
        SpinEdit* spin;
        QString TemperatureOptions::*option;
    } spins[] = {
        {controls().changeToleranceSpin, &TemperatureOptions::changeTolerance},
        {controls().overheatThresholdSpin, &TemperatureOptions::overheatThreshold},
        {controls().overheatKillUsageSpin, &TemperatureOptions::overheatKillUsage},
    };
    for (const auto& s : spins) {
        s.spin->setText(QStringLiteral("1x2"));
        EXPECT_EQ(tab->options().*s.option, "1x2") << s.spin->objectName().toStdString();
    }
}

TEST_F(TemperatureTabTest, OwnTimerSamplesAndStartItemStartsCoreTemp) {
    EXPECT_EQ(tab->temperatureTimer()->objectName(), "temperatureTimer");
    publish(61);
    QMetaObject::invokeMethod(tab->temperatureTimer(), "timeout");
    EXPECT_EQ(values.CurrentTemp, 61);

    fake.queueAnswer(platform::IdCancel);
    form.startCoreTempAction->trigger();
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].title, "File not found");
}

} // namespace
