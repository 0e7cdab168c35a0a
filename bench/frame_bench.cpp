// veloxan-frame-bench: the time of one main-loop pass of the module in each
// situation, and the native and platform calls it makes, against the bare
// stand-ins. Google Benchmark's own options apply (--benchmark_filter=...).
// Build it with the bench preset: the host preset adds the sanitizers.

#include "bench/bare_game.h"
#include "bench/situations.h"
#include "script/script_main.h"

#include <benchmark/benchmark.h>

namespace {

void Pass(benchmark::State& state, bare::Situation situation) {
    bare::EnterSituation(situation);
    const std::uint64_t natives = bare::nativeCalls;
    const std::uint64_t platform = bare::platformCalls;
    for (auto _ : state) {
        bare::HoldSituation(situation);
        MainLoopPass();
    }
    const auto perPass = [](std::uint64_t calls) {
        return benchmark::Counter(static_cast<double>(calls), benchmark::Counter::kAvgIterations);
    };
    state.counters["natives"] = perPass(bare::nativeCalls - natives);
    state.counters["platform"] = perPass(bare::platformCalls - platform);
}

} // namespace

int main(int argc, char** argv) {
    bare::StartModule();
    for (const bare::Situation situation : bare::kSituations) {
        benchmark::RegisterBenchmark(bare::SituationName(situation), Pass, situation);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
