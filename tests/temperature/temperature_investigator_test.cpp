#include "temperature/temperature_investigator.h"
#include "widgets/task_list_view.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(TempInvestigatorTest, CreatedHiddenAsAToolWindowWithoutCloseBox) {
    TemperatureInvestigator window;
    EXPECT_FALSE(window.isVisible());
    EXPECT_NE(window.internalWinId(), 0u);
    EXPECT_EQ(window.windowTitle(), "TempInvestigator");
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(window.size(), QSize(561, 269));
    EXPECT_EQ(window.pos(), QPoint(0, 0));
    EXPECT_EQ(window.headingLabel->text(), "Temperature risen by 0 degrees. Possible task reasons:");
    EXPECT_EQ(window.suspectsView->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_TRUE(window.raiseTimer->isActive());
    EXPECT_EQ(window.raiseTimer->interval(), 500);
}

TEST(TempInvestigatorTest, ButtonsLeaveRequestsAndDoneHides) {
    TemperatureInvestigator window;
    window.killButton->click(); // not bound yet: nothing to set, nothing breaks
    std::int32_t request = 0;
    window.bindRequest(request);
    window.show();
    window.suspectsView->taskModel().append({QStringLiteral("Miner"), 7});
    const struct {
        QPushButton* button;
        std::int32_t request;
        bool visibleAfter;
    } cases[] = {{window.killButton, 1, true}, {window.addToKillListButton, 2, true}, {window.doneButton, 2, false}};
    for (const auto& c : cases) {
        c.button->click();
        EXPECT_EQ(request, c.request) << c.button->text().toStdString();
        EXPECT_EQ(window.isVisible(), c.visibleAfter) << c.button->text().toStdString();
    }
    EXPECT_EQ(window.suspectsView->count(), 1); // "Done" keeps the entries
    window.onRaiseTick();                       // hidden: stays hidden
    EXPECT_FALSE(window.isVisible());
}

} // namespace
