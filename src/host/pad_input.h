#pragma once
// The pad picked at start and its buttons, for the turbo trigger and the
// menu alike.

#include "platform/platform.h"

#include <cstdint>

// XInput user index of the pad picked at start, -1 for none. Written only by
// FindGamepad; read by the trigger and the menu.
extern std::int32_t padIndex;

// The pad's button word now; 0 when it no longer answers, and without asking
// while the game is not in the foreground.
std::uint16_t ReadPadButtons();

// The pad trigger as the boost reads it: a button of `mask`, then of `mask2`
// on a fresh read unless it is 0, each behind the shared wait. The first read
// must also find a button of `menuMask` held when `menuHeld`, and none when
// not; with `menuMask` 0 and `menuHeld` false that test always passes.
bool PadTriggerPressed(std::int32_t mask, std::int32_t mask2, std::int32_t menuMask, bool menuHeld);
