#include "memory/graph_image.h"
#include "ram_tab_fixture.h"

#include <QTabWidget>
#include <QTimer>
#include <cstring>
#include <limits>

namespace {

TEST_F(RamTabTest, ControlsAsCreated) {
    EXPECT_EQ(c().consumePanelButton->text(),
              QStringLiteral("Consuming options (does not work with optimize and free RAM)"));
    EXPECT_EQ(tab->consumePanelButton(), c().consumePanelButton);
    EXPECT_EQ(tab->consumePanel(), c().consumePanel);
    EXPECT_TRUE(c().consumePanel->isHidden());
    EXPECT_TRUE(c().consumedGauge->isHidden());
    EXPECT_EQ(c().usedPhysicalLabel->text(), QStringLiteral("Used Physical Memory"));
    EXPECT_EQ(c().freePhysicalLabel->text(), QStringLiteral("Free Physical Memory"));
    EXPECT_EQ(c().usedPagingLabel->text(), QStringLiteral("Used Paging File"));
    EXPECT_EQ(c().usedVirtualLabel->text(), QStringLiteral("Used Virtual Memory"));
    EXPECT_EQ(c().memoryGraphTitleLabel->text(), QStringLiteral("Graph of current RAM usage"));
    EXPECT_EQ(c().memoryGraphImage->sizeHint(), QSize(450, 377));
    for (QProgressBar* bar :
         {c().usedPhysicalGauge, c().freePhysicalGauge, c().usedPagingGauge, c().usedVirtualGauge}) {
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->maximum(), 100);
        EXPECT_TRUE(bar->toolTip().isEmpty());
    }
    EXPECT_EQ(barColorOf(c().usedVirtualGauge), QColor(0, 0, 255));
    EXPECT_EQ(c().optimizeAndFreeButton->text(), QStringLiteral("Optimize and free RAM"));
    EXPECT_EQ(c().periodicOptimizeCheck->text(), QStringLiteral("Optimize and free every"));
    EXPECT_FALSE(c().periodicOptimizeCheck->isChecked());
    EXPECT_EQ(c().consumeBytesLabel->text(), QStringLiteral("Consume Memory Bytes"));
    EXPECT_EQ(c().consumeButton->text(), QStringLiteral("GO"));
    EXPECT_EQ(c().periodicRewriteCheck->text(), QStringLiteral("Rewrite every"));
    EXPECT_TRUE(c().periodicRewriteCheck->isChecked());
    EXPECT_EQ(c().rewriteNowButton->text(), QStringLiteral("Rewrite Now"));
    EXPECT_EQ(c().quickConsumeButton->text(), QStringLiteral("Free all Consumed and Quick Consume:"));
    EXPECT_EQ(c().oneThirdRemainsFreeRadio->text(), QStringLiteral("so as one third to remain free"));
    EXPECT_EQ(c().halfRemainsFreeRadio->text(), QStringLiteral("so as half to remain free"));
    EXPECT_EQ(c().thirdOfFreeRadio->text(), QStringLiteral("one third of current free"));
    EXPECT_EQ(c().halfOfFreeRadio->text(), QStringLiteral("half of current free"));
    EXPECT_EQ(c().extraMegabytesRadio->text(), QStringLiteral("Extra Mega Bytes:"));
    EXPECT_TRUE(c().extraMegabytesRadio->isChecked());
    EXPECT_EQ(c().safetyCapLabel->text(), QStringLiteral("Safety Cap RAM Mega Bytes:"));
    EXPECT_TRUE(idleState());

    struct Field {
        SpinEdit* field;
        int minimum, maximum;
        const char* text;
    };
    const Field fields[] = {
        {c().consumeFirstFactorSpin, 0, 4096, "1024"}, {c().consumeSecondFactorSpin, 0, 4096, "1024"},
        {c().consumeThirdFactorSpin, 0, 65521, "1"},   {c().rewriteIntervalSpin, 1, 840, "1"},
        {c().extraMegabytesSpin, -65521, 65521, "0"},  {c().safetyCapSpin, 1, 4096, "10"},
        {c().optimizeIntervalSpin, 1, 840, "1"},
    };
    for (const Field& f : fields) {
        EXPECT_EQ(f.field->minimum(), f.minimum) << f.field->objectName().toStdString();
        EXPECT_EQ(f.field->maximum(), f.maximum) << f.field->objectName().toStdString();
        EXPECT_EQ(f.field->text(), QLatin1String(f.text)) << f.field->objectName().toStdString();
    }
    for (const char* name : {"consumePanelButton", "consumePanel", "usedPhysicalGauge", "freePhysicalGauge",
                             "usedPagingGauge", "usedVirtualGauge", "usedPhysicalLabel", "memoryGraphImage",
                             "optimizeAndFreeButton", "periodicOptimizeCheck", "optimizeIntervalSpin", "consumedGauge",
                             "consumeButton", "quickConsumeButton", "extraMegabytesRadio", "safetyCapSpin"})
        EXPECT_NE(tab->findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
}

// --- memory status --------------------------------------------------------------------------

TEST_F(RamTabTest, SampleShowsGaugesLinesAndTheCaptionPercentage) {
    setMemory(4 * GiB, GiB);
    memory().sampleAndShow();
    EXPECT_EQ(c().freePhysicalGauge->value(), 25);
    EXPECT_EQ(c().usedPhysicalGauge->value(), 75);
    EXPECT_EQ(values.FreeMemPercent, 25);
    EXPECT_EQ(memory().freeMemColor(), FreeMemColor::Red);
    EXPECT_EQ(barColorOf(c().freePhysicalGauge), QColor(255, 0, 0));
    EXPECT_EQ(c().usedPagingGauge->value(), 50); // 3 GiB used of 6
    EXPECT_EQ(c().usedPhysicalLabel->text(), QStringLiteral("Used Physical Memory 3072 MB/ 4096 MB"));
    EXPECT_EQ(c().freePhysicalLabel->text(), QStringLiteral("Free Physical Memory 1024 MB/ 4096 MB"));
    EXPECT_EQ(c().usedPagingLabel->text(), QStringLiteral("Used Paging File 3072 MB/ 6144 MB"));
    EXPECT_EQ(c().usedVirtualLabel->text(), QStringLiteral("Used Virtual Memory 4096 MB/ 134217728 MB"));
    EXPECT_EQ(memory().history().MemIndex, 1);

    setMemory(3000000001, 2000000000); // exactly 2 × (total div 3) free
    memory().sampleAndShow();
    EXPECT_EQ(barColorOf(c().freePhysicalGauge), MemoryController::barColor(FreeMemColor::HotLight));
    setMemory(3000000001, 1999999999);
    memory().sampleAndShow();
    EXPECT_EQ(barColorOf(c().freePhysicalGauge), QColor(255, 255, 0));
    EXPECT_EQ(memory().history().MemIndex, 3);
}

TEST_F(RamTabTest, TheGraphIsDrawnOnlyWhileShown) {
    memory().sampleAndShow();
    EXPECT_TRUE(c().memoryGraphImage->image().isNull());
    graphShown = true;
    memory().sampleAndShow();
    ASSERT_FALSE(c().memoryGraphImage->image().isNull());
    EXPECT_EQ(c().memoryGraphImage->image().size(), c().memoryGraphImage->size());
    EXPECT_EQ(c().memoryGraphImage->image().pixel(0, 0), qRgb(255, 0, 0));
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
    c().consumeThirdFactorSpin->setValue(1);
    consume().onConsumeClicked();
    EXPECT_EQ(target(), MiB);
    EXPECT_EQ(consume().blocks().occupiedCount(), 1);
    EXPECT_EQ(consume().blocks().slot(0).size, MiB);
    EXPECT_TRUE(consumedState());
    EXPECT_TRUE(c().consumedGauge->isHidden());
    EXPECT_TRUE(fake.boxes().isEmpty());

    consume().onConsumeClicked();
    EXPECT_EQ(held(), 0);
    EXPECT_EQ(heap.outstanding, 0);
    EXPECT_EQ(target(), 0);
    EXPECT_TRUE(idleState());
}

TEST_F(RamTabTest, GoWithAProductOfZeroOrAnEmptyFactorDoesNothing) {
    for (const QString& third : {QStringLiteral("0"), QString()}) {
        c().consumeThirdFactorSpin->setText(third);
        consume().onConsumeClicked();
        EXPECT_EQ(target(), 0);
        EXPECT_TRUE(heap.requests.empty());
        EXPECT_TRUE(idleState());
    }
}

TEST_F(RamTabTest, GoAboveOneGibibyteAsksForOneWhileTheTargetKeepsTheProduct) {
    heap.capacity = 0; // refuse it all so nothing is written
    c().consumeThirdFactorSpin->setValue(3000);
    consume().onConsumeClicked();
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
    c().consumeThirdFactorSpin->setValue(64);
    consume().onConsumeClicked();
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_EQ(held(), 40 * MiB);
    silentMode.setChecked(false);
    consume().onConsumeClicked(); // "Free"
    consume().onConsumeClicked(); // "GO" again
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_TRUE(fake.boxes()[0].text.startsWith(QStringLiteral("24 Mega Bytes could not be consumed.")));
}

TEST_F(RamTabTest, ACapAboveTheAvailableMemoryHoldsNothingSilentlyYetSwitchesThePanel) {
    setMemory(4 * GiB, 8 * MiB);
    c().consumeThirdFactorSpin->setValue(4);
    consume().onConsumeClicked();
    EXPECT_EQ(held(), 0);
    EXPECT_TRUE(heap.requests.empty());
    EXPECT_TRUE(fake.boxes().isEmpty());
    EXPECT_TRUE(consumedState());
}

TEST_F(RamTabTest, AnEmptyOrNegativeCapLeavesOneMebibyte) {
    setMemory(4 * GiB, 5 * MiB);
    c().safetyCapSpin->setText(QStringLiteral("-"));
    c().consumeThirdFactorSpin->setValue(100);
    consume().onConsumeClicked();
    EXPECT_EQ(held(), 4 * MiB);
}

// --- quick consume ----------------------------------------------------------------------------

TEST_F(RamTabTest, ConsumeToTwoThirdsAimsAtTwoThirdsAndHoldsOneGibibyte) {
    heap.capacity = 0;
    consume().onConsumeToTwoThirdsTriggered();
    EXPECT_TRUE(c().oneThirdRemainsFreeRadio->isChecked());
    EXPECT_EQ(target(), 2863311531 - GiB);
    EXPECT_EQ(heap.requests.front(), GiB);
    EXPECT_EQ(c().consumeFirstFactorSpin->text(), QStringLiteral("1024"));
    EXPECT_EQ(c().consumeSecondFactorSpin->text(), QStringLiteral("1024"));
    EXPECT_EQ(c().consumeThirdFactorSpin->text(), QStringLiteral("1707"));
    EXPECT_TRUE(consumedState());
    freeConsumed.trigger();
    EXPECT_TRUE(idleState());
}

TEST_F(RamTabTest, MenuItemsSelectTheirChoice) {
    setMemory(4 * GiB, 60 * MiB); // held amounts stay small
    struct Case {
        QAction* item;
        QRadioButton* RamControls::*choice;
        std::int64_t target;
    };
    const Case cases[] = {
        {&consumeHalfOfFree, &RamControls::thirdOfFreeRadio, 20 * MiB},
        // Half of the 40 MiB then free, plus the 20 MiB held.
        {&consumeThirdOfFree, &RamControls::halfOfFreeRadio, 40 * MiB},
        {&consumeToHalf, &RamControls::halfRemainsFreeRadio, 0},
        {&consumeToTwoThirds, &RamControls::oneThirdRemainsFreeRadio, 0},
    };
    for (const Case& k : cases) {
        k.item->trigger();
        const RamControls& controls = c();
        EXPECT_TRUE((controls.*k.choice)->isChecked());
        EXPECT_EQ(target(), k.target);
        EXPECT_EQ(held(), k.target);
        EXPECT_EQ(fake.memoryStatus.availPhys, std::uint64_t(60 * MiB - k.target));
    }
}

TEST_F(RamTabTest, OptionsFollowTheControls) {
    EXPECT_EQ(tab->options(), MemoryOptions{});
    c().periodicOptimizeCheck->setChecked(true);
    c().optimizeIntervalSpin->setText(QStringLiteral("7"));
    c().periodicRewriteCheck->setChecked(false);
    c().rewriteIntervalSpin->setText(QStringLiteral("12"));
    c().consumeFirstFactorSpin->setText(QStringLiteral("2"));
    c().consumeSecondFactorSpin->setText(QStringLiteral("3"));
    c().consumeThirdFactorSpin->setText(QString());
    c().halfOfFreeRadio->setChecked(true);
    c().extraMegabytesSpin->setText(QStringLiteral("-5"));
    c().safetyCapSpin->setText(QStringLiteral("64"));
    const MemoryOptions expected{true, "7", false, "12", "2", "3", "", QuickChoice::HalfOfFree, "-5", "64"};
    EXPECT_EQ(tab->options(), expected);
    c().thirdOfFreeRadio->setChecked(true);
    EXPECT_EQ(tab->options().quickChoice, QuickChoice::ThirdOfFree);
}

TEST_F(RamTabTest, HalfRemainsFreeWhenOthersUseMoreThanHalfOnlyFrees) {
    c().consumeThirdFactorSpin->setValue(2);
    consume().onConsumeClicked();
    ASSERT_EQ(held(), 2 * MiB);
    setMemory(4 * GiB, GiB);
    c().halfRemainsFreeRadio->setChecked(true);
    consume().onQuickConsumeClicked();
    EXPECT_EQ(held(), 0);
    EXPECT_EQ(target(), 0);
    EXPECT_TRUE(idleState());
}

TEST_F(RamTabTest, ExtraMegaBytesAddsToTheTargetAndNegativeValuesTakeAway) {
    consume().onQuickConsumeClicked(); // 0 with nothing consumed: only frees and resets
    EXPECT_EQ(target(), 0);
    EXPECT_TRUE(idleState());
    EXPECT_TRUE(heap.requests.empty());

    c().extraMegabytesSpin->setValue(30);
    consume().onQuickConsumeClicked();
    EXPECT_EQ(target(), 30 * MiB);
    EXPECT_EQ(held(), 30 * MiB);
    EXPECT_EQ(c().consumeThirdFactorSpin->text(), QStringLiteral("30"));
    EXPECT_TRUE(consumedState());

    c().extraMegabytesSpin->setValue(-10);
    consume().onQuickConsumeClicked();
    EXPECT_EQ(target(), 20 * MiB);
    EXPECT_EQ(held(), 20 * MiB);
    EXPECT_EQ(heap.outstanding, 20 * MiB);

    c().extraMegabytesSpin->setValue(-20);
    consume().onQuickConsumeClicked();
    EXPECT_EQ(target(), 0);
    EXPECT_EQ(held(), 0);
    EXPECT_TRUE(idleState());
}

TEST_F(RamTabTest, ExtraMegaBytesBeyondThePhysicalMemoryIsReset) {
    c().extraMegabytesSpin->setText(QStringLiteral("5000"));
    EXPECT_EQ(c().extraMegabytesSpin->text(), QStringLiteral("4095"));
    c().extraMegabytesSpin->setText(QStringLiteral("-5000"));
    EXPECT_EQ(c().extraMegabytesSpin->text(), QStringLiteral("-4095"));
    c().extraMegabytesSpin->setText(QStringLiteral("-"));
    EXPECT_EQ(c().extraMegabytesSpin->text(), QStringLiteral("-"));
    c().extraMegabytesSpin->setText(QStringLiteral("4095"));
    EXPECT_EQ(c().extraMegabytesSpin->text(), QStringLiteral("4095"));
}

// --- optimize and free ------------------------------------------------------------------------

TEST_F(RamTabTest, OptimizeHoldsAllAboveTheCapThenLeavesNoTargetBehind) {
    setMemory(4 * GiB, 74 * MiB);
    consume().onOptimizeAndFreeClicked();
    EXPECT_EQ(heap.requests, std::vector<std::int64_t>{64 * MiB});
    EXPECT_EQ(heap.outstanding, 0);
    EXPECT_EQ(held(), 0);
    EXPECT_EQ(target(), 0);
    EXPECT_TRUE(idleState());
    EXPECT_EQ(heap.trims, 1); // released pages go back to the system at once

    // The next "GO" and "Extra Mega Bytes" consume what they are asked, nothing of the optimization.
    c().consumeThirdFactorSpin->setValue(3);
    consume().onConsumeClicked();
    EXPECT_EQ(held(), 3 * MiB);
    consume().onConsumeClicked(); // "Free"
    consume().onOptimizeAndFreeClicked();
    c().extraMegabytesSpin->setValue(2);
    consume().onQuickConsumeClicked();
    EXPECT_EQ(held(), 2 * MiB);
}

TEST_F(RamTabTest, TheSystemKeepsItsMarginAndTheRestIsReportedAsShortfall) {
    setMemory(4 * GiB, 100 * MiB);
    heap.margin = 64 * MiB;
    c().consumeThirdFactorSpin->setValue(50);
    consume().onConsumeClicked();
    EXPECT_EQ(held(), 36 * MiB);
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_TRUE(fake.boxes()[0].text.startsWith(QStringLiteral("14 Mega Bytes could not be consumed.")));
}

TEST_F(RamTabTest, OptimizeAtOrBelowTheCapDoesNothing) {
    setMemory(4 * GiB, 10 * MiB);
    values.ConsumeTarget = 5;
    consume().onOptimizeNowTriggered();
    EXPECT_TRUE(heap.requests.empty());
    EXPECT_EQ(target(), 5);
}

TEST_F(RamTabTest, OptimizeFirstFreesWhatIsConsumed) {
    setMemory(4 * GiB, 50 * MiB);
    c().consumeThirdFactorSpin->setValue(8);
    consume().onConsumeClicked();
    ASSERT_TRUE(consumedState());
    optimizeNow.trigger();
    EXPECT_TRUE(idleState());
    EXPECT_EQ(heap.outstanding, 0);
    // The amount is taken before the release: 42 MiB available less the cap.
    EXPECT_EQ(heap.requests.back(), 32 * MiB);
}

// --- the periodic work ------------------------------------------------------------------------

TEST_F(RamTabTest, OptimizeEveryReleasesConsumptionAndRunsOnEveryThirdTick) {
    setMemory(4 * GiB, 20 * MiB);
    c().consumeThirdFactorSpin->setValue(4);
    consume().onConsumeClicked();
    ASSERT_EQ(held(), 4 * MiB);
    c().optimizeIntervalSpin->setValue(3);
    EXPECT_EQ(optimizeEvery.text(), QStringLiteral("Optimize and free every 3 minutes"));
    c().periodicOptimizeCheck->setChecked(true);
    EXPECT_TRUE(optimizeEvery.isChecked());
    EXPECT_EQ(held(), 0);
    EXPECT_TRUE(idleState());

    const std::size_t before = heap.requests.size();
    std::vector<std::size_t> requests;
    for (int tick = 0; tick < 6; ++tick) {
        consume().onMinuteTick();
        requests.push_back(heap.requests.size() - before);
    }
    EXPECT_EQ(requests, (std::vector<std::size_t>{0, 0, 1, 1, 1, 2}));
    EXPECT_EQ(heap.outstanding, 0);
}

TEST_F(RamTabTest, TimerFourWaitsWhileTheWarningIsOpen) {
    c().periodicOptimizeCheck->setChecked(true); // optimize on every tick
    heap.capacity = 0;
    std::size_t requestsDuringBox = 0;
    fake.onBox = [&](const platform::fake::RecordedBox&) {
        const std::size_t before = heap.requests.size();
        consume().onMinuteTick();
        requestsDuringBox = heap.requests.size() - before;
    };
    c().consumeThirdFactorSpin->setValue(2);
    consume().onConsumeClicked();
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(requestsDuringBox, 0u);
    EXPECT_EQ(consume().optimizeMinutes(), 0);
    fake.onBox = nullptr;
    consume().onMinuteTick(); // afterwards the tick runs again
    EXPECT_EQ(consume().optimizeMinutes(), 0);
    EXPECT_GT(heap.requests.size(), 22u);
}

TEST_F(RamTabTest, TheMenuItemAndTheBoxMirrorEachOther) {
    optimizeEvery.trigger();
    EXPECT_TRUE(c().periodicOptimizeCheck->isChecked());
    EXPECT_TRUE(optimizeEvery.isChecked());
    optimizeEvery.trigger();
    EXPECT_FALSE(c().periodicOptimizeCheck->isChecked());
    EXPECT_FALSE(optimizeEvery.isChecked());
    c().periodicOptimizeCheck->setChecked(true);
    EXPECT_TRUE(optimizeEvery.isChecked());
}

TEST_F(RamTabTest, TheMinuteTimerCountsTheMinutes) {
    c().optimizeIntervalSpin->setValue(2);
    c().periodicOptimizeCheck->setChecked(true);
    QMetaObject::invokeMethod(tab->minuteTimer(), "timeout");
    EXPECT_EQ(consume().optimizeMinutes(), 1);
}

TEST_F(RamTabTest, RewriteRunsEveryMinutesWhileConsumedAndRoomRemains) {
    setMemory(4 * GiB, 100 * MiB);
    c().consumeThirdFactorSpin->setValue(8);
    consume().onConsumeClicked();
    ASSERT_EQ(held(), 8 * MiB);
    std::memset(consume().blocks().slot(0).address, 0x5A, 8 * MiB);
    c().rewriteIntervalSpin->setValue(2);
    consume().onMinuteTick();
    EXPECT_EQ(consume().rewriteMinutes(), 1);
    EXPECT_EQ(static_cast<const unsigned char*>(consume().blocks().slot(0).address)[0], 0x5A);
    consume().onMinuteTick();
    EXPECT_EQ(consume().rewriteMinutes(), 0);
    EXPECT_EQ(static_cast<const unsigned char*>(consume().blocks().slot(0).address)[0], 0);

    c().periodicRewriteCheck->setChecked(false);
    consume().onMinuteTick();
    EXPECT_EQ(consume().rewriteMinutes(), 0);
}

TEST_F(RamTabTest, RewriteNowWaitsWhileMemoryIsShort) {
    setMemory(4 * GiB, 30 * MiB);
    c().consumeThirdFactorSpin->setValue(8);
    consume().onConsumeClicked(); // 22 MiB remain available
    std::memset(consume().blocks().slot(0).address, 0x5A, 8 * MiB);
    fake.memoryStatus.availPhys = 18 * MiB; // 18 − 10 is not above the 8 MiB target
    consume().onRewriteNowClicked();
    EXPECT_EQ(static_cast<const unsigned char*>(consume().blocks().slot(0).address)[0], 0x5A);
    fake.memoryStatus.availPhys = 19 * MiB;
    consume().onRewriteNowClicked();
    EXPECT_EQ(static_cast<const unsigned char*>(consume().blocks().slot(0).address)[0], 0);
}

TEST_F(RamTabTest, GaugeCountsTargetsBeyondItsIntegerRange) {
    values.ConsumeTarget = 5 * GiB;
    setMemory(16 * GiB, 15 * GiB);
    consume().RewriteConsumed();
    EXPECT_EQ(consume().gauge().maximum(), 5 * GiB);
    EXPECT_LE(c().consumedGauge->maximum(), std::numeric_limits<int>::max());
    EXPECT_GT(c().consumedGauge->maximum(), 0);
    EXPECT_TRUE(c().consumedGauge->isHidden());
}

TEST_F(RamTabTest, FreeConsumedAtExitLowersTheTargetByWhatItCountsFreed) {
    setMemory(4 * GiB, 100 * MiB);
    c().consumeThirdFactorSpin->setValue(30);
    consume().onConsumeClicked(); // 70 MiB remain available
    consume().FreeConsumed();
    EXPECT_EQ(heap.outstanding, 0);
    EXPECT_EQ(target(), 0); // 70 − 1 MiB is above the 30 MiB target: the target counts
}

TEST_F(RamTabTest, FailuresGoToTheGeneralErrorReport) {
    c().optimizeIntervalSpin->setText(QStringLiteral("99999999999"));
    ASSERT_EQ(fake.boxes().size(), 1);
    EXPECT_EQ(fake.boxes()[0].title, QStringLiteral("Torvane 4.4.0"));
    EXPECT_EQ(fake.boxes()[0].flags, platform::MbIconError);
}

} // namespace
