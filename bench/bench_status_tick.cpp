// One statusTimer tick of the real program (connection state from /proc, memory status from /proc,
// gauges, and the memory graph when its tab shows), with the RAM tab hidden and shown.
#include "app/main_form.h"
#include "app/main_window.h"
#include "app/torvane_program.h"
#include "platform/fake/fake_platform.h"
#include "platform/linux/net/linux_network.h"
#include "platform/linux/proc/proc_memory_info.h"

#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct RealTick {
    platform::fake::FakePlatform fake;
    platform::LinuxNetwork network;
    platform::ProcMemoryInfo memory;
    platform::Platform services{fake, fake, memory, fake, network, fake, fake, fake, fake};
    QTemporaryDir baseDir;
    TorvaneProgram program{services, baseDir.path() + "/"};

    explicit RealTick(bool ramTabShown) {
        MainWindow& main = program.mainWindow();
        main.form().mainTabs->setCurrentWidget(ramTabShown ? main.form().ramPage : main.form().taskManagementPage);
        main.show();
        QApplication::processEvents();
    }
};

void tick(benchmark::State& state, bool ramTabShown) {
    RealTick real(ramTabShown);
    for (auto _ : state)
        real.program.mainWindow().onStatusTick();
}

void BM_StatusTick_RamTabHidden(benchmark::State& state) {
    tick(state, false);
}
void BM_StatusTick_RamTabShown(benchmark::State& state) {
    tick(state, true);
}
BENCHMARK(BM_StatusTick_RamTabHidden)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StatusTick_RamTabShown)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
