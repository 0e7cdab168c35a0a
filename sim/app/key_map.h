#pragma once
// The Windows virtual-key codes a key of the real keyboard sends, as Windows
// would give them to GetAsyncKeyState: letters, digits, F-keys, Shift, Ctrl
// and Alt of either side, the arrows and the editing keys, the US layout's
// punctuation and the numeric keypad, whose digits are VK_NUMPAD0-9 while
// Num Lock is on and the navigation keys while it is off.

#include <SDL2/SDL_keycode.h>

namespace simapp {

struct VirtualKeys {
    int vk = 0;     // the key's own code; 0 for a key Windows has no code for
    int either = 0; // Shift, Ctrl, Alt: the code either side answers to too
};

VirtualKeys KeyToVirtualKeys(SDL_Keycode key, bool numLock);

} // namespace simapp
