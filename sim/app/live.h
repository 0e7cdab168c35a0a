#pragma once
// veloxan-sim --live: the module in the simulated game, in a window, in real
// time. The real keyboard's keys reach the module's GetAsyncKeyState under
// the codes Windows would give them, an SDL game controller is its XInput
// pad 0, the window's focus is the game's, and its sounds play. A few keys
// drive the simulated world instead (see WorldKeyOf in live_input.h and the
// HUD's F1 list). Every frame is one sim::Step of the same Session the
// scenarios use, so a session kept with `recordPath` replays as a scenario
// to the same frames.

#include "sim/app/live_audio.h"
#include "sim/app/run.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace simapp {

struct LiveOptions {
    std::string iniPath;    // the settings to start from; only read
    std::string outDir;     // pictures and the game folder, as for a scenario
    std::string recordPath; // the session as a scenario file; none when empty
    int width = 1280;
    int height = 720;
    bool quiet = false; // no timeline on stdout
    int language = 0;   // the game's, as GET_CURRENT_LANGUAGE answers
    sim::KeyboardLayout keyboard = sim::KeyboardLayout::EnUs; // the player's
    // The game's screen: each frame's picture is drawn at this size and
    // scaled to the window.
    int screenWidth = 1920;
    int screenHeight = 1080;
    // Called before each frame reads its events, with that frame's number;
    // false ends the session. Tests push SDL events from here.
    std::function<bool(std::uint64_t frame)> beforeFrame;
    // Read the window's pixels back after each frame drawn (for tests).
    bool keepWindowPixels = false;
};

struct LivePacing {
    std::uint64_t frames = 0;
    std::uint64_t drawn = 0;
    std::uint64_t notDrawn = 0;   // stepped to catch up with the wall clock
    std::uint64_t clockSlips = 0; // times the game clock was let fall behind
    double slippedMs = 0.0;       // wall-clock time the game lost in them
    double drawMsAverage = 0.0;   // picture, scaling, HUD, upload and present
    double drawMsMax = 0.0;
    bool vsync = false;
};

struct LiveResult {
    RunResult run;
    std::string error; // SDL could not open the window; nothing ran
    bool audioOpen = false;
    std::vector<QueuedSound> sounds; // what reached the audio queue, in order
    int soundStops = 0;
    LivePacing pacing;
    // The window's last frame as shown (XRGB, row by row), and the game
    // frame it shows; empty unless keepWindowPixels.
    std::vector<std::uint32_t> windowPixels;
    std::uint64_t windowFrame = 0;
    std::string recordError; // the record file could not be written
};

LiveResult RunLive(const LiveOptions& options);

} // namespace simapp
