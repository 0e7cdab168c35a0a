#pragma once

#include "platform/platform.h"

#include <cstdint>

// XInput user index of the pad picked at start, -1 for none. Written only by
// FindGamepad; read by the main loop's trigger test.
extern std::int32_t padIndex;

// Picks the first pad that answers, once; later calls keep the choice.
void FindGamepad();

// The pad's button word now; 0 when it no longer answers, and without asking
// while the game is not in the foreground.
std::uint16_t ReadPadButtons();
