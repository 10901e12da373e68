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
    EXPECT_TRUE(controls().Graph2->image().isNull());
    EXPECT_TRUE(controls().Graph3->image().isNull());

    graphsShowing = true;
    sampleAt(50);
    EXPECT_EQ(values.CurrentTemp, 50);
    const QImage expected2 = renderTemperatureGraph(computeGraph2(tab->history(), 200, QSize(450, 377)));
    EXPECT_EQ(controls().Graph2->image(), expected2);
    EXPECT_EQ(controls().Graph3->image().size(), QSize(450, 377));

    // A hidden tab keeps its last drawing.
    graphsShowing = false;
    sampleAt(70);
    EXPECT_EQ(controls().Graph2->image(), expected2);
}

TEST_F(TemperatureTabTest, ZoomButtonsChangeTheSpanOfTheNextDrawing) {
    for (int i = 0; i < 25; ++i)
        controls().ZoomIn->click();
    EXPECT_EQ(tab->graphSpan(), 10);
    controls().ZoomOut->click();
    EXPECT_EQ(tab->graphSpan(), 20);
    controls().ZoomDef->click();
    EXPECT_EQ(tab->graphSpan(), 200);
    controls().ZoomOut->click();
    EXPECT_EQ(tab->graphSpan(), 200);

    controls().ZoomIn->click();
    graphsShowing = true;
    sampleAt(60);
    EXPECT_EQ(controls().Graph2->image(), renderTemperatureGraph(computeGraph2(tab->history(), 190, QSize(450, 377))));
}

TEST_F(TemperatureTabTest, ColourButtonsKeepTheChosenColour) {
    fake.colorAnswers.push_back(QColor(10, 200, 30));
    controls().ButtonColors[2]->click();
    EXPECT_EQ(tab->GetButtonColorFromNum(3), GraphColor::rgb(10, 200, 30));
    fake.colorAnswers.push_back(std::nullopt); // cancelled
    controls().ButtonColors[2]->click();
    EXPECT_EQ(tab->GetButtonColorFromNum(3), GraphColor::rgb(10, 200, 30));
    for (int ni : {1, 2, 4, 5, 6, 7, 8})
        EXPECT_EQ(tab->GetButtonColorFromNum(ni), kGraphBlack);

    graphsShowing = true;
    publish(60);
    tab->TempGetTimerTimer();
    EXPECT_EQ(controls().Graph3->image(),
              renderTemperatureGraph(computeGraph3(tab->history(), 200, QSize(450, 377), tab->coreColors())));
}

TEST_F(TemperatureTabTest, ThresholdCaptionFollowsSpinEdit13) {
    const QString before = form.IfBiggestTemperatureOver1->title();
    controls().SpinEdit13->setValue(75);
    EXPECT_EQ(form.IfBiggestTemperatureOver1->title(), "If biggest temperature over 75 degrees...");
    controls().SpinEdit13->setText(QStringLiteral("7a0"));
    EXPECT_EQ(form.IfBiggestTemperatureOver1->title(), "If biggest temperature over 70 degrees...");
    form.IfBiggestTemperatureOver1->setTitle(before);
    controls().SpinEdit15->setValue(12); // either spin edit updates it, always from SpinEdit13
    EXPECT_EQ(form.IfBiggestTemperatureOver1->title(), "If biggest temperature over 70 degrees...");
}

TEST_F(TemperatureTabTest, ShutDownOptionEnablesRebootOption) {
    controls().CheckBox22->setChecked(true);
    EXPECT_TRUE(controls().CheckBox23->isEnabled());
    EXPECT_TRUE(controls().CheckBox23->isChecked());
    controls().CheckBox23->setChecked(false);
    controls().CheckBox22->setChecked(false);
    EXPECT_FALSE(controls().CheckBox23->isEnabled());
    EXPECT_FALSE(controls().CheckBox23->isChecked());
}

TEST_F(TemperatureTabTest, MenuItemsMirrorTheirCheckBoxes) {
    const struct {
        QCheckBox* box;
        QAction* item;
        void (TemperatureReactions::*itemClick)();
    } pairs[] = {
        {controls().CheckBox17, form.StartWithCoreTemp1, &TemperatureReactions::StartWithCoreTemp1Click},
        {controls().CheckBox21, form.askRelatedTemperatureChanges1,
         &TemperatureReactions::askRelatedTemperatureChanges1Click},
        {controls().CheckBox16, form.StoptaskProtection1, &TemperatureReactions::StoptaskProtection1Click},
    };
    for (const auto& p : pairs) {
        const bool start = p.box->isChecked();
        p.item->setChecked(start);
        (reactions().*p.itemClick)();
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
