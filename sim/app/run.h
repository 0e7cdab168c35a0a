#pragma once
// One run of the module in the simulated game, driven by a scenario: the
// timeline, the pictures and every frame's figures for the plot and the CSV.
// The module's state lives as long as the process: one run per process.

#include "sim/app/scenario.h"
#include "turbo/turbo.h"

#include <cstdint>
#include <string>
#include <vector>

namespace simapp {

struct RunOptions {
    std::string iniPath; // the settings to start from; only read
    Scenario scenario;
    std::string outDir;
    int fps = 60;
    std::vector<double> shots; // seconds
    bool quiet = false;        // no timeline on stdout
    int language = 0;          // the game's, as GET_CURRENT_LANGUAGE answers
    sim::KeyboardLayout keyboard = sim::KeyboardLayout::EnUs; // the player's
    int screenWidth = 1920; // the game's screen, until a screen line
    int screenHeight = 1080;
};

// The game's own state in a frame: its pause menu, and which busy states
// hold, one bit per entry of kBusyStateNames.
struct GameState {
    bool paused = false;
    std::uint8_t busy = 0;
    bool operator==(const GameState&) const = default;
};

GameState GameStateOf(const sim::World& world);
// "playing", or the scenario words of what holds joined by '+':
// "paused", "cutscene+nocontrol", "paused+dead".
std::string GameStateWords(GameState state);
// What a picture or the HUD says of it: "" while playing, else "paused",
// "busy: cutscene", "paused, busy: dead".
std::string GameStateLabel(GameState state);

struct FrameSample {
    std::uint64_t frame = 0;
    double time = 0.0; // seconds of game clock since the module's load
    TurboState state = TurboState::Ready;
    float speedKmh = 0.0f;
    float enginePower = 1.0f;
    float timeScale = 1.0f;
    bool menuOpen = false;
    std::uint32_t nativeCalls = 0; // natives the module called in the frame
    GameState game;
};

// Game: the game's state changed; its detail is the new state's words.
enum class EventKind { Press, Launch, End, Collision, Message, Sound, Game };

struct Event {
    std::uint64_t frame = 0;
    double time = 0.0;
    EventKind kind = EventKind::Press;
    std::string detail; // the end's cause, the message, the sound's ID, the game's state
};

struct RunResult {
    std::vector<FrameSample> frames;
    std::vector<Event> events;
    std::vector<std::string> timeline;        // the lines as printed
    std::vector<std::string> pictures;        // file names in outDir, in order
    std::vector<std::uint64_t> pictureFrames; // the frame each shows
    std::vector<std::string> faults;          // wrong calls the simulated game caught
    std::string gameDir;                      // holds the working copy of Veloxan.ini
    bool ended = false;                       // an "end" line was reached
};

RunResult RunScenario(const RunOptions& options);

const char* StateName(TurboState state);
const char* EventName(EventKind kind);
// How the plot marks an event: "end: crash", the message's text, "sound 107",
// "game paused".
std::string EventLabel(const Event& event);

} // namespace simapp
