#pragma once
// The live window's input as the scenario lines of a frame: the real
// keyboard's keys under the codes Windows would give them, an SDL game
// controller as XInput pad 0 with its left stick, the window's focus, the
// pedals from the arrows or the pad's triggers, and the keys that drive the
// simulated world. A line
// goes out through `act` as soon as it is known, so that one that changes the
// world (enter, leave) is applied before the frame's next event is read.

#include "sim/app/key_map.h"

#include <SDL2/SDL_events.h>
#include <SDL2/SDL_gamecontroller.h>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>

namespace simapp {

// The keys that drive the simulated world, never passed to the module. None
// is a default key of the module (T, Shift, the keypad's 8 2 4 6 5 0) or one
// the release package's Veloxan.ini offers (letters, digits, F-keys but F1,
// Backspace, Tab, Enter, Shift, Ctrl, Alt, Caps Lock, Space, the keypad); the
// keypad's arrows with Num Lock off are the keypad's, not these. The game's
// busy states sit on the punctuation keys right of the letters, taken by
// where they are (a US keyboard's [ ] ; ' , .), so that every layout has
// them; they come in the order of kBusyStateNames. The HUD hidden sits on
// the next one (a US keyboard's /), and the key right of the digits' 0 (a
// US keyboard's -) lowers the game's sound-effects level.
enum class WorldKey {
    None,
    Throttle,
    Brake,
    EnterLeave,
    NextClass,
    PreviousClass,
    Crash,
    Restart,
    Pause,
    BusySwitch,
    BusyCutscene,
    BusyFaded,
    BusyDead,
    BusyArrested,
    BusyNoControl,
    HudHidden,
    GameSfx,
    Help,
    Quit
};

WorldKey WorldKeyOf(const SDL_Keysym& key);

class LiveInput {
public:
    using Act = std::function<void(const std::string& action)>;

    explicit LiveInput(Act act) : act_(std::move(act)) {}
    ~LiveInput();
    LiveInput(const LiveInput&) = delete;
    LiveInput& operator=(const LiveInput&) = delete;

    // The window's focus as it opened; a window opened without it tells the
    // module in the first frame.
    void SetFocus(bool focus) { focus_ = focus; }
    // One of the frame's events; true when it ends the session.
    bool Read(const SDL_Event& e);
    // What the frame's events changed, as lines: the focus, the pad, the keys
    // the module may read, and the pedals. The frame's input is then over.
    void WriteLines();

    bool PadConnected() const { return pad_ != nullptr; }
    bool Help() const { return help_; }
    // The class Home enters on foot, chosen with Page Up and Page Down.
    const char* ChosenClass() const;

private:
    struct Held {
        VirtualKeys keys;
        bool releaseNextFrame = false;
    };

    void OnKey(const SDL_KeyboardEvent& key, bool down, bool& quit);
    void OnWorldKey(WorldKey key, bool down, bool& quit);
    void OnPadEvent(const SDL_Event& e);

    Act act_;

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
    int stickX_ = 0, stickY_ = 0;
    double stickXSent_ = 0.0, stickYSent_ = 0.0;
};

} // namespace simapp
