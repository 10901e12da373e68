// The memory half of statusTimer's tick (a status query, four gauges with their lines, and the graph
// while its tab is shown), ours against a literal tick that sets every control on every tick and
// draws the graph segment by segment; and consuming then freeing 1 GiB against the literal
// allocate, zero, free. Status queries come from the fake (the code's own cost) and from
// /proc/meminfo (what a tick really costs).
#include "core/message_policy.h"
#include "core/shared_values.h"
#include "memory/consumed_blocks.h"
#include "memory/graph_image.h"
#include "memory/memory_graph_painter.h"
#include "memory/ram_tab.h"
#include "memory/system_heap_allocator.h"
#include "platform/fake/fake_platform.h"
#include "platform/linux/proc/proc_memory_info.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QTabWidget>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr std::int64_t MiB = 1048576;
constexpr std::int64_t GiB = 1024 * MiB;

// The tick as the program's description reads, step by step: every control set on every tick,
// the colour set anew, the graph drawn with one line call per segment.
class LiteralTick {
public:
    LiteralTick(const MemoryStatusControls& c, platform::MemoryInfo& memory, SharedValues& values)
        : m_c(c), m_memory(memory), m_values(values) {}

    void onStatusTick(bool shown) {
        const platform::MemoryStatus r = SampleMemory(shown);
        const std::int64_t t = MemTotal / 3;
        QColor color = QGuiApplication::palette().color(QPalette::Active, QPalette::Link);
        if (t > MemAvail)
            color = Qt::red;
        else if (2 * t > MemAvail)
            color = Qt::yellow;
        QPalette palette = m_c.freePhysicalGauge->palette();
        palette.setColor(QPalette::Highlight, color);
        m_c.freePhysicalGauge->setPalette(palette);
        m_c.freePhysicalGauge->setValue(round(double(MemAvail) / double(MemTotal) * 100));
        m_c.usedPhysicalGauge->setValue(100 - m_c.freePhysicalGauge->value());
        m_c.usedPagingGauge->setValue(round(double(r.totalPageFile - r.availPageFile) / double(r.totalPageFile) * 100));
        m_c.usedVirtualGauge->setValue(round(double(r.totalVirtual - r.availVirtual) / double(r.totalVirtual) * 100));
        m_c.usedPhysicalLabel->setText(line("Used Physical Memory ", MemTotal - MemAvail, MemTotal));
        m_c.freePhysicalLabel->setText(line("Free Physical Memory ", MemAvail, MemTotal));
        m_c.usedPagingLabel->setText(line("Used Paging File ", r.totalPageFile - r.availPageFile, r.totalPageFile));
        m_c.usedVirtualLabel->setText(line("Used Virtual Memory ", r.totalVirtual - r.availVirtual, r.totalVirtual));
        m_values.FreeMemPercent = round(double(MemAvail) / double(MemTotal) * 100);
    }

private:
    static int round(double v) { return static_cast<int>(std::nearbyint(v)); }
    static QString line(const char* label, std::int64_t used, std::int64_t total) {
        return QString::fromLatin1(label) + QString::number(used / 1024 / 1024) + QStringLiteral(" MB/ ") +
               QString::number(total / 1024 / 1024) + QStringLiteral(" MB");
    }

    platform::MemoryStatus SampleMemory(bool shown) {
        const platform::MemoryStatus r = m_memory.globalMemoryStatus();
        MemIndex = MemIndex + 1 > 200 ? 1 : MemIndex + 1;
        MemTotal = static_cast<std::int64_t>(r.totalPhys);
        MemAvail = static_cast<std::int64_t>(r.availPhys);
        MemHistory[MemIndex] = MemTotal - MemAvail;
        const std::int64_t v = MemHistory[MemIndex];
        if (v + v / 5 > GraphHigh)
            GraphHigh = v + v / 5;
        if (GraphHigh > MemTotal)
            GraphHigh = MemTotal;
        if (shown)
            drawMemoryGraph();
        return r;
    }

    void drawMemoryGraph() {
        QImage& image = m_c.memoryGraphImage->canvas();
        const int w = image.width();
        const int h = image.height();
        const QColor hotLight = QGuiApplication::palette().color(QPalette::Active, QPalette::Link);
        QPainter p(&image);
        p.fillRect(0, 0, w, h, hotLight);
        p.setPen(Qt::red);
        p.drawRect(0, 0, w - 1, h - 1);
        p.setPen(Qt::yellow);
        QPoint at(0, h);
        int s = MemIndex;
        for (int j = 1; j <= 200; ++j) {
            const double ratio =
                GraphHigh == GraphLow ? 0.0 : double(MemHistory[s] - GraphLow) / double(GraphHigh - GraphLow);
            const QPoint to(round(j * (double(w) / 200)), h - round(ratio * (h - 20)));
            p.drawLine(at, to);
            at = to;
            s = s == 200 ? 1 : s + 1;
        }
        p.setPen(Qt::red);
        p.setBackgroundMode(Qt::OpaqueMode);
        p.setBackground(hotLight);
        const int ascent = p.fontMetrics().ascent();
        p.drawText(w - 55, 10 + ascent, QString::number(MemHistory[MemIndex] / 1024 / 1024) + QStringLiteral(" MB"));
        p.drawText(10, 10 + ascent, QString::number(GraphHigh / 1024 / 1024) + QStringLiteral(" MB"));
        p.drawText(10, h - 22 + ascent, QString::number(GraphLow / 1024 / 1024) + QStringLiteral(" MB"));
        p.fillRect(0, 0, 5, h, Qt::red);
        p.fillRect(0, h - 5, w, 5, Qt::red);
        m_c.memoryGraphImage->update();
    }

    MemoryStatusControls m_c;
    platform::MemoryInfo& m_memory;
    SharedValues& m_values;
    std::int64_t MemHistory[201] = {};
    int MemIndex = 0;
    std::int64_t GraphLow = 0, GraphHigh = 0, MemTotal = 0, MemAvail = 0;
};

// A tab over either status source; the fake's available memory wanders so that texts and the line
// change from tick to tick as they do on a live machine.
struct TickBench {
    platform::fake::FakePlatform fake;
    platform::ProcMemoryInfo proc;
    MessagePolicy policy{fake};
    SharedValues values;
    QWidget window;
    QAction optimizeEvery{&window};
    bool shown = false;
    RamTab* tab = nullptr;
    std::unique_ptr<LiteralTick> literal;

    explicit TickBench(bool realStatus) {
        fake.memoryStatus = proc.globalMemoryStatus();
        platform::MemoryInfo& source = realStatus ? static_cast<platform::MemoryInfo&>(proc) : fake;
        tab = new RamTab(
            source, policy, values, MemoryMenuItems{.periodicOptimizeAction = &optimizeEvery}, [this] { return shown; },
            nullptr, &window);
        tab->resize(1200, 800);
        tab->controls().memoryGraphImage->resize(450, 377);
        literal = std::make_unique<LiteralTick>(tab->controls(), source, values);
    }
    void wander(std::int64_t i) { fake.memoryStatus.availPhys = 8 * GiB + (i * 7919 % 997) * MiB; }
};

void runTicks(benchmark::State& state, bool literal, bool shown, bool realStatus) {
    TickBench bench(realStatus);
    bench.shown = shown;
    std::int64_t i = 0;
    for (auto _ : state) {
        bench.wander(++i);
        if (literal)
            bench.literal->onStatusTick(shown);
        else
            bench.tab->memory().sampleAndShow();
        benchmark::DoNotOptimize(bench.values.FreeMemPercent);
    }
}

void BM_Tick_Ours_Hidden(benchmark::State& s) {
    runTicks(s, false, false, false);
}
void BM_Tick_Literal_Hidden(benchmark::State& s) {
    runTicks(s, true, false, false);
}
void BM_Tick_Ours_Shown(benchmark::State& s) {
    runTicks(s, false, true, false);
}
void BM_Tick_Literal_Shown(benchmark::State& s) {
    runTicks(s, true, true, false);
}
void BM_Tick_Ours_Hidden_ProcMeminfo(benchmark::State& s) {
    runTicks(s, false, false, true);
}
void BM_Tick_Ours_Shown_ProcMeminfo(benchmark::State& s) {
    runTicks(s, false, true, true);
}

void BM_StatusQuery_ProcMeminfo(benchmark::State& state) {
    platform::ProcMemoryInfo proc;
    for (auto _ : state)
        benchmark::DoNotOptimize(proc.globalMemoryStatus());
}

BENCHMARK(BM_Tick_Ours_Hidden);
BENCHMARK(BM_Tick_Literal_Hidden);
BENCHMARK(BM_Tick_Ours_Shown);
BENCHMARK(BM_Tick_Literal_Shown);
BENCHMARK(BM_StatusQuery_ProcMeminfo);
BENCHMARK(BM_Tick_Ours_Hidden_ProcMeminfo);
BENCHMARK(BM_Tick_Ours_Shown_ProcMeminfo);

// --- consuming and freeing 1 GiB --------------------------------------------------------------

// A heap that refuses blocks above a size, to show the cost of the halving search.
class LimitedHeap : public SystemHeapAllocator {
public:
    explicit LimitedHeap(std::size_t maxBlock) : m_maxBlock(maxBlock) {}
    void* allocate(std::size_t size) override {
        return size > m_maxBlock ? nullptr : SystemHeapAllocator::allocate(size);
    }

private:
    std::size_t m_maxBlock;
};

void consumeAndFree(benchmark::State& state, HeapAllocator& heap) {
    ConsumedBlocks blocks(heap);
    for (auto _ : state) {
        const std::int64_t shortfall = blocks.consume(GiB);
        if (shortfall != 0)
            state.SkipWithError("the heap could not give 1 GiB");
        blocks.releaseAll();
    }
    state.SetBytesProcessed(state.iterations() * GiB);
}

void BM_ConsumeAndFree1GiB_Ours(benchmark::State& state) {
    SystemHeapAllocator heap;
    consumeAndFree(state, heap);
}

void BM_ConsumeAndFree1GiB_Ours_64MiBBlocks(benchmark::State& state) {
    LimitedHeap heap(64 * MiB);
    ConsumedBlocks blocks(heap);
    for (auto _ : state) {
        blocks.consume(GiB);
        state.counters["blocks"] = blocks.occupiedCount();
        state.counters["requests"] = blocks.lastRequests();
        blocks.releaseAll();
    }
    state.SetBytesProcessed(state.iterations() * GiB);
}

// Called through a volatile pointer: a plain malloc followed by memset(0) is folded into calloc,
// which hands out untouched zero pages and commits nothing.
void* (*volatile fillChar)(void*, int, std::size_t) = std::memset;

// GetMem, FillChar, FreeMem: one block, zeroed, released.
void BM_ConsumeAndFree1GiB_Literal(benchmark::State& state) {
    for (auto _ : state) {
        void* block = std::malloc(GiB);
        if (!block) {
            state.SkipWithError("out of memory");
            break;
        }
        fillChar(block, 0, GiB);
        benchmark::DoNotOptimize(block);
        benchmark::ClobberMemory();
        std::free(block);
    }
    state.SetBytesProcessed(state.iterations() * GiB);
}

// A real 1 GiB request that cannot be met: the address space is limited to 300 MiB above what the
// process maps now, so the heap refuses and the halving search must end promptly.
void BM_Consume1GiB_AddressSpaceLimited(benchmark::State& state) {
    rlimit saved{};
    getrlimit(RLIMIT_AS, &saved);
    SystemHeapAllocator heap;
    ConsumedBlocks blocks(heap);
    for (auto _ : state) {
        state.PauseTiming();
        QFile statm(QStringLiteral("/proc/self/statm"));
        statm.open(QIODevice::ReadOnly);
        const std::int64_t mapped = statm.readAll().split(' ').value(0).toLongLong() * sysconf(_SC_PAGESIZE);
        rlimit limited = saved;
        limited.rlim_cur = static_cast<rlim_t>(mapped + 300 * MiB);
        setrlimit(RLIMIT_AS, &limited);
        state.ResumeTiming();
        const std::int64_t shortfall = blocks.consume(GiB);
        state.PauseTiming();
        state.counters["held_MiB"] = double(blocks.held()) / MiB;
        state.counters["shortfall_MiB"] = double(shortfall) / MiB;
        state.counters["requests"] = blocks.lastRequests();
        state.counters["blocks"] = blocks.occupiedCount();
        blocks.releaseAll();
        setrlimit(RLIMIT_AS, &saved);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_ConsumeAndFree1GiB_Ours)->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_ConsumeAndFree1GiB_Literal)->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_ConsumeAndFree1GiB_Ours_64MiBBlocks)->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_Consume1GiB_AddressSpaceLimited)->Unit(benchmark::kMillisecond)->Iterations(8);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
