#pragma once
// Keys by level and the one 200 ms wait that the turbo trigger and the menu
// share.

#include "host/game_state.h"
#include "platform/platform.h"

#include <cstdint>

// Tick of the last accepted key. Set by the main loop after a trigger and by
// the menu step for its key chord and its up, down, back and select keys.
extern std::uint32_t lastKeyTick;

// Whether a window of the game's process is in the foreground, asked at the
// top of each main loop pass. While it is not, no key and no pad button reads
// as down, and neither device is asked at all.
extern bool gameHasFocus;

// True when more than 200 ms have passed since lastKeyTick. The difference
// is taken unsigned, so the test stays right across the wrap of the tick
// counter every 49.7 days.
inline bool KeyWaitOver() { return ModuleTick() - lastKeyTick > 200u; }

// Only bit 15 says that the key is down now; bit 0 is about earlier presses.
inline bool KeyHeld(int virtualKey) {
    return gameHasFocus && (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

// The module's keys that were held when the game's pause ended, one bit per
// virtual-key code: such a key counts only after it is let go, so that a key
// pressed for the pause menu does not also act here. Set by the main loop at
// the pause's end, cleared by KeyDown as each reads up.
extern std::uint32_t keysHeldAcrossPause[8];

// Held, and let go since the last pause's end if it was held then: a press
// that may act.
bool KeyDown(int virtualKey);
