// veloxan-sim --live under SDL's dummy video and audio drivers: key events
// pushed into SDL's queue open the menu, raise a slider, fire a boost and
// crash it. The window shows the picture code's frame; the session kept with
// --record replays to the same CSV; the module's sounds reach the audio
// queue. And the key table against the codes Windows sends.

#include "platform/platform.h"
#include "sim/app/hud.h"
#include "sim/app/key_map.h"
#include "sim/app/live.h"
#include "sim/app/picture.h"
#include "sim/app/plot.h"
#include "sim/app/scenario_keys.h"
#include "sim/app/session.h"
#include "sim/game.h"
#include "sim/platform_calls.h"
#include "sim/sound_resources.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstring>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void PushKey(SDL_Keycode key, SDL_Scancode code, bool down, Uint16 mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = key;
    e.key.keysym.scancode = code;
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
}

TEST(SimLive, KeysDriveTheModuleTheWindowShowsItAndTheRecordReplays) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const std::string dir =
        (std::filesystem::temp_directory_path() / ("veloxan-live-test-" + std::to_string(getpid())))
            .string();
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);

    // Frame by frame, as a player's hands would: into a car with the
    // throttle down, Shift + T, the keypad's 2 and 6 with Num Lock on,
    // Shift + T again, T for a boost, and a crash (Delete) while it runs.
    struct Press {
        SDL_Keycode key;
        SDL_Scancode code;
        bool down;
        Uint16 mod;
    };
    std::map<std::uint64_t, std::vector<Press>> script;
    auto tap = [&](std::uint64_t frame, SDL_Keycode key, SDL_Scancode code, std::uint64_t frames,
                   Uint16 mod = KMOD_NONE) {
        script[frame].push_back({key, code, true, mod});
        script[frame + frames].push_back({key, code, false, mod});
    };
    tap(10, SDLK_HOME, SDL_SCANCODE_HOME, 4);
    // The game's states: the pause menu on Pause and off on Insert, a short
    // cutscene on ], the HUD hidden a moment (/), and the control taken
    // away (.) to the end.
    tap(20, SDLK_PAUSE, SDL_SCANCODE_PAUSE, 2);
    tap(30, SDLK_INSERT, SDL_SCANCODE_INSERT, 2);
    tap(32, SDLK_RIGHTBRACKET, SDL_SCANCODE_RIGHTBRACKET, 1);
    tap(36, SDLK_RIGHTBRACKET, SDL_SCANCODE_RIGHTBRACKET, 1);
    tap(390, SDLK_PERIOD, SDL_SCANCODE_PERIOD, 2);
    tap(50, SDLK_SLASH, SDL_SCANCODE_SLASH, 1);
    tap(54, SDLK_SLASH, SDL_SCANCODE_SLASH, 1);
    // The game's sound-effects level one lower (-), after the sounds.
    tap(380, SDLK_MINUS, SDL_SCANCODE_MINUS, 1);
    script[15].push_back({SDLK_UP, SDL_SCANCODE_UP, true, KMOD_NONE});
    for (const std::uint64_t chord : {40, 160}) {
        tap(chord, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, 15, KMOD_LSHIFT);
        tap(chord + 5, SDLK_t, SDL_SCANCODE_T, 7, KMOD_LSHIFT);
    }
    tap(100, SDLK_KP_2, SDL_SCANCODE_KP_2, 6, KMOD_NUM); // Duration -> Initial Boost
    tap(130, SDLK_KP_6, SDL_SCANCODE_KP_6, 1, KMOD_NUM); // one step up
    tap(200, SDLK_t, SDL_SCANCODE_T, 6);
    tap(330, SDLK_DELETE, SDL_SCANCODE_DELETE, 3);
    constexpr std::uint64_t kLastFrame = 400;

    simapp::LiveOptions options;
    options.iniPath = VELOXAN_RELEASE_INI;
    options.outDir = dir + "/live";
    options.recordPath = dir + "/session.txt";
    options.width = 640;
    options.height = 360;
    options.quiet = true;
    options.keepWindowPixels = true;
    options.beforeFrame = [&](std::uint64_t frame) {
        if (frame == 1) {
            // The dummy driver's window starts without keyboard focus.
            SDL_Event e{};
            e.type = SDL_WINDOWEVENT;
            e.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
            SDL_PushEvent(&e);
        }
        for (const Press& p : script[frame]) {
            PushKey(p.key, p.code, p.down, p.mod);
        }
        return frame <= kLastFrame;
    };
    const simapp::LiveResult live = simapp::RunLive(options);
    ASSERT_EQ(live.error, "");
    EXPECT_EQ(live.recordError, "");
    EXPECT_TRUE(live.run.faults.empty());
    const sim::Game& game = sim::game();
    ASSERT_EQ(game.frame, kLastFrame);

    // The keys reached the module: the menu saved Initial Boost one step
    // (2.5 points) above the release package's 35, and the boost ended in
    // the crash with the blow-off sound.
    std::ostringstream csv;
    simapp::WriteCsv(live.run, csv);
    EXPECT_NE(ReadFile(dir + "/live/game/Veloxan.ini").find("\nboost=37"), std::string::npos);
    int menuFrames = 0;
    std::map<std::string, int> gameFrames;
    std::istringstream rows(csv.str());
    for (std::string row; std::getline(rows, row);) {
        std::istringstream cells(row);
        std::vector<std::string> cell(9);
        for (std::size_t column = 0; column < cell.size(); ++column) {
            std::getline(cells, cell[column], ',');
        }
        menuFrames += cell[6] == "1" ? 1 : 0; // menu_open
        ++gameFrames[cell[8]];
    }
    EXPECT_GT(menuFrames, 60);
    EXPECT_NE(csv.str().find("end=crash"), std::string::npos);
    EXPECT_EQ(gameFrames["paused"], 10);
    EXPECT_EQ(gameFrames["cutscene"], 4);
    EXPECT_EQ(gameFrames["nocontrol"], 11);
    const std::string record = ReadFile(options.recordPath);
    EXPECT_NE(record.find("hold num6"), std::string::npos);
    for (const char* line :
         {"0.320 pause on", "0.480 pause off", "0.512 busy cutscene on", "0.576 busy cutscene off",
          "0.800 hud hidden on", "0.864 hud hidden off", "6.080 game sfx 9",
          "6.240 busy nocontrol on"}) {
        EXPECT_NE(record.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(simapp::FrameContent(game, kLastFrame).gameState, "busy: nocontrol");
    EXPECT_EQ(game.world.sfxLevel, 9);

    // Each sound the module played reached the queue, from the module's copy
    // of its resource, converted whole: the Lumen spool-up, then the blow-off that
    // cut it off.
    ASSERT_TRUE(live.audioOpen);
    ASSERT_EQ(game.sounds.size(), 2u);
    ASSERT_EQ(live.sounds.size(), 2u);
    const std::uint32_t ids[] = {108, 107};
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(ids[i]);
        const sim::sounds::WaveResource* wave = sim::sounds::Find(ids[i]);
        ASSERT_NE(wave, nullptr);
        EXPECT_EQ(game.sounds[i].id, ids[i]);
        EXPECT_EQ(live.sounds[i].wave, game.sounds[i].wave);
        EXPECT_EQ(std::memcmp(live.sounds[i].wave, wave->bytes.data(), wave->bytes.size()), 0);
        EXPECT_EQ(live.sounds[i].waveBytes, wave->bytes.size());
        EXPECT_NEAR(live.sounds[i].queuedMs, wave->durationMs, 2.0);
    }
    EXPECT_TRUE(game.sounds[0].cutOff);

    // The window's last frame is the picture code's frame at that time,
    // scaled to the window, pixel for pixel, but for the HUD's box.
    ASSERT_EQ(live.windowFrame, kLastFrame);
    ASSERT_EQ(live.windowPixels.size(), 640u * 360u);
    simapp::Picture full(simapp::kPictureWidth, simapp::kPictureHeight);
    simapp::Draw(full, simapp::FrameContent(game, live.windowFrame));
    simapp::Picture scaled(640, 360);
    simapp::ScaleTo(full, scaled);
    const simapp::HudBox hud = simapp::HudPlace(640, 360, false);
    int differ = 0, differInHud = 0;
    for (int y = 0; y < 360; ++y) {
        for (int x = 0; x < 640; ++x) {
            const simapp::Rgb p = scaled.Pixel(x, y);
            const std::uint32_t want =
                static_cast<std::uint32_t>(p.red << 16 | p.green << 8 | p.blue);
            const std::uint32_t shown =
                live.windowPixels[static_cast<std::size_t>(y) * 640 + static_cast<std::size_t>(x)] &
                0xFFFFFF;
            const bool inHud =
                x >= hud.x && x < hud.x + hud.width && y >= hud.y && y < hud.y + hud.height;
            (inHud ? differInHud : differ) += shown != want ? 1 : 0;
        }
    }
    EXPECT_EQ(differ, 0);
    EXPECT_GT(differInHud, hud.width * hud.height / 2) << "no HUD drawn";

    // The record, replayed as a scenario by the program, gives the same CSV.
    const std::string replay = dir + "/replay";
    const std::string command = std::string(VELOXAN_SIM_PROGRAM) + " --quiet --ini " +
                                VELOXAN_RELEASE_INI + " --scenario " + options.recordPath +
                                " --out " + replay + " > " + dir + "/replay.log 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadFile(dir + "/replay.log");
    EXPECT_EQ(ReadFile(replay + "/session.csv"), csv.str());
    std::filesystem::remove_all(dir);
}

// A recording resumed from memory: a WAVE header written over the played
// bytes of a whole copy, so that the image starts inside the larger buffer.
// The simulated PlaySoundA and the live window's audio both take it from its
// header on, play the rest alone, and stop on PlaySoundA(NULL, NULL, 0).
TEST(SimLive, AResumedImageInsideALargerBufferPlaysTheRestAndStops) {
    const sim::sounds::WaveResource* wave = sim::sounds::Find(108);
    ASSERT_NE(wave, nullptr);
    std::vector<std::uint8_t> copy = wave->bytes;
    auto chunk = [&](const char* tag) {
        const auto at = std::search(copy.begin(), copy.end(), tag, tag + 4);
        EXPECT_NE(at, copy.end()) << tag;
        return static_cast<std::size_t>(at - copy.begin());
    };
    const std::size_t fmt = chunk("fmt "), data = chunk("data");
    std::uint16_t blockAlign = 0;
    std::uint32_t rate = 0, dataBytes = 0;
    std::memcpy(&rate, &copy[fmt + 12], 4);
    std::memcpy(&blockAlign, &copy[fmt + 20], 2);
    std::memcpy(&dataBytes, &copy[data + 4], 4);
    // Resume 2 s in: a 44-byte header ends where the rest begins.
    const std::size_t played = std::size_t{rate} * 2 * blockAlign;
    const auto rest = static_cast<std::uint32_t>(dataBytes - played);
    const std::size_t image = data + 8 + played - 44;
    const std::uint32_t riff = 36 + rest, fmtBytes = 16;
    std::memcpy(&copy[image], "RIFF", 4);
    std::memcpy(&copy[image + 4], &riff, 4);
    std::memcpy(&copy[image + 8], "WAVEfmt ", 8);
    std::memcpy(&copy[image + 16], &fmtBytes, 4);
    std::memmove(&copy[image + 20], &wave->bytes[fmt + 8], 16);
    std::memcpy(&copy[image + 36], "data", 4);
    std::memcpy(&copy[image + 40], &rest, 4);
    const std::uint8_t* start = copy.data() + image;
    const double restMs = wave->durationMs - 2000.0;

    sim::Reset();
    const char* name = reinterpret_cast<const char*>(start);
    EXPECT_TRUE(sim::platform::PlaySound(name, nullptr, SND_MEMORY | SND_ASYNC));
    const sim::Game& game = sim::game();
    ASSERT_EQ(game.sounds.size(), 1u);
    EXPECT_EQ(game.sounds[0].wave, start);
    EXPECT_EQ(game.sounds[0].waveBytes, 44u + rest);
    EXPECT_NEAR(game.sounds[0].durationMs, restMs, 1.0);
    sim::Step();
    EXPECT_TRUE(sim::platform::PlaySound(nullptr, nullptr, 0));
    EXPECT_TRUE(game.sounds[0].cutOff);
    EXPECT_EQ(game.sounds[0].playedMs, game.options.msPerFrame);

    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    {
        simapp::LiveAudio audio;
        ASSERT_TRUE(audio.Open());
        audio.Play(start, game.sounds[0].waveBytes);
        audio.Stop();
        ASSERT_EQ(audio.Queued().size(), 1u);
        EXPECT_NEAR(audio.Queued()[0].queuedMs, restMs, 2.0);
        EXPECT_EQ(audio.Stops(), 1);
    }
    SDL_Quit();
}

// A handful of keys against the codes Windows gives them, then every code's
// scenario name, which a recorded session writes, against the parser.
TEST(SimLive, KeyTableGivesWindowsCodesAndTheirNamesReadBack) {
    struct Case {
        SDL_Keycode key;
        bool numLock;
        int vk;
        int either;
    };
    const Case cases[] = {
        {SDLK_t, true, 'T', 0},           {SDLK_a, false, 'A', 0},
        {SDLK_z, true, 'Z', 0},           {SDLK_0, true, '0', 0},
        {SDLK_9, false, '9', 0},          {SDLK_LSHIFT, true, 0xA0, 0x10},
        {SDLK_RSHIFT, false, 0xA1, 0x10}, {SDLK_RCTRL, true, 0xA3, 0x11},
        {SDLK_LALT, true, 0xA4, 0x12},    {SDLK_KP_8, true, 0x68, 0},
        {SDLK_KP_8, false, 0x26, 0},      {SDLK_KP_0, true, 0x60, 0},
        {SDLK_KP_0, false, 0x2D, 0},      {SDLK_KP_5, false, 0x0C, 0},
        {SDLK_KP_PERIOD, true, 0x6E, 0},  {SDLK_KP_PERIOD, false, 0x2E, 0},
        {SDLK_KP_ENTER, false, 0x0D, 0},  {SDLK_KP_PLUS, false, 0x6B, 0},
        {SDLK_F1, true, 0x70, 0},         {SDLK_F12, true, 0x7B, 0},
        {SDLK_UP, false, 0x26, 0},        {SDLK_SPACE, true, 0x20, 0},
        {SDLK_ESCAPE, true, 0x1B, 0},     {SDLK_BACKSPACE, true, 0x08, 0},
        {SDLK_MINUS, true, 0xBD, 0},      {SDLK_AC_BACK, true, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(SDL_GetKeyName(c.key));
        const simapp::VirtualKeys vk = simapp::KeyToVirtualKeys(c.key, c.numLock);
        EXPECT_EQ(vk.vk, c.vk) << "Num Lock " << c.numLock;
        EXPECT_EQ(vk.either, c.either);
    }
    for (int vk = 1; vk < 256; ++vk) {
        EXPECT_EQ(simapp::KeyFromName(simapp::ScenarioKeyName(vk)), vk) << vk;
    }
}

} // namespace
