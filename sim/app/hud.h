#pragma once
// The live window's own panel: what the simulated world and the module are
// doing now, and on F1 the keys that drive the world. It sits at the bottom
// right, where the module never draws (its menu is on the left, its notice at
// the top right, its recharge bar at the bottom centre, the feed at the
// bottom left), in a monospace font inside a dashed frame, so that nobody
// takes it for the module's drawing.

#include "sim/app/picture.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace simapp {

struct HudContent {
    float speedKmh = 0.0f;
    std::string turbo;               // the turbo's state
    std::string vehicle;             // its class, or "on foot"
    std::string game;                // the game's state: "playing", "paused", "cutscene"...
    int gameSfx = 10;                // the game's sound-effects level, 0 to 10
    std::optional<float> planePitch; // degrees, while the player flies a plane
    float planeRoll = 0.0f;          // likewise
    bool handbrake = false;          // pulled in this frame
    bool usingKeyboard = true;       // the hand the game says the player uses
    bool phoneOut = false;
    bool hudHidden = false;      // the player hid the game's HUD
    std::size_t controlsOff = 0; // the game's controls a script disabled this frame
    bool allControlsOff = false; // every control, while a key row of the menu waits
    float enginePower = 1.0f;
    float timeScale = 1.0f;
    std::uint32_t nativeCalls = 0; // in the frame shown
    bool foreground = true;
    bool pad = false;
    double drawMs = 0.0; // drawing one frame, averaged
    bool help = false;   // the world's keys shown
};

struct HudBox {
    int x = 0, y = 0, width = 0, height = 0;
};

// Where the panel goes in a window of this size.
HudBox HudPlace(int windowWidth, int windowHeight, bool help);
void DrawHud(Picture& window, const HudContent& hud);

} // namespace simapp
