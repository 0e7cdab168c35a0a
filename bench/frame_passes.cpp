// veloxan-frame-passes: runs a number of main-loop passes of one situation
// against the bare stand-ins and prints the calls per pass. It is what
// scripts/callgrind.sh runs under valgrind: the passes of RunMeasuredPasses
// alone are counted, not the start-up nor the way into the situation.
//
//   veloxan-frame-passes SITUATION PASSES

#include "bench/bare_game.h"
#include "bench/situations.h"
#include "script/script_main.h"

#include <cstdio>
#include <cstdlib>

namespace {

[[gnu::noinline]] void RunMeasuredPasses(bare::Situation situation, long passes) {
    for (long i = 0; i < passes; ++i) {
        bare::HoldSituation(situation);
        MainLoopPass();
    }
}

} // namespace

int main(int argc, char** argv) {
    bare::Situation situation{};
    const long passes = argc == 3 ? std::strtol(argv[2], nullptr, 10) : 0;
    if (argc != 3 || !bare::SituationFromName(argv[1], situation) || passes <= 0) {
        std::fprintf(stderr, "usage: veloxan-frame-passes SITUATION PASSES\nsituations:");
        for (const bare::Situation s : bare::kSituations) {
            std::fprintf(stderr, " %s", bare::SituationName(s));
        }
        std::fprintf(stderr, "\n");
        return 2;
    }
    bare::StartModule();
    bare::EnterSituation(situation);
    const std::uint64_t natives = bare::nativeCalls;
    const std::uint64_t platform = bare::platformCalls;
    RunMeasuredPasses(situation, passes);
    std::printf("%s: %ld passes, %.1f natives and %.1f platform calls per pass\n", argv[1], passes,
                static_cast<double>(bare::nativeCalls - natives) / static_cast<double>(passes),
                static_cast<double>(bare::platformCalls - platform) / static_cast<double>(passes));
    return 0;
}
