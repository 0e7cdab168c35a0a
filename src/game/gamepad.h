#pragma once

#include "game/pad_input.h"

// Picks the first pad that answers, once; later calls keep the choice.
void FindGamepad();
