#pragma once
// The scenario format: one action per line, at a time in seconds of game
// clock from the module's load, or "+" a delay after the previous line.
//
//   # comment (also after a line)        blank lines are skipped
//   0.5   enter car [KMH]                a new vehicle of that class, at that
//                                        speed; car, bike, plane, boat,
//                                        helicopter
//   +0    throttle 1                     0 to 1
//   +0    brake 0.5                      0 to 1
//   2     tap T [MS]                     key down for MS ms (default 50)
//   2     hold shift / release shift
//   3     pad [N] connect | disconnect   pad N (0-3, default 0)
//   3     pad [N] press dpad-down [MS]   buttons joined by '+'
//   3     pad [N] hold a+b / pad [N] release [BUTTONS]
//                                        release: those buttons, or all
//   3     pad [N] stick X Y              the left stick, -1 to 1 each way
//                                        (y up); 0 0 lets it go
//   4     collide KMH                    the vehicle loses KMH km/h and
//                                        reports a collision
//   4     wreck                          the vehicle is no longer driveable
//   5     leave
//   6     restart                        the game reloads the script
//   6     focus off | on                 another program's window comes to
//                                        the front, or the game's again
//   6     pause on | off                 the game's pause menu opens, closes
//   6     busy WHAT on | off             the game is busy: switch (character
//                                        switch), cutscene, faded (screen
//                                        faded out), dead, arrested,
//                                        nocontrol (player control off)
//   6     hud hidden on | off            the player hides the game's HUD, or
//                                        shows it again
//   6     game sfx N                     the game's sound-effects level, 0-10
//   6     language N                     the game's language, as
//                                        GET_CURRENT_LANGUAGE answers: 0-12,
//                                        or another number; the module asks
//                                        at its script's start
//   6     keyboard TAG                   the player's keyboard layout: en-US,
//                                        de-DE or fr-FR; the module asks for
//                                        the keys' names at its start, when
//                                        the menu opens and when a key is set
//   6     screen W H                     the game's screen, W x H pixels,
//                                        5:4 to three 16:9 screens; the
//                                        pictures follow it
//   6     safe zone S                    the display settings' safe zone,
//                                        0.5 to 1.0
//   7     picture NAME                   a picture of this frame
//   9     end
//
// A bad line is reported as "FILE:LINE: expected ..., found ..." and the
// whole scenario is refused.

#include "sim/game.h"
#include "sim/world.h"

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace simapp {

// The vehicle classes by the names scenario lines give them, in the order the
// live window's Page Up steps through them.
struct VehicleClassName {
    sim::VehicleClass vehicleClass;
    const char* name;
};
inline constexpr VehicleClassName kVehicleClassNames[] = {
    {sim::VehicleClass::Car, "car"},         {sim::VehicleClass::Bike, "bike"},
    {sim::VehicleClass::Plane, "plane"},     {sim::VehicleClass::Boat, "boat"},
    {sim::VehicleClass::Heli, "helicopter"},
};

// The scenario name of a vehicle class.
const char* VehicleClassWord(sim::VehicleClass vehicleClass);

// The game's busy states by the names `busy` lines give them, each with the
// world's flag it sets.
struct BusyStateName {
    const char* name;
    bool sim::World::*flag;
};
inline constexpr BusyStateName kBusyStateNames[] = {
    {"switch", &sim::World::playerSwitch}, {"cutscene", &sim::World::cutscene},
    {"faded", &sim::World::fadedOut},      {"dead", &sim::World::dead},
    {"arrested", &sim::World::arrested},   {"nocontrol", &sim::World::controlOff},
};

enum class Action {
    Hold,
    Release,
    Tap,
    PadConnect,
    PadDisconnect,
    PadPress,
    PadHold,
    PadRelease,
    PadStick,
    Enter,
    Leave,
    Throttle,
    Brake,
    Collide,
    Wreck,
    Restart,
    Focus,
    Pause,
    Busy,
    Hud,
    GameSfx,
    Language,
    Keyboard,
    Screen,
    SafeZone,
    Picture,
    End,
};

struct ScenarioLine {
    int line = 0;
    double time = 0.0; // seconds
    Action action = Action::End;
    int key = 0;
    int pad = 0;
    std::uint16_t buttons = 0;
    std::uint32_t ms = 0;
    sim::VehicleClass vehicleClass = sim::VehicleClass::Car;
    float value = 0.0f;  // throttle and brake 0..1, km/h for enter and collide, the stick's
                         // x, the safe zone
    float value2 = 0.0f; // the stick's y
    bool on = false;     // focus, pause, busy, hud
    int busy = 0;        // the state of a busy line, an index of kBusyStateNames
    int level = 0;       // game sfx: the game's sound-effects level
    int number = 0;      // the game's language of a language line
    sim::KeyboardLayout keyboard = sim::KeyboardLayout::EnUs;
    int width = 0; // a screen line's pixels
    int height = 0;
    std::string name; // picture name
    std::string text; // the line as written, without its comment
};

struct Scenario {
    std::string file;
    std::vector<ScenarioLine> lines;
};

// A screen veloxan-sim draws: from 5:4 to three 16:9 screens side by side,
// 640x480 to 11520x4320 pixels.
bool ScreenSizeAllowed(int width, int height);

// False with `error` set at the first bad line.
bool ParseScenario(const std::string& file, std::istream& in, Scenario& out, std::string& error);
bool LoadScenario(const std::string& path, Scenario& out, std::string& error);

} // namespace simapp
