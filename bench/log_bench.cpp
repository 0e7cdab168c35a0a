// veloxan-log-bench: the time of one line of Veloxan.log, written by the
// module's log code through stand-ins that do real file I/O (POSIX open,
// write and close) in a temporary folder, so that what the log asks of the
// system per line shows in the figure. Google Benchmark's own options apply.
// Build it with the bench preset: the host preset adds the sanitizers.

#include "bench/bare_game.h"
#include "game/log.h"

#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string folder;

// Lines per run: all of them fit well below the log's cap, which would
// otherwise stop the writes.
constexpr benchmark::IterationCount kLinesPerRun = 2000;

// A line as the launch writes it; each run starts a fresh log, as a load does.
void LogLine(benchmark::State& state) {
    LogOpen(true);
    const std::uint64_t platform = bare::platformCalls;
    for (auto _ : state) {
        LogBegin("boost launched at ");
        LogFixed(14.9f, 1);
        LogText(" m/s");
        LogEnd();
    }
    const auto lines = static_cast<double>(state.iterations());
    state.counters["platform"] = static_cast<double>(bare::platformCalls - platform) / lines;
    // What reached the file, so that a log that wrote nothing cannot pass
    // for a fast one.
    struct stat written {};
    const bool found = stat((folder + "/Veloxan.log").c_str(), &written) == 0;
    state.counters["bytes"] = found ? static_cast<double>(written.st_size) / lines : 0.0;
}

} // namespace

int main(int argc, char** argv) {
    char pattern[] = "/tmp/veloxan-log-bench-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) {
        std::fprintf(stderr, "veloxan-log-bench: no temporary folder\n");
        return 2;
    }
    folder = made;
    bare::world.moduleFolder = folder.c_str();
    benchmark::RegisterBenchmark("log_line", LogLine)->Iterations(kLinesPerRun);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
