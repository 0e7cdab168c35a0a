#pragma once
// Whether the pad drives the menu. The chord, the menu's buttons, the Keys
// page and the trigger all ask it, so it sits apart from any one of them.

#include "game/pad_input.h"
#include "settings/settings.h"

// The pad opens and moves the menu: KEY_GAMEPAD_MENU names buttons and a pad
// was found at start. Asked by the trigger on every pass.
inline bool PadMenuOn() { return Settings.KEY_GAMEPAD_MENU != 0 && padIndex != -1; }
