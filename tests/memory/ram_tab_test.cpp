#include "memory/graph_image.h"
#include "ram_tab_fixture.h"

#include <QTabWidget>
#include <cstring>
#include <limits>

namespace {

TEST_F(RamTabTest, ControlsAsCreated) {
    EXPECT_EQ(c().BitBtn1->text(), QStringLiteral("Consuming options (does not work with optimize and free RAM)"));
    EXPECT_EQ(tab->BitBtn1(), c().BitBtn1);
    EXPECT_EQ(tab->ScrollBox2(), c().ScrollBox2);
    EXPECT_TRUE(c().ScrollBox2->isHidden());
    EXPECT_TRUE(c().Gauge1->isHidden());
    EXPECT_EQ(c().Label4->text(), QStringLiteral("Used Physical Memory"));
    EXPECT_EQ(c().Label5->text(), QStringLiteral("Free Physical Memory"));
    EXPECT_EQ(c().Label6->text(), QStringLiteral("Used Paging File"));
    EXPECT_EQ(c().Label7->text(), QStringLiteral("Used Virtual Memory"));
    EXPECT_EQ(c().GraphTitle->text(), QStringLiteral("Graph of current RAM usage"));
    EXPECT_EQ(c().Graph1->sizeHint(), QSize(450, 377));
    for (QProgressBar* bar : {c().Ram_Usage, c().Free_Mem, c().Page_File, c().VR_Usage}) {
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->maximum(), 100);
        EXPECT_TRUE(bar->toolTip().isEmpty());
    }
    EXPECT_EQ(barColorOf(c().VR_Usage), QColor(0, 0, 255));
    EXPECT_EQ(c().Button27->text(), QStringLiteral("Optimize and free RAM"));
    EXPECT_EQ(c().CheckBox12->text(), QStringLiteral("Optimize and free every"));
    EXPECT_FALSE(c().CheckBox12->isChecked());
    EXPECT_EQ(c().ConsumeBytesTitle->text(), QStringLiteral("Consume Memory Bytes"));
    EXPECT_EQ(c().Button17->text(), QStringLiteral("GO"));
    EXPECT_EQ(c().CheckBox3->text(), QStringLiteral("Rewrite every"));
    EXPECT_TRUE(c().CheckBox3->isChecked());
    EXPECT_EQ(c().Button18->text(), QStringLiteral("Rewrite Now"));
    EXPECT_EQ(c().Button19->text(), QStringLiteral("Free all Consumed and Quick Consume:"));
    EXPECT_EQ(c().RadioButton1->text(), QStringLiteral("so as one third to remain free"));
    EXPECT_EQ(c().RadioButton2->text(), QStringLiteral("so as half to remain free"));
    EXPECT_EQ(c().RadioButton3->text(), QStringLiteral("one third of current free"));
    EXPECT_EQ(c().RadioButton4->text(), QStringLiteral("half of current free"));
    EXPECT_EQ(c().RadioButton5->text(), QStringLiteral("Extra Mega Bytes:"));
    EXPECT_TRUE(c().RadioButton5->isChecked());
    EXPECT_EQ(c().SafetyCapLabel->text(), QStringLiteral("Safety Cap RAM Mega Bytes:"));
    EXPECT_TRUE(idleState());

    struct Field {
        SpinEdit* field;
        int minimum, maximum;
        const char* text;
    };
    const Field fields[] = {
        {c().SpinEdit1, 0, 4096, "1024"}, {c().SpinEdit2, 0, 4096, "1024"},    {c().SpinEdit3, 0, 65521, "1"},
        {c().SpinEdit4, 1, 840, "1"},     {c().SpinEdit5, -65521, 65521, "0"}, {c().SpinEdit6, 1, 4096, "10"},
        {c().SpinEdit11, 1, 840, "1"},
    };
    for (const Field& f : fields) {
        EXPECT_EQ(f.field->minimum(), f.minimum) << f.field->objectName().toStdString();
        EXPECT_EQ(f.field->maximum(), f.maximum) << f.field->objectName().toStdString();
        EXPECT_EQ(f.field->text(), QLatin1String(f.text)) << f.field->objectName().toStdString();
    }
    for (const char* name :
         {"BitBtn1", "ScrollBox2", "Ram_Usage", "Free_Mem", "Page_File", "VR_Usage", "Label4", "Graph1", "Button27",
          "CheckBox12", "SpinEdit11", "Gauge1", "Button17", "Button19", "RadioButton5", "SpinEdit6"})
        EXPECT_NE(tab->findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
}

// --- memory status --------------------------------------------------------------------------

TEST_F(RamTabTest, SampleShowsGaugesLinesAndTheCaptionPercentage) {
    setMemory(4 * GiB, GiB);
    memory().sampleAndShow();
    EXPECT_EQ(c().Free_Mem->value(), 25);
    EXPECT_EQ(c().Ram_Usage->value(), 75);
    EXPECT_EQ(values.FreeMemPercent, 25);
    EXPECT_EQ(memory().freeMemColor(), FreeMemColor::Red);
    EXPECT_EQ(barColorOf(c().Free_Mem), QColor(255, 0, 0));
    EXPECT_EQ(c().Page_File->value(), 50); // 3 GiB used of 6
    EXPECT_EQ(c().Label4->text(), QStringLiteral("Used Physical Memory 3072 MB/ 4096 MB"));
    EXPECT_EQ(c().Label5->text(), QStringLiteral("Free Physical Memory 1024 MB/ 4096 MB"));
    EXPECT_EQ(c().Label6->text(), QStringLiteral("Used Paging File 3072 MB/ 6144 MB"));
    EXPECT_EQ(c().Label7->text(), QStringLiteral("Used Virtual Memory 4096 MB/ 134217728 MB"));
    EXPECT_EQ(memory().history().MemIndex, 1);

    setMemory(3000000001, 2000000000); // exactly 2 × (total div 3) free
    memory().sampleAndShow();
    EXPECT_EQ(barColorOf(c().Free_Mem), MemoryController::barColor(FreeMemColor::HotLight));
    setMemory(3000000001, 1999999999);
    memory().sampleAndShow();
    EXPECT_EQ(barColorOf(c().Free_Mem), QColor(255, 255, 0));
    EXPECT_EQ(memory().history().MemIndex, 3);
}

TEST_F(RamTabTest, TheGraphIsDrawnOnlyWhileShown) {
    memory().sampleAndShow();
    EXPECT_TRUE(c().Graph1->image().isNull());
    graphShown = true;
    memory().sampleAndShow();
    ASSERT_FALSE(c().Graph1->image().isNull());
    EXPECT_EQ(c().Graph1->image().size(), c().Graph1->size());
    EXPECT_EQ(c().Graph1->image().pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(memory().graphLayout().newest.text, QStringLiteral("1024 MB"));
    EXPECT_EQ(memory().graphLayout().high.text, QStringLiteral("1228 MB"));
}

TEST_F(RamTabTest, GraphShownWhenItsPageIsCurrentAndTheWindowNotCollapsed) {
    QTabWidget pages;
    auto* first = new QWidget;
    auto* ram = new QWidget;
    pages.addTab(first, QStringLiteral("Task Management"));
    pages.addTab(ram, QStringLiteral("RAM Management"));
    QAction collapse;
    collapse.setCheckable(true);
    const auto shown = MemoryController::graphShownWhen(&pages, ram, &collapse);
    EXPECT_FALSE(shown());
    pages.setCurrentIndex(1);
    EXPECT_TRUE(shown());
    collapse.setChecked(true);
    EXPECT_FALSE(shown());
}

// --- "GO" and "Free" --------------------------------------------------------------------------

TEST_F(RamTabTest, GoHoldsOneMebibyteAndFreeReleasesIt) {
    c().SpinEdit3->setValue(1);
    consume().Button17Click();
    EXPECT_EQ(target(), MiB);
    EXPECT_EQ(consume().blocks().occupiedCount(), 1);
    EXPECT_EQ(consume().blocks().slot(0).size, MiB);
    EXPECT_TRUE(consumedState());
    EXPECT_TRUE(c().Gauge1->isHidden());
    EXPECT_TRUE(fake.boxes().isEmpty());

    consume().Button17Click();
    EXPECT_EQ(held(), 0);
    EXPECT_EQ(heap.outstanding, 0);
    EXPECT_EQ(target(), 0);
    EXPECT_TRUE(idleState());
}

TEST_F(RamTabTest, GoWithAProductOfZeroOrAnEmptyFactorDoesNothing) {
    for (const QString& third : {QStringLiteral("0"), QString()}) {
        c().SpinEdit3->setText(third);
        consume().Button17Click();
        EXPECT_EQ(target(), 0);
        EXPECT_TRUE(heap.requests.empty());
        EXPECT_TRUE(idleState());
    }
}

TEST_F(RamTabTest, GoAboveOneGibibyteAsksForOneWhileTheTargetKeepsTheProduct) {
    heap.capacity = 0; // refuse it all so nothing is written
    c().SpinEdit3->setValue(3000);
    consume().Button17Click();
    EXPECT_EQ(target(), std::int64_t(3000) * MiB);
    ASSERT_FALSE(heap.requests.empty());
    EXPECT_EQ(heap.requests.front(), GiB);
    EXPECT_EQ(heap.requests.size(), 31u);
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].title, QStringLiteral("Warning"));
    EXPECT_EQ(fake.boxes()[0].flags, platform::MbIconWarning);
    EXPECT_EQ(fake.boxes()[0].owner, &mainWindow);
    EXPECT_EQ(fake.boxes()[0].text, QStringLiteral("1024 Mega Bytes could not be consumed.\n\rThis may be the result "
                                                   "of:\n\r- not enough memory space or\n\r- too corrupted memory."));
    EXPECT_TRUE(consumedState());
}

TEST_F(RamTabTest, TheShortfallWarningIsSilentInSilentMode) {
    heap.capacity = 40 * MiB;
    silentMode.setChecked(true);
    c().SpinEdit3->setValue(64);
    consume().Button17Click();
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_EQ(held(), 40 * MiB);
    silentMode.setChecked(false);
    consume().Button17Click(); // "Free"
    consume().Button17Click(); // "GO" again
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_TRUE(fake.boxes()[0].text.startsWith(QStringLiteral("24 Mega Bytes could not be consumed.")));
}

TEST_F(RamTabTest, ACapAboveTheAvailableMemoryHoldsNothingSilentlyYetSwitchesThePanel) {
    setMemory(4 * GiB, 8 * MiB);
    c().SpinEdit3->setValue(4);
    consume().Button17Click();
    EXPECT_EQ(held(), 0);
    EXPECT_TRUE(heap.requests.empty());
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_TRUE(consumedState());
}

TEST_F(RamTabTest, AnEmptyOrNegativeCapLeavesOneMebibyte) {
    setMemory(4 * GiB, 5 * MiB);
    c().SpinEdit6->setText(QStringLiteral("-"));
    c().SpinEdit3->setValue(100);
    consume().Button17Click();
    EXPECT_EQ(held(), 4 * MiB);
}

// --- quick consume ----------------------------------------------------------------------------

TEST_F(RamTabTest, ConsumeTo66AimsAtTwoThirdsAndHoldsOneGibibyte) {
    heap.capacity = 0;
    consume().Consumeto66Click();
    EXPECT_TRUE(c().RadioButton1->isChecked());
    EXPECT_EQ(target(), 2863311531 - GiB);
    EXPECT_EQ(heap.requests.front(), GiB);
    EXPECT_EQ(c().SpinEdit1->text(), QStringLiteral("1024"));
    EXPECT_EQ(c().SpinEdit2->text(), QStringLiteral("1024"));
    EXPECT_EQ(c().SpinEdit3->text(), QStringLiteral("1707"));
    EXPECT_TRUE(consumedState());
}

TEST_F(RamTabTest, MenuItemsSelectTheirChoice) {
    setMemory(4 * GiB, 60 * MiB); // held amounts stay small
    struct Case {
        void (ConsumeController::*item)();
        QRadioButton* RamControls::*choice;
        std::int64_t target;
    };
    const Case cases[] = {
        {&ConsumeController::Consume50ofavailable1Click, &RamControls::RadioButton3, 20 * MiB},
        // Half of the 40 MiB then free, plus the 20 MiB held.
        {&ConsumeController::Consume33ofavailable1Click, &RamControls::RadioButton4, 40 * MiB},
        {&ConsumeController::Consumeto50Click, &RamControls::RadioButton2, 0},
    };
    for (const Case& k : cases) {
        (consume().*k.item)();
        const RamControls& controls = c();
        EXPECT_TRUE((controls.*k.choice)->isChecked());
        EXPECT_EQ(target(), k.target);
        EXPECT_EQ(held(), k.target);
        EXPECT_EQ(fake.memoryStatus.availPhys, std::uint64_t(60 * MiB - k.target));
    }
}

TEST_F(RamTabTest, HalfRemainsFreeWhenOthersUseMoreThanHalfOnlyFrees) {
    c().SpinEdit3->setValue(2);
    consume().Button17Click();
    ASSERT_EQ(held(), 2 * MiB);
    setMemory(4 * GiB, GiB);
    c().RadioButton2->setChecked(true);
    consume().Button19Click();
    EXPECT_EQ(held(), 0);
    EXPECT_EQ(target(), 0);
    EXPECT_TRUE(idleState());
}

TEST_F(RamTabTest, ExtraMegaBytesAddsToTheTargetAndNegativeValuesTakeAway) {
    consume().Button19Click(); // 0 with nothing consumed: only frees and resets
    EXPECT_EQ(target(), 0);
    EXPECT_TRUE(idleState());
    EXPECT_TRUE(heap.requests.empty());

    c().SpinEdit5->setValue(30);
    consume().Button19Click();
    EXPECT_EQ(target(), 30 * MiB);
    EXPECT_EQ(held(), 30 * MiB);
    EXPECT_EQ(c().SpinEdit3->text(), QStringLiteral("30"));
    EXPECT_TRUE(consumedState());

    c().SpinEdit5->setValue(-10);
    consume().Button19Click();
    EXPECT_EQ(target(), 20 * MiB);
    EXPECT_EQ(held(), 20 * MiB);
    EXPECT_EQ(heap.outstanding, 20 * MiB);

    c().SpinEdit5->setValue(-20);
    consume().Button19Click();
    EXPECT_EQ(target(), 0);
    EXPECT_EQ(held(), 0);
    EXPECT_TRUE(idleState());
}

TEST_F(RamTabTest, ExtraMegaBytesBeyondThePhysicalMemoryIsReset) {
    c().SpinEdit5->setText(QStringLiteral("5000"));
    EXPECT_EQ(c().SpinEdit5->text(), QStringLiteral("4095"));
    c().SpinEdit5->setText(QStringLiteral("-5000"));
    EXPECT_EQ(c().SpinEdit5->text(), QStringLiteral("-4095"));
    c().SpinEdit5->setText(QStringLiteral("-"));
    EXPECT_EQ(c().SpinEdit5->text(), QStringLiteral("-"));
    c().SpinEdit5->setText(QStringLiteral("4095"));
    EXPECT_EQ(c().SpinEdit5->text(), QStringLiteral("4095"));
}

// --- optimize and free ------------------------------------------------------------------------

TEST_F(RamTabTest, OptimizeHoldsAllAboveTheCapThenLeavesNoTargetBehind) {
    setMemory(4 * GiB, 74 * MiB);
    consume().Button27Click();
    EXPECT_EQ(heap.requests, std::vector<std::int64_t>{64 * MiB});
    EXPECT_EQ(heap.outstanding, 0);
    EXPECT_EQ(held(), 0);
    EXPECT_EQ(target(), 0);
    EXPECT_TRUE(idleState());
    EXPECT_EQ(heap.trims, 1); // released pages go back to the system at once

    // The next "GO" and "Extra Mega Bytes" consume what they are asked, nothing of the optimization.
    c().SpinEdit3->setValue(3);
    consume().Button17Click();
    EXPECT_EQ(held(), 3 * MiB);
    consume().Button17Click(); // "Free"
    consume().Button27Click();
    c().SpinEdit5->setValue(2);
    consume().Button19Click();
    EXPECT_EQ(held(), 2 * MiB);
}

TEST_F(RamTabTest, TheSystemKeepsItsMarginAndTheRestIsReportedAsShortfall) {
    setMemory(4 * GiB, 100 * MiB);
    heap.margin = 64 * MiB;
    c().SpinEdit3->setValue(50);
    consume().Button17Click();
    EXPECT_EQ(held(), 36 * MiB);
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_TRUE(fake.boxes()[0].text.startsWith(QStringLiteral("14 Mega Bytes could not be consumed.")));
}

TEST_F(RamTabTest, OptimizeAtOrBelowTheCapDoesNothing) {
    setMemory(4 * GiB, 10 * MiB);
    values.ConsumeTarget = 5;
    consume().Optimizeandfreenow1Click();
    EXPECT_TRUE(heap.requests.empty());
    EXPECT_EQ(target(), 5);
}

TEST_F(RamTabTest, OptimizeFirstFreesWhatIsConsumed) {
    setMemory(4 * GiB, 50 * MiB);
    c().SpinEdit3->setValue(8);
    consume().Button17Click();
    ASSERT_TRUE(consumedState());
    consume().Button27Click();
    EXPECT_TRUE(idleState());
    EXPECT_EQ(heap.outstanding, 0);
    // The amount is taken before the release: 42 MiB available less the cap.
    EXPECT_EQ(heap.requests.back(), 32 * MiB);
}

// --- the periodic work ------------------------------------------------------------------------

TEST_F(RamTabTest, OptimizeEveryReleasesConsumptionAndRunsOnEveryThirdTick) {
    setMemory(4 * GiB, 20 * MiB);
    c().SpinEdit3->setValue(4);
    consume().Button17Click();
    ASSERT_EQ(held(), 4 * MiB);
    c().SpinEdit11->setValue(3);
    EXPECT_EQ(optimizeEvery.text(), QStringLiteral("Optimize and free every 3 minutes"));
    c().CheckBox12->setChecked(true);
    EXPECT_TRUE(optimizeEvery.isChecked());
    EXPECT_EQ(held(), 0);
    EXPECT_TRUE(idleState());

    const std::size_t before = heap.requests.size();
    std::vector<std::size_t> requests;
    for (int tick = 0; tick < 6; ++tick) {
        consume().Timer4Timer();
        requests.push_back(heap.requests.size() - before);
    }
    EXPECT_EQ(requests, (std::vector<std::size_t>{0, 0, 1, 1, 1, 2}));
    EXPECT_EQ(heap.outstanding, 0);
}

TEST_F(RamTabTest, TimerFourWaitsWhileTheWarningIsOpen) {
    c().CheckBox12->setChecked(true); // optimize on every tick
    heap.capacity = 0;
    std::size_t requestsDuringBox = 0;
    fake.onBox = [&](const platform::fake::RecordedBox&) {
        const std::size_t before = heap.requests.size();
        consume().Timer4Timer();
        requestsDuringBox = heap.requests.size() - before;
    };
    c().SpinEdit3->setValue(2);
    consume().Button17Click();
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(requestsDuringBox, 0u);
    EXPECT_EQ(consume().optimizeMinutes(), 0);
    fake.onBox = nullptr;
    consume().Timer4Timer(); // afterwards the tick runs again
    EXPECT_EQ(consume().optimizeMinutes(), 0);
    EXPECT_GT(heap.requests.size(), 22u);
}

TEST_F(RamTabTest, TheMenuItemAndTheBoxMirrorEachOther) {
    consume().OptimizeFreeEvery1Click();
    EXPECT_TRUE(c().CheckBox12->isChecked());
    EXPECT_TRUE(optimizeEvery.isChecked());
    consume().OptimizeFreeEvery1Click();
    EXPECT_FALSE(c().CheckBox12->isChecked());
    EXPECT_FALSE(optimizeEvery.isChecked());
    c().CheckBox12->setChecked(true);
    EXPECT_TRUE(optimizeEvery.isChecked());
}

TEST_F(RamTabTest, RewriteRunsEveryMinutesWhileConsumedAndRoomRemains) {
    setMemory(4 * GiB, 100 * MiB);
    c().SpinEdit3->setValue(8);
    consume().Button17Click();
    ASSERT_EQ(held(), 8 * MiB);
    std::memset(consume().blocks().slot(0).address, 0x5A, 8 * MiB);
    c().SpinEdit4->setValue(2);
    consume().Timer4Timer();
    EXPECT_EQ(consume().rewriteMinutes(), 1);
    EXPECT_EQ(static_cast<const unsigned char*>(consume().blocks().slot(0).address)[0], 0x5A);
    consume().Timer4Timer();
    EXPECT_EQ(consume().rewriteMinutes(), 0);
    EXPECT_EQ(static_cast<const unsigned char*>(consume().blocks().slot(0).address)[0], 0);

    c().CheckBox3->setChecked(false);
    consume().Timer4Timer();
    EXPECT_EQ(consume().rewriteMinutes(), 0);
}

TEST_F(RamTabTest, RewriteNowWaitsWhileMemoryIsShort) {
    setMemory(4 * GiB, 30 * MiB);
    c().SpinEdit3->setValue(8);
    consume().Button17Click(); // 22 MiB remain available
    std::memset(consume().blocks().slot(0).address, 0x5A, 8 * MiB);
    fake.memoryStatus.availPhys = 18 * MiB; // 18 − 10 is not above the 8 MiB target
    consume().Button18Click();
    EXPECT_EQ(static_cast<const unsigned char*>(consume().blocks().slot(0).address)[0], 0x5A);
    fake.memoryStatus.availPhys = 19 * MiB;
    consume().Button18Click();
    EXPECT_EQ(static_cast<const unsigned char*>(consume().blocks().slot(0).address)[0], 0);
}

TEST_F(RamTabTest, GaugeCountsTargetsBeyondItsIntegerRange) {
    values.ConsumeTarget = 5 * GiB;
    setMemory(16 * GiB, 15 * GiB);
    consume().RewriteConsumed();
    EXPECT_EQ(consume().gauge().maximum(), 5 * GiB);
    EXPECT_LE(c().Gauge1->maximum(), std::numeric_limits<int>::max());
    EXPECT_GT(c().Gauge1->maximum(), 0);
    EXPECT_TRUE(c().Gauge1->isHidden());
}

TEST_F(RamTabTest, FreeConsumedAtExitLowersTheTargetByWhatItCountsFreed) {
    setMemory(4 * GiB, 100 * MiB);
    c().SpinEdit3->setValue(30);
    consume().Button17Click(); // 70 MiB remain available
    consume().FreeConsumed();
    EXPECT_EQ(heap.outstanding, 0);
    EXPECT_EQ(target(), 0); // 70 − 1 MiB is above the 30 MiB target: the target counts
}

TEST_F(RamTabTest, FailuresGoToTheGeneralErrorReport) {
    c().SpinEdit11->setText(QStringLiteral("99999999999"));
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].title, QStringLiteral("Torvane 4.4.0"));
    EXPECT_EQ(fake.boxes()[0].flags, platform::MbIconError);
}

} // namespace
