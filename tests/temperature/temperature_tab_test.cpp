#include "temperature/temperature_graph_painter.h"
#include "temperature/temperature_tab_image.h"
#include "temperature_tab_fixture.h"

#include <QLabel>
#include <QPushButton>

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

} // namespace
