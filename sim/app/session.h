#pragma once
// One run of the module in the simulated game, frame by frame: what a
// scenario and a live session both do. It loads the module into a fresh game
// with a working copy of the settings, applies actions (scenario lines) before
// the frame that first sees them, steps the game and keeps the run's record:
// the timeline, the events, every frame's figures and the pictures asked for.
// The module's state lives as long as the process: one session per process.

#include "sim/app/picture.h"
#include "sim/app/run.h"
#include "sim/app/scenario.h"
#include "sim/game.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace simapp {

struct SessionOptions {
    std::string iniPath; // the settings to start from; only read
    std::string outDir;  // pictures and the game folder (outDir/game)
    int fps = 60;
    bool quiet = false; // no timeline on stdout
    int language = 0;   // the game's, as GET_CURRENT_LANGUAGE answers
    sim::KeyboardLayout keyboard = sim::KeyboardLayout::EnUs; // the player's
    // The game's screen, in pixels: what GET_ASPECT_RATIO answers and the
    // pictures' size, until a screen line changes it.
    int screenWidth = 1920;
    int screenHeight = 1080;
};

// What the picture code draws for a frame: its draw list, the feed messages
// visible then (posted in the last 5 s and not yet removed) and the game's
// state as the world holds it now (the world keeps no history of it).
PictureContent FrameContent(const sim::Game& game, std::uint64_t frame);

class Session {
public:
    explicit Session(const SessionOptions& options) : options_(options) {}

    // A fresh game folder and game, the module loaded and its script
    // started; `intro` goes on the timeline first.
    void Begin(const std::string& intro);
    // Applies one action to the game, for the frame about to run.
    void Execute(const ScenarioLine& line);
    // The frame runs; then its events, figures and pictures are recorded.
    void Step();
    // A picture of the next frame, named `what`.
    void RequestPicture(const std::string& what) { pendingPictures_.push_back(what); }
    void Say(const std::string& what);
    // Stops the script and hands over the record.
    RunResult End();

    // Seconds of game clock since the module was loaded, now and at the end
    // of the frame about to run.
    double Seconds() const;
    double NextFrameTime() const;
    const RunResult& Result() const { return result_; }

private:
    static sim::Game& g() { return sim::game(); }
    sim::Vehicle* PlayerVehicle() { return g().world.Find(g().world.playerVehicle); }
    sim::Vehicle* ActedOn() {
        sim::Vehicle* v = PlayerVehicle();
        return v != nullptr ? v : g().world.Find(lastVehicle_);
    }

    void AddEvent(EventKind kind, const std::string& detail = "") {
        result_.events.push_back({g().frame, Seconds(), kind, detail});
    }
    void OnCall(const sim::CallRecord& c);
    void AfterFrame();
    void Status();
    void GameControls();
    std::string EndCause();
    void TakePicture(const std::string& what);
    void DefaultPictures();
    bool MenuFullyOpen() const;

    SessionOptions options_;
    RunResult result_;
    std::int32_t lastVehicle_ = 0;
    std::vector<std::string> pendingPictures_;
    std::map<std::string, bool> taken_;
    TurboState shown_ = TurboState::Ready;
    GameState shownGame_;
    std::uint32_t lastStatusTick_ = 0;
    std::uint32_t launchTick_ = 0;
    double feedPictureAt_ = -1.0;
    bool collided_ = false;
    std::uint64_t restartFrame_ = 0;
    std::size_t callsSeen_ = 0;
    // The game's own controls as last told: how many a script disabled, the
    // phone, and whether the keypad was pitching the plane.
    std::size_t controlsOff_ = 0;
    bool allControlsOff_ = false;
    bool phoneOut_ = false;
    float pitch_ = 0.0f;
    bool pitching_ = false;
};

} // namespace simapp
