#include "sim/app/live.h"

#include "sim/app/hud.h"
#include "sim/app/key_map.h"
#include "sim/app/key_names.h"
#include "sim/app/picture.h"
#include "sim/app/session.h"

#include <SDL2/SDL.h>
#include <cairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <set>
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
// A wall at speed: enough to end a boost at any sensitivity.
constexpr int kCollisionKmh = 80;

constexpr const char* kClassNames[] = {"car", "bike", "plane", "boat", "helicopter"};
constexpr int kClassCount = static_cast<int>(sizeof kClassNames / sizeof kClassNames[0]);

// The keys that drive the simulated world, never passed to the module. None
// is a default key of the module (T, Shift, the keypad's 8 2 4 6 5 0) or one
// the release package's Veloxan.ini offers (letters, digits, F-keys but F1,
// Backspace, Tab, Enter, Shift, Ctrl, Alt, Caps Lock, Space, the keypad); the
// keypad's arrows with Num Lock off are the keypad's, not these.
enum class WorldKey {
    None,
    Throttle,
    Brake,
    EnterLeave,
    NextClass,
    PreviousClass,
    Crash,
    Restart,
    Help,
    Quit
};

WorldKey WorldKeyOf(SDL_Keycode key) {
    switch (key) {
    case SDLK_UP:
        return WorldKey::Throttle;
    case SDLK_DOWN:
        return WorldKey::Brake;
    case SDLK_HOME:
        return WorldKey::EnterLeave;
    case SDLK_PAGEUP:
        return WorldKey::NextClass;
    case SDLK_PAGEDOWN:
        return WorldKey::PreviousClass;
    case SDLK_DELETE:
        return WorldKey::Crash;
    case SDLK_END:
        return WorldKey::Restart;
    case SDLK_F1:
        return WorldKey::Help;
    case SDLK_ESCAPE:
        return WorldKey::Quit;
    default:
        return WorldKey::None;
    }
}

struct PadButton {
    SDL_GameControllerButton button;
    std::uint16_t mask; // the XInput bit
};

constexpr PadButton kPadButtons[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, 0x0001},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 0x0002},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 0x0004},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 0x0008},
    {SDL_CONTROLLER_BUTTON_START, 0x0010},
    {SDL_CONTROLLER_BUTTON_BACK, 0x0020},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, 0x0040},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, 0x0080},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 0x0100},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 0x0200},
    {SDL_CONTROLLER_BUTTON_A, 0x1000},
    {SDL_CONTROLLER_BUTTON_B, 0x2000},
    {SDL_CONTROLLER_BUTTON_X, 0x4000},
    {SDL_CONTROLLER_BUTTON_Y, 0x8000},
};

// A trigger's travel in steps of 0.05, so that a resting or trembling
// trigger does not write a line every frame.
double TriggerValue(int axis) {
    return std::round(std::clamp(axis, 0, 32767) / 32767.0 * 20.0) / 20.0;
}

std::string Amount(double value) {
    char text[16];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

const char* ClassName(sim::VehicleClass c) {
    switch (c) {
    case sim::VehicleClass::Bike:
        return "bike";
    case sim::VehicleClass::Plane:
        return "plane";
    case sim::VehicleClass::Boat:
        return "boat";
    case sim::VehicleClass::Heli:
        return "helicopter";
    case sim::VehicleClass::Car:
        break;
    }
    return "car";
}

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
        : options_(options), session_({options.iniPath, options.outDir, 60, options.quiet}),
          full_(kPictureWidth, kPictureHeight), window_(options.width, options.height) {}
    ~Live();
    Live(const Live&) = delete;
    Live& operator=(const Live&) = delete;

    LiveResult Run();

private:
    struct Held {
        VirtualKeys keys;
        bool releaseNextFrame = false;
    };

    sim::Game& g() { return sim::game(); }
    bool OpenWindow();
    bool OpenRecord();
    void ReadEvents(bool& quit);
    void OnKey(const SDL_KeyboardEvent& key, bool down, bool& quit);
    void OnWorldKey(WorldKey key, bool down, bool& quit);
    void OnPadEvent(const SDL_Event& e);
    void InputLines();
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

    std::map<SDL_Scancode, Held> held_;
    std::set<SDL_Scancode> downThisFrame_;
    std::array<bool, 256> sentKeys_{};
    bool throttleKey_ = false, brakeKey_ = false;
    double throttleSent_ = 0.0, brakeSent_ = 0.0;
    int classIndex_ = 0;
    bool help_ = false;
    bool focus_ = true, focusSent_ = true;

    SDL_GameController* pad_ = nullptr;
    SDL_JoystickID padId_ = -1;
    std::uint16_t padButtons_ = 0, padButtonsSent_ = 0;
    bool padSent_ = false;
    int rightTrigger_ = 0, leftTrigger_ = 0;

    std::uint64_t drawnFrame_ = 0;
    std::size_t soundsSeen_ = 0;
    std::size_t stoppedSound_ = static_cast<std::size_t>(-1);
    double drawMsSum_ = 0.0, drawMsRecent_ = 0.0;
};

Live::~Live() {
    if (pad_ != nullptr) {
        SDL_GameControllerClose(pad_);
    }
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
    focus_ = (SDL_GetWindowFlags(sdlWindow_) & SDL_WINDOW_INPUT_FOCUS) != 0;
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

void Live::OnWorldKey(WorldKey key, bool down, bool& quit) {
    sim::World& world = g().world;
    const sim::Vehicle* v = world.Find(world.playerVehicle);
    switch (key) {
    case WorldKey::Throttle:
        throttleKey_ = down;
        return;
    case WorldKey::Brake:
        brakeKey_ = down;
        return;
    default:
        break;
    }
    if (!down) {
        return;
    }
    switch (key) {
    case WorldKey::EnterLeave:
        if (v == nullptr) {
            Act(std::string("enter ") + kClassNames[classIndex_]);
            // A new vehicle starts with neither pedal down.
            throttleSent_ = brakeSent_ = 0.0;
        } else {
            Act("leave");
        }
        break;
    case WorldKey::NextClass:
    case WorldKey::PreviousClass:
        classIndex_ =
            (classIndex_ + (key == WorldKey::NextClass ? 1 : kClassCount - 1)) % kClassCount;
        if (v != nullptr) {
            // Into a vehicle of that class at the speed of this one.
            char speed[32];
            std::snprintf(speed, sizeof speed, " %.1f", std::min(500.0, v->speed * 3.6));
            Act(std::string("enter ") + kClassNames[classIndex_] + speed);
            throttleSent_ = brakeSent_ = 0.0;
        }
        break;
    case WorldKey::Crash:
        if (v != nullptr) {
            Act("collide " + std::to_string(kCollisionKmh));
        }
        break;
    case WorldKey::Restart:
        Act("restart");
        break;
    case WorldKey::Help:
        help_ = !help_;
        break;
    case WorldKey::Quit:
        quit = true;
        break;
    default:
        break;
    }
}

void Live::OnKey(const SDL_KeyboardEvent& key, bool down, bool& quit) {
    const WorldKey world = WorldKeyOf(key.keysym.sym);
    if (world != WorldKey::None) {
        if (key.repeat == 0) {
            OnWorldKey(world, down, quit);
        }
        return;
    }
    const SDL_Scancode code = key.keysym.scancode;
    if (down) {
        if (key.repeat != 0 || held_.contains(code)) {
            return;
        }
        const VirtualKeys vk = KeyToVirtualKeys(key.keysym.sym, (key.keysym.mod & KMOD_NUM) != 0);
        if (vk.vk != 0) {
            held_[code] = {vk, false};
            downThisFrame_.insert(code);
        }
        return;
    }
    // A key let go in the same frame it went down still counts as down for
    // that frame: the game would have seen it.
    const auto it = held_.find(code);
    if (it != held_.end()) {
        if (downThisFrame_.contains(code)) {
            it->second.releaseNextFrame = true;
        } else {
            held_.erase(it);
        }
    }
}

void Live::OnPadEvent(const SDL_Event& e) {
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
        if (pad_ == nullptr) {
            pad_ = SDL_GameControllerOpen(e.cdevice.which);
            padId_ =
                pad_ != nullptr ? SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad_)) : -1;
        }
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        if (pad_ != nullptr && e.cdevice.which == padId_) {
            SDL_GameControllerClose(pad_);
            pad_ = nullptr;
            padId_ = -1;
            padButtons_ = 0;
            rightTrigger_ = leftTrigger_ = 0;
        }
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (e.cbutton.which == padId_) {
            for (const PadButton& b : kPadButtons) {
                if (b.button == e.cbutton.button) {
                    padButtons_ = static_cast<std::uint16_t>(e.type == SDL_CONTROLLERBUTTONDOWN
                                                                 ? padButtons_ | b.mask
                                                                 : padButtons_ & ~b.mask);
                }
            }
        }
        break;
    case SDL_CONTROLLERAXISMOTION:
        if (e.caxis.which == padId_) {
            if (e.caxis.axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT) {
                rightTrigger_ = e.caxis.value;
            } else if (e.caxis.axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT) {
                leftTrigger_ = e.caxis.value;
            }
        }
        break;
    default:
        break;
    }
}

void Live::ReadEvents(bool& quit) {
    SDL_Event e;
    while (PollEvent(e)) {
        switch (e.type) {
        case SDL_QUIT:
            quit = true;
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            OnKey(e.key, e.type == SDL_KEYDOWN, quit);
            break;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                focus_ = true;
            } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                focus_ = false;
            } else if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                quit = true;
            }
            break;
        default:
            OnPadEvent(e);
            break;
        }
    }
}

// What the frame's events changed, as scenario lines: the window's focus,
// the pad, the keys the module may read, and the pedals.
void Live::InputLines() {
    if (focus_ != focusSent_) {
        Act(focus_ ? "focus on" : "focus off");
        focusSent_ = focus_;
    }
    const bool pad = pad_ != nullptr;
    if (pad && !padSent_) {
        Act("pad connect");
    }
    const std::uint16_t up = padButtonsSent_ & ~padButtons_;
    const std::uint16_t down = padButtons_ & ~padButtonsSent_;
    if (up != 0) {
        Act("pad release " + ScenarioButtonNames(up));
    }
    if (down != 0) {
        Act("pad hold " + ScenarioButtonNames(down));
    }
    padButtonsSent_ = padButtons_;
    if (!pad && padSent_) {
        Act("pad disconnect");
    }
    padSent_ = pad;

    std::array<bool, 256> keys{};
    for (const auto& [code, held] : held_) {
        keys.at(static_cast<std::size_t>(held.keys.vk)) = true;
        if (held.keys.either != 0) {
            keys.at(static_cast<std::size_t>(held.keys.either)) = true;
        }
    }
    for (std::size_t vk = 1; vk < keys.size(); ++vk) {
        if (keys[vk] != sentKeys_[vk]) {
            Act((keys[vk] ? "hold " : "release ") + ScenarioKeyName(static_cast<int>(vk)));
            sentKeys_[vk] = keys[vk];
        }
    }

    const double throttle = throttleKey_ ? 1.0 : TriggerValue(rightTrigger_);
    const double brake = brakeKey_ ? 1.0 : TriggerValue(leftTrigger_);
    if (throttle != throttleSent_) {
        Act("throttle " + Amount(throttle));
        throttleSent_ = throttle;
    }
    if (brake != brakeSent_) {
        Act("brake " + Amount(brake));
        brakeSent_ = brake;
    }
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
    hud.vehicle = v != nullptr ? ClassName(v->vehicleClass)
                               : std::string("on foot, Home: ") + kClassNames[classIndex_];
    hud.turbo = StateName(turboState);
    hud.timeScale = world.timeScale;
    const RunResult& run = session_.Result();
    hud.nativeCalls = run.frames.empty() ? 0 : run.frames.back().nativeCalls;
    hud.foreground = g().input.foreground;
    hud.pad = pad_ != nullptr;
    hud.drawMs = drawMsRecent_;
    hud.help = help_;
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
        for (auto it = held_.begin(); it != held_.end();) {
            it = it->second.releaseNextFrame ? held_.erase(it) : std::next(it);
        }
        downThisFrame_.clear();
        bool quit = false;
        ReadEvents(quit);
        if (quit) {
            break;
        }
        InputLines();
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
