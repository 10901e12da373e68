#pragma once

#include "core/message_policy.h"
#include "core/shared_values.h"
#include "fake_heap.h"
#include "memory/ram_tab.h"
#include "platform/fake/fake_platform.h"
#include "widgets/option_binding.h"
#include "widgets/spin_edit.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <gtest/gtest.h>

constexpr std::int64_t MiB = 1048576;
constexpr std::int64_t GiB = 1024 * MiB;

// The tab over the fake platform and a fake heap that takes what it hands out from the fake's
// available memory.
class RamTabTest : public ::testing::Test {
protected:
    RamTabTest() {
        silentMode.setCheckable(true);
        bind::checked(&silentMode, options.silentMode);
        optimizeEvery.setCheckable(true);
        optimizeEvery.setText(QStringLiteral("Optimize and free every 1 minutes"));
        setMemory(4 * GiB, 3 * GiB);
        heap.status = &fake.memoryStatus;
        tab = new RamTab(
            fake, policy, values, menuItems(), [this] { return graphShown; }, &heap, &mainWindow);
    }

    // The tab releases what it holds into the heap and values below, so it goes first.
    ~RamTabTest() override { delete tab; }

    void setMemory(std::uint64_t total, std::uint64_t available) {
        fake.memoryStatus.totalPhys = total;
        fake.memoryStatus.availPhys = available;
        fake.memoryStatus.totalPageFile = total + 2 * GiB;
        fake.memoryStatus.availPageFile = available + 2 * GiB;
        fake.memoryStatus.totalVirtual = std::uint64_t(1) << 47;
        fake.memoryStatus.availVirtual = (std::uint64_t(1) << 47) - 4 * GiB;
    }

    MemoryMenuItems menuItems() {
        return {&optimizeNow,   &optimizeEvery,     &freeConsumed,      &consumeToTwoThirds,
                &consumeToHalf, &consumeHalfOfFree, &consumeThirdOfFree};
    }
    const RamControls& c() const { return tab->controls(); }
    ConsumeController& consume() { return tab->consume(); }
    MemoryController& memory() { return tab->memory(); }
    std::int64_t target() const { return values.ConsumeTarget; }
    std::int64_t held() { return consume().blocks().held(); }

    bool consumedState() const {
        return c().consumeButton->text() == QStringLiteral("Free") && !c().consumeFirstFactorSpin->isEnabled() &&
               !c().consumeSecondFactorSpin->isEnabled() && !c().consumeThirdFactorSpin->isEnabled() &&
               !c().rewriteNowButton->isHidden() && !c().periodicRewriteCheck->isHidden() &&
               !c().rewriteIntervalSpin->isHidden() && !c().rewriteMinutesLabel->isHidden();
    }
    bool idleState() const {
        return c().consumeButton->text() == QStringLiteral("GO") && c().consumeFirstFactorSpin->isEnabled() &&
               c().consumeSecondFactorSpin->isEnabled() && c().consumeThirdFactorSpin->isEnabled() &&
               c().rewriteNowButton->isHidden() && c().periodicRewriteCheck->isHidden() &&
               c().rewriteIntervalSpin->isHidden() && c().rewriteMinutesLabel->isHidden();
    }

    platform::fake::FakePlatform fake;
    QWidget mainWindow;
    QAction silentMode{&mainWindow};
    MessageOptions options;
    MessagePolicy policy{fake, &mainWindow, &options};
    QAction optimizeEvery{&mainWindow};
    QAction optimizeNow{&mainWindow};
    QAction freeConsumed{&mainWindow};
    QAction consumeToTwoThirds{&mainWindow};
    QAction consumeToHalf{&mainWindow};
    QAction consumeHalfOfFree{&mainWindow};
    QAction consumeThirdOfFree{&mainWindow};
    SharedValues values;
    FakeHeap heap;
    bool graphShown = false;
    RamTab* tab = nullptr;
};
