// FindTask's resemblance stage at its worst: a 256-character name against 1000 titles of 256
// characters, none of which resembles it, so every title is tested in full. The literal
// step-by-step implementation runs in the same program for the ratio.
// Two kinds of titles: varied ones (64 different characters), which the fast version mostly rules
// out by their character pairs, and titles over 12 characters, whose pairs all look plausible so
// that each one is streamed through the name's automaton.
#include "support/literal_recognition.h"
#include "tasks/recognition.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

constexpr int kEntries = 1000;
constexpr int kLength = 256;
constexpr LookupHandle kUnknownHandle = 0x0badcafe;

QString randomTitle(std::mt19937& rng, const QString& alphabet) {
    std::uniform_int_distribution<int> pick(0, int(alphabet.size()) - 1);
    QString s;
    for (int i = 0; i < kLength; ++i)
        s.append(alphabet[pick(rng)]);
    return s;
}

struct Workload {
    TaskList list;
    QString name;
    explicit Workload(const QString& alphabet) {
        std::mt19937 rng(2024);
        name = randomTitle(rng, alphabet);
        const RecognitionOptions o;
        while (list.size() < kEntries) {
            // Over few characters a random title now and then does resemble; keep only misses.
            const QString title = randomTitle(rng, alphabet);
            if (!ResembleByCount(title, name, 6, o) && !ResembleByPercent(title, name, 10, o))
                list.push_back({title, platform::WindowHandle(list.size() + 1)});
        }
    }
};

const Workload& workload(bool fewCharacters) {
    static const Workload varied(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -."));
    static const Workload few(QStringLiteral("abcdefghijkl"));
    return fewCharacters ? few : varied;
}

RecognitionOptions modeOptions(bool percent) {
    RecognitionOptions o; // the controls at start: total mode, a = 6, minimum length 3
    if (percent) {
        o.percentMode = true;
        o.runLength = 10; // the lowest percentage: the most runs for the literal loops
    }
    return o;
}

template <bool Literal> void findTask(benchmark::State& state) {
    const Workload& w = workload(state.range(1) != 0);
    const RecognitionOptions o = modeOptions(state.range(0) != 0);
    for (auto _ : state) {
        const int r = Literal ? literal::FindTask(w.list, w.name, kUnknownHandle, o)
                              : FindTask(w.list, w.name, kUnknownHandle, o);
        if (r != -1) {
            state.SkipWithError("the workload must not match");
            return;
        }
        benchmark::DoNotOptimize(r);
    }
    state.SetLabel(std::string(state.range(0) ? "percent p=10" : "total a=6") +
                   (state.range(1) ? ", 12 characters" : ", 64 characters"));
}

} // namespace

// Arguments: mode (0 total, 1 percent), titles (0 varied, 1 over 12 characters).
BENCHMARK(findTask<false>)->Name("FindTask/fast")->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond);
BENCHMARK(findTask<true>)
    ->Name("FindTask/literal")
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

BENCHMARK_MAIN();
