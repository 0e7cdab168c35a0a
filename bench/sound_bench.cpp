// veloxan-sound-bench: what scaling a copy of a recording again costs, with
// the real recordings as the module's resources: each copy alone, as a level
// change before its next play does it, and the menu pass that makes a step
// of the Volume row (its preview's copy scaled, the blow-off played). Build
// it with the bench preset: the host preset adds the sanitizers.
//
//   veloxan-sound-bench [Google Benchmark options]

#include "bench/bare_game.h"
#include "bench/situations.h"
#include "menu/menu_item.h"
#include "script/script_main.h"
#include "settings/settings.h"
#include "turbo/turbo_sound.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr const char* kFiles[] = {"spool_orca.wav", "blowoff.wav", "spool_lumen.wav"};
std::vector<unsigned char> waves[3];

constexpr int kNumpad4 = 0x64;
constexpr int kNumpad6 = 0x66;

// The copy of recording `id` scaled again from its resource: between 50 and
// 55, so that every iteration finds it stale.
void Rescale(benchmark::State& state, std::int32_t id) {
    bool up = false;
    for (auto _ : state) {
        Settings.SFX_volume = up ? 55 : 50;
        up = !up;
        TurboSoundLevelChanged(id);
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(waves[id - kSpoolSoundOrca].size()));
}

// The open menu on the Volume row, a quarter second between passes, right
// and left in turn: every pass steps the volume.
void VolumeStepPass(benchmark::State& state) {
    bare::EnterSituation(bare::Situation::MenuStill);
    for (int slot = 0; RowAt(rootPage, slot) != nullptr; ++slot) {
        if (std::strcmp(RowAt(rootPage, slot)->label, "Volume") == 0) {
            rootPage.selectedIndex = static_cast<std::int8_t>(slot);
        }
    }
    const std::uint64_t natives = bare::nativeCalls;
    const std::uint64_t platform = bare::platformCalls;
    bool right = Settings.SFX_volume < 100;
    for (auto _ : state) {
        bare::world.tick += 250;
        bare::world.keyDown[right ? kNumpad6 : kNumpad4] = true;
        MainLoopPass();
        bare::world.keyDown[right ? kNumpad6 : kNumpad4] = false;
        right = !right;
    }
    const auto perPass = [](std::uint64_t calls) {
        return benchmark::Counter(static_cast<double>(calls), benchmark::Counter::kAvgIterations);
    };
    state.counters["natives"] = perPass(bare::nativeCalls - natives);
    state.counters["platform"] = perPass(bare::platformCalls - platform);
}

bool LoadWaves() {
    for (std::size_t k = 0; k < std::size(kFiles); ++k) {
        const std::string path = std::string(VELOXAN_SOUND_DIR) + "/" + kFiles[k];
        std::ifstream in(path, std::ios::binary);
        waves[k].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (waves[k].empty()) {
            std::fprintf(stderr, "veloxan-sound-bench: cannot read %s\n", path.c_str());
            return false;
        }
        bare::world.waves[k] = waves[k].data();
        bare::world.waveSizes[k] = static_cast<std::uint32_t>(waves[k].size());
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (!LoadWaves()) {
        return 1;
    }
    bare::StartModule();
    benchmark::RegisterBenchmark("rescale_orca_spool_up", Rescale, kSpoolSoundOrca);
    benchmark::RegisterBenchmark("rescale_blow_off", Rescale, kShutdownSound);
    benchmark::RegisterBenchmark("rescale_lumen_spool_up", Rescale, kSpoolSoundLumen);
    benchmark::RegisterBenchmark("menu_pass_with_a_volume_step", VolumeStepPass);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
