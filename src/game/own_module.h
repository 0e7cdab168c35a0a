#pragma once

#include "platform/platform.h"

// The handle of the module that holds this code, whatever name the player
// gave the file; null if Windows does not know it.
HMODULE OwnModule();
