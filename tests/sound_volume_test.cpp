// SFX_volume and the game's sound-effects level: the three recordings play
// from copies of the WAVE resources whose samples are scaled by
// (v/100 x level/10)^2, made once at load and rewritten in place by a restart
// or a change of level; at 100 and 10 the copies are the resources as they
// are. The expected samples are computed here apart from the module, and that
// computation is held to hand-worked samples first.

#include "menu_rows.h"
#include "sim/sound_resources.h"
#include "turbo/turbo_sound.h"
#include "turbo_fixture.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <ostream>

namespace {

using SoundVolume = TurboTest;

// Header of every resource: RIFF, an 18-byte "fmt ", then "data" (the sounds
// test checks it).
constexpr std::size_t kDataOffset = 46;
constexpr std::uint32_t kMemoryPlay = 0x0004 | 0x0001; // SND_MEMORY | SND_ASYNC

std::int16_t Pcm(const std::uint8_t* at) { return static_cast<std::int16_t>(at[0] | at[1] << 8); }

float Float(const std::uint8_t* at) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, at, 4);
    return std::bit_cast<float>(bits);
}

// s * v * v is exact in double and one correctly rounded division decides
// each half; std::round takes halves away from zero.
double ScaledPcm(std::int16_t s, double v) { return std::round(s * v * v / 10000.0); }

// A 16-bit stereo PCM image holding `samples`.
std::vector<std::uint8_t> PcmImage(const std::vector<std::int16_t>& samples) {
    const auto data = static_cast<std::uint32_t>(2 * samples.size());
    std::vector<std::uint8_t> image(kDataOffset + data);
    const std::uint32_t riff = static_cast<std::uint32_t>(image.size()) - 8;
    const std::uint8_t format[18] = {1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16};
    std::memcpy(image.data(), "RIFF", 4);
    std::memcpy(image.data() + 4, &riff, 4);
    std::memcpy(image.data() + 8, "WAVEfmt ", 8);
    image[16] = 18;
    std::memcpy(image.data() + 20, format, 18);
    std::memcpy(image.data() + 38, "data", 4);
    std::memcpy(image.data() + 42, &data, 4);
    std::memcpy(image.data() + kDataOffset, samples.data(), data);
    return image;
}

TEST(SoundVolumeScaling, hand_worked_samples_and_images_it_leaves_alone) {
    struct Worked {
        std::int16_t sample;
        int volume;
        std::int16_t scaled;
        int gameLevel = 10;
    };
    // 1.5 -> 2, 0.5 -> 1, 0.4999 -> 0, 8191.75 -> 8192, -1.5 -> -2, 0.25 -> 0,
    // -32115.9168 -> -32116, 16517.8447 -> 16518.
    const Worked worked[] = {
        {15000, 1, 2},
        {-15000, 1, -2},
        {5000, 1, 1},
        {-5000, 1, -1},
        {4999, 1, 0},
        {32767, 1, 3},
        {-32768, 1, -3},
        {-6, 1, 0},
        {15000, 50, 3750},
        {4999, 50, 1250},
        {32767, 50, 8192},
        {-32768, 50, -8192},
        {2, 50, 1},
        {-2, 50, -1},
        {-6, 50, -2},
        {1, 50, 0},
        {-32768, 99, -32116},
        {32767, 71, 16518},
        // (v/100 x level/10)^2: 0.0625 at 50 and 5, 0.126025 at 71 and 5,
        // 0.09 at 100 and 3: 937.5 -> 938, -1890.375 -> -1890, 2949.03 -> 2949.
        {15000, 50, 938, 5},
        {-15000, 71, -1890, 5},
        {32767, 100, 2949, 3},
    };
    for (const Worked& w : worked) {
        std::vector<std::uint8_t> image = PcmImage({w.sample});
        ASSERT_TRUE(ScaleWaveImage(image.data(), static_cast<std::uint32_t>(image.size()), w.volume,
                                   w.gameLevel));
        EXPECT_EQ(Pcm(image.data() + kDataOffset), w.scaled)
            << w.sample << " at " << w.volume << " and " << w.gameLevel;
        EXPECT_EQ(ScaledPcm(w.sample, w.volume * w.gameLevel / 10.0), w.scaled)
            << "the reference itself";
    }

    // Anything but a whole image of 16-bit PCM or 32-bit float samples plays
    // from the resource: nothing is changed.
    const std::vector<std::uint8_t> good = PcmImage({1000, -1000, 3000, -3000});
    const std::pair<const char*, std::function<void(std::vector<std::uint8_t>&)>> damaged[] = {
        {"not RIFF", [](auto& b) { b[3] = 'X'; }},
        {"not WAVE", [](auto& b) { b[8] = 'X'; }},
        {"8-bit samples", [](auto& b) { b[34] = 8; }},
        {"extensible format", [](auto& b) { b[20] = 0xFE, b[21] = 0xFF; }},
        {"a fmt chunk of 14 bytes", [](auto& b) { b[16] = 14; }},
        {"data longer than the image", [](auto& b) { b[42] = 9; }},
        {"a chunk of 4 GB", [](auto& b) { b[42] = b[43] = b[44] = b[45] = 0xFF; }},
        {"no data chunk", [](auto& b) { b[38] = 'D'; }},
        {"data before fmt", [](auto& b) { std::memcpy(b.data() + 12, "data", 4); }},
        {"cut after the header", [](auto& b) { b.resize(11); }},
    };
    for (const auto& [what, damage] : damaged) {
        std::vector<std::uint8_t> image = good;
        damage(image);
        const std::vector<std::uint8_t> before = image;
        EXPECT_FALSE(ScaleWaveImage(image.data(), static_cast<std::uint32_t>(image.size()), 50))
            << what;
        EXPECT_EQ(image, before) << what;
    }
}

// The copy of resource `id` against the resource scaled at `volume`: the
// same length and header, every sample as computed here. 32-bit floats are
// exact at 50 (x 0.25) and within one step of the float below otherwise.
void ExpectScaledCopy(std::uint32_t id, double volume) {
    const sim::sounds::WaveResource* wave = sim::sounds::Find(id);
    const auto* copy = reinterpret_cast<const std::uint8_t*>(TurboSoundCopy(std::int32_t(id)));
    ASSERT_NE(wave, nullptr);
    ASSERT_NE(copy, nullptr) << id;
    const std::vector<std::uint8_t>& b = wave->bytes;
    ASSERT_EQ(std::memcmp(copy, b.data(), kDataOffset), 0) << id << ": the header";
    const bool isFloat = b[20] == 3;
    const double factor = volume * volume / 10000.0;
    std::size_t wrong = 0;
    for (std::size_t at = kDataOffset; at < b.size(); at += isFloat ? 4 : 2) {
        if (isFloat) {
            const double expected = static_cast<double>(Float(&b[at])) * factor;
            const double got = Float(copy + at);
            wrong += std::abs(got - expected) > std::abs(expected) * 0x1p-23 ? 1 : 0;
        } else {
            wrong += Pcm(copy + at) != ScaledPcm(Pcm(&b[at]), volume) ? 1 : 0;
        }
    }
    EXPECT_EQ(wrong, 0u) << id << " at " << volume;
}

TEST_F(SoundVolume, copies_at_50_then_1_and_100_all_play_from_memory) {
    BootInVehicle("SFX_volume=50\r\nSFX_type=0\r\nduration=10\r\n");
    std::vector<std::int32_t> found;
    for (const sim::CallRecord* c : game.Calls("FindResourceA")) {
        EXPECT_EQ(c->frame, 1u) << "made at load";
        EXPECT_EQ(c->S(1), "WAVE");
        found.push_back(c->I(0));
    }
    EXPECT_EQ(found, (std::vector<std::int32_t>{106, 107, 108}));
    EXPECT_NE(ReadGameFile("Veloxan.log")
                  .find(" New_Install=0 SFX_volume=50 SFX_follow_game=1 game_effects=10\r\n"),
              std::string::npos);
    for (const std::uint32_t id : {106u, 107u, 108u}) {
        ExpectScaledCopy(id, 50);
    }

    LaunchBoost();
    RunUntilState(TurboState::Recharging);
    ASSERT_EQ(game.sounds.size(), 2u);
    for (const auto& [play, id] :
         {std::pair{game.sounds[0], 106}, std::pair{game.sounds[1], 107}}) {
        EXPECT_EQ(play.flags, kMemoryPlay) << id;
        EXPECT_EQ(play.id, std::uint32_t(id)) << "the copy of " << id;
        EXPECT_EQ(play.wave, reinterpret_cast<const std::uint8_t*>(TurboSoundCopy(id))) << id;
        EXPECT_EQ(play.waveBytes, sim::sounds::Find(std::uint32_t(id))->bytes.size()) << id;
        EXPECT_EQ(play.durationMs, sim::sounds::Find(std::uint32_t(id))->durationMs) << id;
    }
    EXPECT_TRUE(game.sounds[0].cutOff) << "the blow-off still cuts the boost's sound";

    // A restart at another volume stops the module's sound, then rewrites the
    // copies where they are.
    const char* before = TurboSoundCopy(107);
    WriteIni("[Veloxan]\r\nSFX_volume=1\r\nSFX_type=0\r\n");
    sim::RestartScript();
    sim::Step();
    EXPECT_EQ(TurboSoundCopy(107), before);
    EXPECT_TRUE(game.sounds[1].cutOff) << "the blow-off stopped before the rewrite";
    for (const std::uint32_t id : {106u, 107u, 108u}) {
        ExpectScaledCopy(id, 1);
    }

    // Full level: an unscaled copy, rewritten where it was, so that no
    // recording ever plays from the module's own mapped image.
    WriteIni("[Veloxan]\r\nSFX_type=0\r\n");
    sim::RestartScript();
    RunUntilState(TurboState::Ready);
    PressTrigger();
    ASSERT_EQ(game.Last("PlaySoundA")->I(1), kMemoryPlay);
    EXPECT_EQ(TurboSoundCopy(107), before);
    EXPECT_EQ(game.sounds.back().wave, reinterpret_cast<const std::uint8_t*>(TurboSoundCopy(106)));
    const std::vector<std::uint8_t>& orca = sim::sounds::Find(106)->bytes;
    EXPECT_EQ(std::memcmp(TurboSoundCopy(106), orca.data(), orca.size()), 0) << "unscaled";
}

// A copy that cannot be made, here of 8-bit samples: that recording plays
// from the module's own resource, at full level.
TEST_F(SoundVolume, a_recording_without_a_copy_plays_from_the_resource) {
    static std::map<std::uint32_t, std::vector<std::uint8_t>> images;
    for (const std::uint32_t id : {106u, 107u, 108u}) {
        images[id] = sim::sounds::Find(id)->bytes;
    }
    images[106][34] = 8;
    sim::sounds::SetResourceSource([](std::uint32_t id, std::vector<std::uint8_t>& bytes) {
        bytes = images.at(id);
        return true;
    });
    struct Restore {
        ~Restore() { sim::sounds::SetResourceSource(nullptr); }
    } restore;
    BootInVehicle("SFX_volume=50\r\nSFX_type=0\r\n");
    EXPECT_EQ(TurboSoundCopy(106), nullptr);
    EXPECT_EQ(TurboSoundLevel(), 1000);
    LaunchBoost();
    ASSERT_EQ(game.sounds.size(), 1u);
    EXPECT_EQ(game.Last("PlaySoundA")->I(0), 106);
    EXPECT_EQ(game.sounds[0].flags, 0x00040004u | 0x0080u | 0x0001u)
        << "SND_RESOURCE | SND_APPLICATION | SND_ASYNC";
}

// The game's sound-effects level, asked at start and at the end of a pause in
// the middle of a boost, with SFX_volume=50: which calls play, and the level
// of each copy afterwards as the volume alone that gives it (50 x level / 10,
// or 100 for a copy left as its resource). A copy is scaled again only before
// it plays: the Lumen recording, never played here, keeps the start's level.
struct EffectsCase {
    const char* name;
    const char* ini; // besides SFX_volume=50
    std::int32_t atStart;
    std::int32_t afterPause;
    std::size_t asks;       // GET_PROFILE_SETTING(300)
    std::size_t soundCalls; // PlaySoundA: spool-up, the pause's stop, the rest, blow-off
    double copyAtStart;
    double copyAfter;   // the spool-up's and the blow-off's
    const char* report; // the start report's sound settings, to the line's end
    const char* logLine;
    // Besides the pause: a restart in the blow-off, or a step of the Volume
    // row up in the boost and another in the blow-off (its copy then at 60).
    bool restart = false;
    bool volumeSteps = false;
};

const EffectsCase kEffectsCases[] = {
    {"level_10_plays_as_SFX_volume_alone", "", 10, 10, 2, 4, 50, 50, "1 game_effects=10\r\n",
     nullptr},
    {"level_10_then_5", "", 10, 5, 2, 4, 50, 25, "1 game_effects=10\r\n",
     "game sound effects level 5: the sounds play at 25.0%\r\n"},
    {"level_5_then_10", "", 5, 10, 2, 4, 25, 50, "1 game_effects=5 (plays at 25.0%)\r\n",
     "game sound effects level 10: the sounds play at 50.0%\r\n"},
    {"level_0_plays_nothing", "", 0, 0, 2, 0, 100, 100, "1 game_effects=0 (plays at 0.0%)\r\n",
     nullptr},
    {"level_10_then_0_neither_the_rest_nor_the_blow_off", "", 10, 0, 2, 2, 50, 50,
     "1 game_effects=10\r\n", "game sound effects level 0: the sounds play at 0.0%\r\n"},
    {"answer_11_counts_as_10", "", 11, 11, 2, 4, 50, 50, "1 game_effects=10\r\n",
     "game sound effects level read 11: outside 0 to 10, taken as 10\r\n"},
    {"follow_game_0_asks_nothing", "SFX_follow_game=0\r\n", 5, 0, 0, 4, 50, 50, "0\r\n", nullptr},
    {"answer_minus_1_counts_as_10", "", -1, -1, 2, 4, 50, 50, "1 game_effects=10\r\n",
     "game sound effects level read -1: outside 0 to 10, taken as 10\r\n"},
    // No preview over the boost; the blow-off stops before its copy changes.
    {"a_volume_step_in_the_boost_and_the_blow_off", "KEY_PC_MENU=16\r\n", 10, 10, 2, 6, 50, 50,
     "1 game_effects=10\r\n", nullptr, false, true},
    {"a_restart_in_the_blow_off", "", 10, 10, 3, 4, 50, 50, "1 game_effects=10\r\n", nullptr, true},
};

void PrintTo(const EffectsCase& c, std::ostream* out) { *out << c.name; }

class EffectsLevel : public TurboTest, public ::testing::WithParamInterface<EffectsCase> {};

TEST_P(EffectsLevel, scales_or_silences_what_plays) {
    const EffectsCase& c = GetParam();
    game.world.sfxLevel = c.atStart;
    BootInVehicle(std::string("SFX_volume=50\r\nSFX_type=0\r\nduration=10\r\n") + c.ini);
    const char* copies[3] = {};
    for (const std::uint32_t id : {106u, 107u, 108u}) {
        ExpectScaledCopy(id, c.copyAtStart);
        copies[id - 106] = TurboSoundCopy(std::int32_t(id));
    }
    // No copy is rewritten while it sounds: the middle of the one that plays.
    std::pair<std::size_t, std::vector<std::uint8_t>> heard;
    game.onCall = [&](const sim::CallRecord& call) {
        const sim::SoundPlay* play = game.sounds.empty() ? nullptr : &game.sounds.back();
        if (play != nullptr && play->wave != nullptr) {
            const std::uint8_t* middle = play->wave + play->waveBytes / 2;
            const std::size_t bytes = std::min<std::size_t>(4096, play->waveBytes / 2);
            const std::pair now{game.sounds.size(), std::vector(middle, middle + bytes)};
            const bool sounds = !play->cutOff && game.tick - play->tick < play->durationMs;
            EXPECT_TRUE(now.first != heard.first || !sounds || now == heard)
                << play->id << " rewritten as it sounds, at " << call.name;
            heard = now;
        }
    };
    if (c.volumeSteps) {
        HoldKey(VK_SHIFT_KEY, 1); // the menu open on its Volume row
        for (int tap = 0; tap <= RowSlot("Volume"); ++tap) {
            HoldKey(tap == 0 ? VK_T : 0x62, 1); // T with Shift, then Numpad 2
            sim::RunFrames(14);
        }
    }
    LaunchBoost();
    game.world.paused = true;
    sim::RunFrames(10);
    game.world.sfxLevel = c.afterPause;
    game.world.paused = false;
    if (c.volumeSteps) {
        game.input.HoldKeyFrames(0x66, game.frame + 2, 3); // Numpad 6 once the pause is over
    }
    RunUntilState(TurboState::Recharging);
    if (c.volumeSteps) {
        HoldKey(0x66, 3);
        sim::RunFrames(3);
    } else if (c.restart) {
        sim::RestartScript();
        sim::Step();
        EXPECT_FALSE(game.sounds.back().cutOff) << "the blow-off sounds on";
    }

    std::size_t asks = 0;
    for (const sim::CallRecord* ask : game.Calls("GET_PROFILE_SETTING")) {
        EXPECT_EQ(ask->I(0), 300);
        ++asks;
    }
    EXPECT_EQ(asks, c.asks);
    EXPECT_EQ(game.Count("PlaySoundA"), c.soundCalls);
    for (const sim::SoundPlay& play : game.sounds) {
        EXPECT_EQ(play.flags, kMemoryPlay) << "from a copy";
    }
    ExpectScaledCopy(106, c.copyAfter);
    ExpectScaledCopy(107, c.volumeSteps ? 60 : c.copyAfter);
    ExpectScaledCopy(108, c.copyAtStart);
    for (const std::uint32_t id : {106u, 107u, 108u}) {
        EXPECT_EQ(TurboSoundCopy(std::int32_t(id)), copies[id - 106]) << id << ": in place";
    }
    const std::string log = ReadGameFile("Veloxan.log");
    EXPECT_NE(log.find(std::string(" SFX_volume=50 SFX_follow_game=") + c.report),
              std::string::npos)
        << log;
    if (c.logLine != nullptr) {
        EXPECT_NE(log.find(c.logLine), std::string::npos) << log;
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, EffectsLevel, ::testing::ValuesIn(kEffectsCases),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
