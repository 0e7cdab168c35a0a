#include "sim/app/live_input.h"

#include "sim/app/scenario.h"
#include "sim/app/scenario_keys.h"
#include "sim/game.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace simapp {

namespace {

// A wall at speed: enough to end a boost at any sensitivity.
constexpr int kCollisionKmh = 80;

constexpr int kClassCount = static_cast<int>(std::size(kVehicleClassNames));
static_assert(static_cast<std::size_t>(WorldKey::BusyNoControl) -
                      static_cast<std::size_t>(WorldKey::BusySwitch) + 1 ==
                  std::size(kBusyStateNames),
              "a key for each busy state, in the table's order");

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

// A stick's travel likewise, with its resting drift inside the dead zone
// read as the centre.
double StickValue(int axis) {
    const double value = std::round(std::clamp(axis, -32767, 32767) / 32767.0 * 20.0) / 20.0;
    return std::fabs(value) < 0.15 ? 0.0 : value;
}

std::string Amount(double value) {
    char text[16];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

} // namespace

WorldKey WorldKeyOf(const SDL_Keysym& key) {
    switch (key.scancode) {
    case SDL_SCANCODE_LEFTBRACKET:
        return WorldKey::BusySwitch;
    case SDL_SCANCODE_RIGHTBRACKET:
        return WorldKey::BusyCutscene;
    case SDL_SCANCODE_SEMICOLON:
        return WorldKey::BusyFaded;
    case SDL_SCANCODE_APOSTROPHE:
        return WorldKey::BusyDead;
    case SDL_SCANCODE_COMMA:
        return WorldKey::BusyArrested;
    case SDL_SCANCODE_PERIOD:
        return WorldKey::BusyNoControl;
    case SDL_SCANCODE_SLASH:
        return WorldKey::HudHidden;
    case SDL_SCANCODE_MINUS:
        return WorldKey::GameSfx;
    default:
        break;
    }
    switch (key.sym) {
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
    case SDLK_PAUSE:
    case SDLK_INSERT:
        return WorldKey::Pause;
    case SDLK_F1:
        return WorldKey::Help;
    case SDLK_ESCAPE:
        return WorldKey::Quit;
    default:
        return WorldKey::None;
    }
}

LiveInput::~LiveInput() {
    if (pad_ != nullptr) {
        SDL_GameControllerClose(pad_);
    }
}

const char* LiveInput::ChosenClass() const { return kVehicleClassNames[classIndex_].name; }

void LiveInput::OnWorldKey(WorldKey key, bool down, bool& quit) {
    sim::World& world = sim::game().world;
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
            act_(std::string("enter ") + kVehicleClassNames[classIndex_].name);
            // A new vehicle starts with neither pedal down.
            throttleSent_ = brakeSent_ = 0.0;
        } else {
            act_("leave");
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
            act_(std::string("enter ") + kVehicleClassNames[classIndex_].name + speed);
            throttleSent_ = brakeSent_ = 0.0;
        }
        break;
    case WorldKey::Crash:
        if (v != nullptr) {
            act_("collide " + std::to_string(kCollisionKmh));
        }
        break;
    case WorldKey::Restart:
        act_("restart");
        break;
    case WorldKey::Pause:
        act_(world.paused ? "pause off" : "pause on");
        break;
    case WorldKey::BusySwitch:
    case WorldKey::BusyCutscene:
    case WorldKey::BusyFaded:
    case WorldKey::BusyDead:
    case WorldKey::BusyArrested:
    case WorldKey::BusyNoControl: {
        const BusyStateName& busy = kBusyStateNames[static_cast<std::size_t>(key) -
                                                    static_cast<std::size_t>(WorldKey::BusySwitch)];
        act_(std::string("busy ") + busy.name + (world.*busy.flag ? " off" : " on"));
        break;
    }
    case WorldKey::HudHidden:
        act_(world.hudHidden ? "hud hidden off" : "hud hidden on");
        break;
    case WorldKey::GameSfx:
        // One lower each press, and from 0 back to 10: the module hears of
        // it at the end of the next pause, as in the game.
        act_("game sfx " +
             std::to_string(world.sfxLevel > 0 && world.sfxLevel <= 10 ? world.sfxLevel - 1 : 10));
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

void LiveInput::OnKey(const SDL_KeyboardEvent& key, bool down, bool& quit) {
    const WorldKey world = WorldKeyOf(key.keysym);
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

void LiveInput::OnPadEvent(const SDL_Event& e) {
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
            stickX_ = stickY_ = 0;
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
            } else if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
                stickX_ = e.caxis.value;
            } else if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
                // SDL's y grows downwards; XInput's, and the scenario's, up.
                stickY_ = -e.caxis.value;
            }
        }
        break;
    default:
        break;
    }
}

bool LiveInput::Read(const SDL_Event& e) {
    bool quit = false;
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
    return quit;
}

void LiveInput::WriteLines() {
    if (focus_ != focusSent_) {
        act_(focus_ ? "focus on" : "focus off");
        focusSent_ = focus_;
    }
    const bool pad = pad_ != nullptr;
    if (pad && !padSent_) {
        act_("pad connect");
    }
    const std::uint16_t up = padButtonsSent_ & ~padButtons_;
    const std::uint16_t down = padButtons_ & ~padButtonsSent_;
    if (up != 0) {
        act_("pad release " + ScenarioButtonNames(up));
    }
    if (down != 0) {
        act_("pad hold " + ScenarioButtonNames(down));
    }
    padButtonsSent_ = padButtons_;
    const double stickX = StickValue(stickX_), stickY = StickValue(stickY_);
    if (stickX != stickXSent_ || stickY != stickYSent_) {
        act_("pad stick " + Amount(stickX) + " " + Amount(stickY));
        stickXSent_ = stickX;
        stickYSent_ = stickY;
    }
    if (!pad && padSent_) {
        act_("pad disconnect");
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
            act_((keys[vk] ? "hold " : "release ") + ScenarioKeyName(static_cast<int>(vk)));
            sentKeys_[vk] = keys[vk];
        }
    }

    const double throttle = throttleKey_ ? 1.0 : TriggerValue(rightTrigger_);
    const double brake = brakeKey_ ? 1.0 : TriggerValue(leftTrigger_);
    if (throttle != throttleSent_) {
        act_("throttle " + Amount(throttle));
        throttleSent_ = throttle;
    }
    if (brake != brakeSent_) {
        act_("brake " + Amount(brake));
        brakeSent_ = brake;
    }

    // The keys let go in the frame they went down were down for that frame
    // alone; the next frame's events start from the keys still held.
    for (auto it = held_.begin(); it != held_.end();) {
        it = it->second.releaseNextFrame ? held_.erase(it) : std::next(it);
    }
    downThisFrame_.clear();
}

} // namespace simapp
