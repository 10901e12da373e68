#include "temperature/t_temp_investigator.h"
#include "widgets/task_list_view.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(TempInvestigatorTest, CreatedHiddenAsAToolWindowWithoutCloseBox) {
    TTempInvestigator window;
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
    EXPECT_EQ(window.Label1->text(), "Temperature risen by 0 degrees. Possible task reasons:");
    EXPECT_EQ(window.ListBox1->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_TRUE(window.Timer1->isActive());
    EXPECT_EQ(window.Timer1->interval(), 500);
}

TEST(TempInvestigatorTest, ButtonsLeaveRequestsAndDoneHides) {
    TTempInvestigator window;
    window.Button1->click(); // not bound yet: nothing to set, nothing breaks
    std::int32_t request = 0;
    window.bindRequest(request);
    window.show();
    window.ListBox1->taskModel().append({QStringLiteral("Miner"), 7});
    const struct {
        QPushButton* button;
        std::int32_t request;
        bool visibleAfter;
    } cases[] = {{window.Button1, 1, true}, {window.Button3, 2, true}, {window.Button2, 2, false}};
    for (const auto& c : cases) {
        c.button->click();
        EXPECT_EQ(request, c.request) << c.button->text().toStdString();
        EXPECT_EQ(window.isVisible(), c.visibleAfter) << c.button->text().toStdString();
    }
    EXPECT_EQ(window.ListBox1->count(), 1); // "Done" keeps the entries
    window.Timer1Timer();                   // hidden: stays hidden
    EXPECT_FALSE(window.isVisible());
}

} // namespace
