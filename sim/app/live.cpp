#include "sim/app/live.h"

#include "sim/app/hud.h"
#include "sim/app/live_input.h"
#include "sim/app/picture.h"
#include "sim/app/scenario.h"
#include "sim/app/session.h"

#include <SDL2/SDL.h>
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

namespace simapp {

namespace {

// A frame that comes this late is stepped without being drawn, so that the
// game clock keeps up with the wall clock; but never more than this many in
// a row, so that the window still moves when drawing is slow.
constexpr int kMostFramesNotDrawn = 3;
// Further behind than this, the game clock is let fall behind the wall clock
// instead of rushing to catch up: the game runs slower, never in jumps.
constexpr double kMostLagSeconds = 0.25;

// The leak checker of the sanitized build: allocations made between these
// calls are never reported. Weak, so that a build without it links too.
extern "C" __attribute__((weak)) void __lsan_disable();
extern "C" __attribute__((weak)) void __lsan_enable();

// SDL loads libraries (D-Bus, the X11 input method) that keep allocations
// for the life of the process, and SDL_Quit unloads them, so that the leak
// checker can neither name them nor be told to pass over them by name: the
// calls into SDL that may allocate run under this guard.
class SdlAllocations {
public:
    SdlAllocations() {
        if (__lsan_disable != nullptr) {
            __lsan_disable();
        }
    }
    ~SdlAllocations() {
        if (__lsan_enable != nullptr) {
            __lsan_enable();
        }
    }
    SdlAllocations(const SdlAllocations&) = delete;
    SdlAllocations& operator=(const SdlAllocations&) = delete;
};

bool PollEvent(SDL_Event& e) {
    const SdlAllocations sdl;
    return SDL_PollEvent(&e) != 0;
}

double Now() {
    return static_cast<double>(SDL_GetPerformanceCounter()) /
           static_cast<double>(SDL_GetPerformanceFrequency());
}

class Live {
public:
    explicit Live(const LiveOptions& options)
        : options_(options),
          session_({options.iniPath, options.outDir, 60, options.quiet, options.language,
                    options.keyboard, options.screenWidth, options.screenHeight}),
          full_(options.screenWidth, options.screenHeight), window_(options.width, options.height),
          input_([this](const std::string& action) { Act(action); }) {}
    ~Live();
    Live(const Live&) = delete;
    Live& operator=(const Live&) = delete;

    LiveResult Run();

private:
    sim::Game& g() { return sim::game(); }
    bool OpenWindow();
    bool OpenRecord();
    bool ReadEvents();
    void Act(const std::string& action);
    void PlaySounds();
    void DrawFrame();
    HudContent Hud();

    const LiveOptions& options_;
    LiveResult result_;
    Session session_;
    Picture full_;
    Picture window_;
    SDL_Window* sdlWindow_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    LiveAudio audio_;
    std::ofstream record_;
    int lineNumber_ = 0;
    LiveInput input_;

    std::uint64_t drawnFrame_ = 0;
    std::size_t soundsSeen_ = 0;
    std::size_t stoppedSound_ = static_cast<std::size_t>(-1);
    double drawMsSum_ = 0.0, drawMsRecent_ = 0.0;
};

Live::~Live() {
    if (texture_ != nullptr) {
        SDL_DestroyTexture(texture_);
    }
    if (renderer_ != nullptr) {
        SDL_DestroyRenderer(renderer_);
    }
    if (sdlWindow_ != nullptr) {
        SDL_DestroyWindow(sdlWindow_);
    }
}

bool Live::OpenWindow() {
    sdlWindow_ =
        SDL_CreateWindow("veloxan-sim --live", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         options_.width, options_.height, SDL_WINDOW_SHOWN);
    if (sdlWindow_ == nullptr) {
        return false;
    }
    renderer_ = SDL_CreateRenderer(sdlWindow_, -1, SDL_RENDERER_PRESENTVSYNC);
    if (renderer_ == nullptr) {
        renderer_ = SDL_CreateRenderer(sdlWindow_, -1, 0);
    }
    if (renderer_ == nullptr) {
        return false;
    }
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer_, &info);
    result_.pacing.vsync = (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
    // Cairo's RGB24 is SDL's RGB888: 32 bits a pixel, the top byte unused.
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                 options_.width, options_.height);
    input_.SetFocus((SDL_GetWindowFlags(sdlWindow_) & SDL_WINDOW_INPUT_FOCUS) != 0);
    return texture_ != nullptr;
}

bool Live::OpenRecord() {
    if (options_.recordPath.empty()) {
        return true;
    }
    record_.open(options_.recordPath, std::ios::binary | std::ios::trunc);
    const std::string header[] = {
        "# A live session of veloxan-sim, kept as a scenario: each key, pad button and",
        "# world control at the game time of the frame that first saw it.",
        "# Settings: " + options_.iniPath,
        "# Replay: veloxan-sim --scenario " + options_.recordPath + " --ini " + options_.iniPath,
    };
    for (const std::string& line : header) {
        record_ << line << '\n';
        ++lineNumber_;
    }
    record_.flush();
    return static_cast<bool>(record_);
}

// One action for the frame about to run: written to the record as the line a
// scenario would have, read back by the scenario parser and applied by the
// same Session code a scenario's line is, so that a replay does the same.
void Live::Act(const std::string& action) {
    char time[32];
    std::snprintf(time, sizeof time, "%.3f ", session_.NextFrameTime());
    const std::string text = time + action;
    std::istringstream in(text);
    Scenario parsed;
    std::string error;
    if (!ParseScenario("live", in, parsed, error) || parsed.lines.size() != 1) {
        session_.Say("live: " + error);
        return;
    }
    ScenarioLine line = parsed.lines.front();
    line.line = ++lineNumber_;
    if (record_.is_open()) {
        record_ << text << '\n';
        record_.flush();
    }
    session_.Execute(line);
}

// Every event waiting is read, even after one that ends the session.
bool Live::ReadEvents() {
    bool quit = false;
    SDL_Event e;
    while (PollEvent(e)) {
        if (input_.Read(e)) {
            quit = true;
        }
    }
    return quit;
}

// Each PlaySoundA the module made in the frame: a new sound cuts off the one
// playing, the stop form (which marks the sound playing as cut off without
// starting one) stops it.
void Live::PlaySounds() {
    const std::vector<sim::SoundPlay>& sounds = g().sounds;
    for (; soundsSeen_ < sounds.size(); ++soundsSeen_) {
        audio_.Play(sounds[soundsSeen_].wave, sounds[soundsSeen_].waveBytes);
    }
    if (!sounds.empty() && sounds.back().cutOff && stoppedSound_ != sounds.size() - 1) {
        audio_.Stop();
        stoppedSound_ = sounds.size() - 1;
    }
}

HudContent Live::Hud() {
    HudContent hud;
    const sim::World& world = g().world;
    const auto it = world.vehicles.find(world.playerVehicle);
    const sim::Vehicle* v = it != world.vehicles.end() ? &it->second : nullptr;
    hud.speedKmh = v != nullptr ? v->speed * 3.6f : 0.0f;
    hud.enginePower = v != nullptr ? v->enginePowerMultiplier : 1.0f;
    hud.vehicle = v != nullptr ? VehicleClassWord(v->vehicleClass)
                               : std::string("on foot, Home: ") + input_.ChosenClass();
    if (v != nullptr && v->vehicleClass == sim::VehicleClass::Plane) {
        hud.planePitch = v->pitch;
        hud.planeRoll = v->roll;
    }
    hud.handbrake = v != nullptr && v->handbrake;
    hud.usingKeyboard = g().input.usingKeyboard;
    hud.phoneOut = world.phoneOut;
    hud.hudHidden = world.hudHidden;
    hud.controlsOff = world.disabledControls.size();
    hud.allControlsOff = world.allControlsDisabled;
    hud.turbo = StateName(turboState);
    hud.game = GameStateWords(GameStateOf(world));
    hud.gameSfx = world.sfxLevel;
    hud.timeScale = world.timeScale;
    const RunResult& run = session_.Result();
    hud.nativeCalls = run.frames.empty() ? 0 : run.frames.back().nativeCalls;
    hud.foreground = g().input.foreground;
    hud.pad = input_.PadConnected();
    hud.drawMs = drawMsRecent_;
    hud.help = input_.Help();
    return hud;
}

void Live::DrawFrame() {
    const double start = Now();
    Draw(full_, FrameContent(g(), g().frame));
    ScaleTo(full_, window_);
    DrawHud(window_, Hud());
    cairo_surface_flush(window_.Surface());
    SDL_UpdateTexture(texture_, nullptr, cairo_image_surface_get_data(window_.Surface()),
                      cairo_image_surface_get_stride(window_.Surface()));
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    if (options_.keepWindowPixels) {
        result_.windowPixels.assign(static_cast<std::size_t>(options_.width) *
                                        static_cast<std::size_t>(options_.height),
                                    0);
        SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB888,
                             result_.windowPixels.data(), options_.width * 4);
        result_.windowFrame = g().frame;
    }
    drawnFrame_ = g().frame;
    const double ms = (Now() - start) * 1000.0;
    {
        const SdlAllocations sdl;
        SDL_RenderPresent(renderer_);
    }
    LivePacing& p = result_.pacing;
    ++p.drawn;
    drawMsSum_ += ms;
    p.drawMsMax = std::max(p.drawMsMax, ms);
    drawMsRecent_ = p.drawn == 1 ? ms : 0.9 * drawMsRecent_ + 0.1 * ms;
}

LiveResult Live::Run() {
    if (!OpenRecord()) {
        result_.error = "--record: cannot write " + options_.recordPath;
        return result_;
    }
    {
        const SdlAllocations sdl;
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
            result_.error = std::string("SDL cannot start its video: ") + SDL_GetError();
            return result_;
        }
        // Without a pad subsystem or a sound device the rest still runs.
        SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
            result_.audioOpen = audio_.Open();
        }
        if (!OpenWindow()) {
            result_.error = std::string("SDL cannot open the window: ") + SDL_GetError();
            return result_;
        }
    }

    session_.Begin("Veloxan in the simulated game; live session");
    sim::Game& game = g();
    const double frameSeconds = game.options.msPerFrame / 1000.0;
    LivePacing& pacing = result_.pacing;
    double origin = Now();
    int notDrawnInARow = 0;
    for (;;) {
        if (options_.beforeFrame && !options_.beforeFrame(game.frame + 1)) {
            break;
        }
        if (ReadEvents()) {
            break;
        }
        input_.WriteLines();
        session_.Step();
        PlaySounds();
        ++pacing.frames;

        // The frame's moment on the wall clock: one frame length after the
        // one before, from the start or from the last slip.
        const double due = origin + static_cast<double>(pacing.frames) * frameSeconds;
        double late = Now() - due;
        if (late > kMostLagSeconds) {
            origin += late;
            ++pacing.clockSlips;
            pacing.slippedMs += late * 1000.0;
            late = 0.0;
        }
        if (late < frameSeconds || notDrawnInARow >= kMostFramesNotDrawn) {
            DrawFrame();
            notDrawnInARow = 0;
        } else {
            ++pacing.notDrawn;
            ++notDrawnInARow;
        }
        const double wait = origin + static_cast<double>(pacing.frames) * frameSeconds - Now();
        if (wait > 0.0) {
            SDL_Delay(static_cast<std::uint32_t>(wait * 1000.0));
        }
    }
    // The window shows the last frame, whatever the pacing skipped.
    if (pacing.frames > 0 && drawnFrame_ != game.frame) {
        DrawFrame();
    }
    pacing.drawMsAverage = pacing.drawn > 0 ? drawMsSum_ / static_cast<double>(pacing.drawn) : 0.0;
    Act("end");
    if (record_.is_open() && !record_) {
        result_.recordError = "--record: writing " + options_.recordPath + " failed";
    }
    result_.run = session_.End();
    result_.run.ended = true;
    result_.sounds = audio_.Queued();
    result_.soundStops = audio_.Stops();
    return result_;
}

} // namespace

LiveResult RunLive(const LiveOptions& options) {
    auto live = std::make_unique<Live>(options);
    LiveResult result = live->Run();
    const SdlAllocations sdl;
    live.reset(); // the window and the devices close
    SDL_Quit();
    return result;
}

} // namespace simapp
