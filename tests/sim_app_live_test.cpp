// veloxan-sim --live under SDL's dummy video and audio drivers: key events
// pushed into SDL's queue open the menu, raise a slider, fire a boost and
// crash it. The window shows the picture code's frame; the session kept with
// --record replays to the same CSV; the module's sounds reach the audio
// queue. And the key table against the codes Windows sends.

#include "sim/app/hud.h"
#include "sim/app/key_map.h"
#include "sim/app/live.h"
#include "sim/app/picture.h"
#include "sim/app/plot.h"
#include "sim/app/scenario_keys.h"
#include "sim/app/session.h"
#include "sim/game.h"
#include "sim/sound_resources.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
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
    std::istringstream rows(csv.str());
    for (std::string row; std::getline(rows, row);) {
        std::istringstream cells(row);
        std::string cell;
        for (int column = 0; column <= 6 && std::getline(cells, cell, ','); ++column) {
        }
        menuFrames += cell == "1" ? 1 : 0; // menu_open
    }
    EXPECT_GT(menuFrames, 60);
    EXPECT_NE(csv.str().find("end=crash"), std::string::npos);
    EXPECT_NE(ReadFile(options.recordPath).find("hold num6"), std::string::npos);

    // Each sound the module played reached the queue, from the bytes of its
    // resource, converted whole: the Lumen spool-up, then the blow-off that
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
        EXPECT_EQ(live.sounds[i].wave, wave->bytes.data());
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
