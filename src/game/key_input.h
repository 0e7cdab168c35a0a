#pragma once
// Keys by level and the one 200 ms wait that the turbo trigger and the menu
// share.

#include "game/game_state.h"
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
inline bool KeyDown(int virtualKey) {
    return gameHasFocus && (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}
