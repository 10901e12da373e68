// One protection tick of the whole program over the fake desktop: 300 hidden windows, a safe list
// of 2000 and a kill list of 500 entries, "Change same names to match each other" checked, silent
// mode and protection on. No window title matches or resembles a list entry, so every safe-list
// lookup that passes a handle (following renamed tasks, and the silent-mode check) runs the
// resemblance stage over all 2000 entries; the windows survive because RunningBefore knows their
// handles. For the ratio, the tick's safe-list lookups run through the program's and the literal recognition
// in the same program.
#include "app/advanced_options_tab.h"
#include "app/main_form.h"
#include "app/main_window.h"
#include "app/torvane_program.h"
#include "lists/task_management_tab.h"
#include "platform/fake/fake_platform.h"
#include "support/literal_recognition.h"
#include "tasks/protection.h"
#include "tasks/recognition.h"
#include "tasks/task_list_index.h"
#include "widgets/task_list_view.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int kWindows = 300;
constexpr int kSafe = 2000;
constexpr int kKill = 500;

// Words of random letters and digits between blanks, 20 to 80 characters: with 62 symbols no two
// such titles share the seven-character run that would make them resemble.
QString randomTitle(std::mt19937& rng) {
    static const QString symbols = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    std::uniform_int_distribution<int> length(20, 80), word(3, 9), pick(0, int(symbols.size()) - 1);
    const int n = length(rng);
    QString title;
    while (title.size() < n) {
        if (!title.isEmpty())
            title += QLatin1Char(' ');
        for (int i = word(rng); i > 0; --i)
            title += symbols[pick(rng)];
    }
    title.truncate(n);
    if (title.endsWith(QLatin1Char(' ')))
        title.back() = QLatin1Char('x');
    return title;
}

class ProtectionWorkload {
public:
    ProtectionWorkload() {
        std::mt19937 rng(2026);
        for (int i = 0; i < kWindows; ++i)
            m_handles.push_back(m_fake.addWindow(randomTitle(rng), false, platform::ProcessId(5000 + i)));
        m_program = std::make_unique<TorvaneProgram>(m_fake.platform(), m_dir.path() + QLatin1Char('/'));
        const TaskTabControls& f = m_program->mainWindow().taskTab().controls();
        for (int i = 0; i < kSafe; ++i)
            f.safeListView->taskModel().append({randomTitle(rng), 0});
        for (int i = 0; i < kKill; ++i)
            f.killListView->taskModel().append({randomTitle(rng), 0});
        m_program->mainWindow().advancedTab().controls().matchSameNamesCheck->setChecked(true);
        m_fake.queueAnswer(platform::IdYes);
        protection().toggleProtection();
        form().silentModeAction->setChecked(true);
        // Known by handle only: the titles differ from the windows' ones.
        for (platform::WindowHandle handle : m_handles)
            m_knownByHandle.push_back({randomTitle(rng), handle});
    }

    MainForm& form() { return m_program->mainWindow().form(); }
    TaskManagementTab& taskTab() { return m_program->mainWindow().taskTab(); }
    Protection& protection() { return m_program->mainWindow().protection(); }
    platform::fake::FakePlatform& fake() { return m_fake; }
    bool ready() { return protection().protectionOn() && m_program->mainWindow().policy().silentMode(); }
    void forgetTitles() { protection().lists().RunningBefore = m_knownByHandle; }

private:
    platform::fake::FakePlatform m_fake;
    QTemporaryDir m_dir;
    std::unique_ptr<TorvaneProgram> m_program;
    std::vector<platform::WindowHandle> m_handles;
    TaskList m_knownByHandle;
};

// Made in main, after the application object, and gone before it.
std::unique_ptr<ProtectionWorkload> g_workload;

ProtectionWorkload& workload() {
    return *g_workload;
}

void protectionTick(benchmark::State& state) {
    ProtectionWorkload& w = workload();
    if (!w.ready()) {
        state.SkipWithError("protection or silent mode is off");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        w.forgetTitles(); // each tick finds the windows by handle, as the first one after a rename
        state.ResumeTiming();
        w.protection().onProtectionTick();
    }
    if (!w.fake().terminatedProcesses().empty() || !w.fake().closeRequests().empty())
        state.SkipWithError("a window was killed: the workload is not what it claims");
    if (w.protection().lists().allSnapshot.size() != std::size_t(kWindows))
        state.SkipWithError("the tick did not see the windows");
}
BENCHMARK(protectionTick)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The first tick after the safe list changed: no remembered answer holds, and the list's index is
// built again before the tick's lookups.
void protectionTickCold(benchmark::State& state) {
    ProtectionWorkload& w = workload();
    TaskListModel& safe = w.taskTab().controls().safeListView->taskModel();
    const TaskEntry first = safe.tasks().front();
    bool changed = false;
    for (auto _ : state) {
        state.PauseTiming();
        w.forgetTitles();
        changed = !changed;
        safe.setEntry(0, changed ? TaskEntry{first.title + QStringLiteral(" changed"), 0} : first);
        state.ResumeTiming();
        w.protection().onProtectionTick();
    }
    safe.setEntry(0, first);
    if (!w.fake().terminatedProcesses().empty() || !w.fake().closeRequests().empty())
        state.SkipWithError("a window was killed: the workload is not what it claims");
}
BENCHMARK(protectionTickCold)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The lookups of one tick that reach the resemblance stage (following renamed tasks, then the
// silent-mode check: two safe-list lookups per window), for the first `state.range(0)` windows,
// through the program's recognition and through the literal one, for the ratio. The literal one is
// too slow to run over all 300 windows in a benchmark's time.
enum class Lookup { Literal, Scan, Indexed };

template <Lookup Kind> void safeListLookups(benchmark::State& state) {
    ProtectionWorkload& w = workload();
    const RecognitionOptions options;
    TaskList windows;
    for (const platform::fake::FakeWindow& window : w.fake().windows())
        if (windows.size() < std::size_t(state.range(0)))
            windows.push_back({window.title, window.handle});
    const TaskList& safe = w.taskTab().controls().safeListView->taskModel().tasks();
    const TaskListIndex index(safe);
    auto find = [&](const TaskEntry& task) {
        switch (Kind) {
        case Lookup::Literal:
            return literal::FindTask(safe, task.title, task.handle, options);
        case Lookup::Scan:
            return FindTask(safe, task.title, task.handle, options);
        case Lookup::Indexed:
            break;
        }
        return index.find(safe, task.title, task.handle, options);
    };
    for (auto _ : state) {
        int found = 0;
        for (int pass = 0; pass < 2; ++pass)
            for (const TaskEntry& task : windows)
                found += find(task) != -1;
        if (found != 0)
            state.SkipWithError("a window title resembles a safe-list entry");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(safeListLookups<Lookup::Indexed>)
    ->Name("safeListLookups/indexed")
    ->Arg(10)
    ->Arg(kWindows)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(safeListLookups<Lookup::Scan>)
    ->Name("safeListLookups/scan")
    ->Arg(10)
    ->Arg(kWindows)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(safeListLookups<Lookup::Literal>)->Name("safeListLookups/literal")->Arg(10)->Unit(benchmark::kMillisecond);

// Building the index over the 2000 safe-list entries, as after a change of the list.
void safeListIndexBuild(benchmark::State& state) {
    const TaskList& safe = workload().taskTab().controls().safeListView->taskModel().tasks();
    for (auto _ : state)
        benchmark::DoNotOptimize(TaskListIndex(safe));
}
BENCHMARK(safeListIndexBuild)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    g_workload = std::make_unique<ProtectionWorkload>();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_workload.reset();
    return 0;
}
