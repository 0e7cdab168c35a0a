#pragma once
// The game's own states, as the module sees them from its pass: paused (the
// pause menu is up) and busy (the game, not the player, has the vehicle), and
// the module's clock, which stops while the game is paused.

#include <cstdint>

// The module's milliseconds: GetTickCount less the time the game spent
// paused, unsigned, so that the counter's wrap every 49.7 days stays harmless.
// Read afresh at every use, like the tick it comes from.
std::uint32_t ModuleTick();

// What the pause query at the top of a pass found.
enum class PauseStep : std::uint8_t {
    Running, // not paused, and was not on the last pass
    Began,   // the first paused pass
    Held,    // paused, and was on the last pass
    Ended,   // the first pass after a pause: the clock has caught up
};

// Asks the game whether its pause menu is up, once at the top of each pass,
// and stops or starts the module's clock on its edges. Also starts the pass
// for GameBusyReason.
PauseStep StepPause();

// Why the game is busy on this pass, or null while the player has the
// vehicle: "player switch", "cutscene", "faded out", "death or arrest",
// "no control". The game is asked at the first call of a pass, in that order,
// stopping at the first state that holds; later calls in the pass answer the
// same. Call it only where the module would act or draw.
const char* GameBusyReason();
inline bool GameBusy() { return GameBusyReason() != nullptr; }

// Whether the player has hidden the game's HUD: the recharge bar and the
// first-run notice hide with it. Asked at the first call of a pass, which
// comes only where one of them would draw; later calls answer the same.
bool HudHidden();

// After a script restart: not paused, the pass's answer forgotten. The time
// already spent paused stays out of the clock.
void ResetGameState();
