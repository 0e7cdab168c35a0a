#include "sim/app/key_map.h"

namespace simapp {

namespace {

struct KeyRow {
    SDL_Keycode key;
    int vk;       // with Num Lock on, and for every key off the keypad
    int vkNumOff; // with Num Lock off
    int either;
};

constexpr int kShift = 0x10, kControl = 0x11, kMenu = 0x12;

// Keys whose code follows the layout (letters, digits) and the F-keys are
// ranges, handled before this table.
constexpr KeyRow kKeys[] = {
    {SDLK_BACKSPACE, 0x08, 0x08, 0},
    {SDLK_TAB, 0x09, 0x09, 0},
    {SDLK_RETURN, 0x0D, 0x0D, 0},
    {SDLK_PAUSE, 0x13, 0x13, 0},
    {SDLK_CAPSLOCK, 0x14, 0x14, 0},
    {SDLK_ESCAPE, 0x1B, 0x1B, 0},
    {SDLK_SPACE, 0x20, 0x20, 0},
    {SDLK_PAGEUP, 0x21, 0x21, 0},
    {SDLK_PAGEDOWN, 0x22, 0x22, 0},
    {SDLK_END, 0x23, 0x23, 0},
    {SDLK_HOME, 0x24, 0x24, 0},
    {SDLK_LEFT, 0x25, 0x25, 0},
    {SDLK_UP, 0x26, 0x26, 0},
    {SDLK_RIGHT, 0x27, 0x27, 0},
    {SDLK_DOWN, 0x28, 0x28, 0},
    {SDLK_PRINTSCREEN, 0x2C, 0x2C, 0},
    {SDLK_INSERT, 0x2D, 0x2D, 0},
    {SDLK_DELETE, 0x2E, 0x2E, 0},
    {SDLK_LGUI, 0x5B, 0x5B, 0},
    {SDLK_RGUI, 0x5C, 0x5C, 0},
    {SDLK_APPLICATION, 0x5D, 0x5D, 0},
    // The keypad: Windows turns its digits and point into the navigation
    // keys while Num Lock is off; its operators and Enter never change.
    {SDLK_KP_0, 0x60, 0x2D, 0},      // Insert
    {SDLK_KP_1, 0x61, 0x23, 0},      // End
    {SDLK_KP_2, 0x62, 0x28, 0},      // Down
    {SDLK_KP_3, 0x63, 0x22, 0},      // Page Down
    {SDLK_KP_4, 0x64, 0x25, 0},      // Left
    {SDLK_KP_5, 0x65, 0x0C, 0},      // Clear
    {SDLK_KP_6, 0x66, 0x27, 0},      // Right
    {SDLK_KP_7, 0x67, 0x24, 0},      // Home
    {SDLK_KP_8, 0x68, 0x26, 0},      // Up
    {SDLK_KP_9, 0x69, 0x21, 0},      // Page Up
    {SDLK_KP_PERIOD, 0x6E, 0x2E, 0}, // Delete
    {SDLK_KP_MULTIPLY, 0x6A, 0x6A, 0},
    {SDLK_KP_PLUS, 0x6B, 0x6B, 0},
    {SDLK_KP_MINUS, 0x6D, 0x6D, 0},
    {SDLK_KP_DIVIDE, 0x6F, 0x6F, 0},
    {SDLK_KP_ENTER, 0x0D, 0x0D, 0},
    {SDLK_NUMLOCKCLEAR, 0x90, 0x90, 0},
    {SDLK_SCROLLLOCK, 0x91, 0x91, 0},
    {SDLK_LSHIFT, 0xA0, 0xA0, kShift},
    {SDLK_RSHIFT, 0xA1, 0xA1, kShift},
    {SDLK_LCTRL, 0xA2, 0xA2, kControl},
    {SDLK_RCTRL, 0xA3, 0xA3, kControl},
    {SDLK_LALT, 0xA4, 0xA4, kMenu},
    {SDLK_RALT, 0xA5, 0xA5, kMenu},
    // Punctuation as a US keyboard sends it.
    {SDLK_SEMICOLON, 0xBA, 0xBA, 0},
    {SDLK_EQUALS, 0xBB, 0xBB, 0},
    {SDLK_COMMA, 0xBC, 0xBC, 0},
    {SDLK_MINUS, 0xBD, 0xBD, 0},
    {SDLK_PERIOD, 0xBE, 0xBE, 0},
    {SDLK_SLASH, 0xBF, 0xBF, 0},
    {SDLK_BACKQUOTE, 0xC0, 0xC0, 0},
    {SDLK_LEFTBRACKET, 0xDB, 0xDB, 0},
    {SDLK_BACKSLASH, 0xDC, 0xDC, 0},
    {SDLK_RIGHTBRACKET, 0xDD, 0xDD, 0},
    {SDLK_QUOTE, 0xDE, 0xDE, 0},
};

} // namespace

VirtualKeys KeyToVirtualKeys(SDL_Keycode key, bool numLock) {
    // SDL names letters by their lower-case character; Windows by the
    // upper-case one. Both follow the layout.
    if (key >= SDLK_a && key <= SDLK_z) {
        return {static_cast<int>(key - SDLK_a) + 'A', 0};
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return {static_cast<int>(key - SDLK_0) + '0', 0};
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return {static_cast<int>(key - SDLK_F1) + 0x70, 0};
    }
    if (key >= SDLK_F13 && key <= SDLK_F24) {
        return {static_cast<int>(key - SDLK_F13) + 0x7C, 0};
    }
    for (const KeyRow& row : kKeys) {
        if (row.key == key) {
            return {numLock ? row.vk : row.vkNumOff, row.either};
        }
    }
    return {};
}

} // namespace simapp
