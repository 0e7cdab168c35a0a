#include "game/key_names.h"

#include "platform/platform.h"

#include <charconv>

// Names are fixed arrays, not pointers: the table needs no relocation in the
// module and costs no code to walk.
const KeyName kKeyNames[] = {
    {"A", 'A'},
    {"B", 'B'},
    {"C", 'C'},
    {"D", 'D'},
    {"E", 'E'},
    {"F", 'F'},
    {"G", 'G'},
    {"H", 'H'},
    {"I", 'I'},
    {"J", 'J'},
    {"K", 'K'},
    {"L", 'L'},
    {"M", 'M'},
    {"N", 'N'},
    {"O", 'O'},
    {"P", 'P'},
    {"Q", 'Q'},
    {"R", 'R'},
    {"S", 'S'},
    {"T", 'T'},
    {"U", 'U'},
    {"V", 'V'},
    {"W", 'W'},
    {"X", 'X'},
    {"Y", 'Y'},
    {"Z", 'Z'},
    {"D0", '0'},
    {"D1", '1'},
    {"D2", '2'},
    {"D3", '3'},
    {"D4", '4'},
    {"D5", '5'},
    {"D6", '6'},
    {"D7", '7'},
    {"D8", '8'},
    {"D9", '9'},
    {"F1", 0x70},
    {"F2", 0x71},
    {"F3", 0x72},
    {"F4", 0x73},
    {"F5", 0x74},
    {"F6", 0x75},
    {"F7", 0x76},
    {"F8", 0x77},
    {"F9", 0x78},
    {"F10", 0x79},
    {"F11", 0x7A},
    {"F12", 0x7B},
    {"F13", 0x7C},
    {"F14", 0x7D},
    {"F15", 0x7E},
    {"F16", 0x7F},
    {"F17", 0x80},
    {"F18", 0x81},
    {"F19", 0x82},
    {"F20", 0x83},
    {"F21", 0x84},
    {"F22", 0x85},
    {"F23", 0x86},
    {"F24", 0x87},
    {"Numpad 0", 0x60},
    {"Numpad 1", 0x61},
    {"Numpad 2", 0x62},
    {"Numpad 3", 0x63},
    {"Numpad 4", 0x64},
    {"Numpad 5", 0x65},
    {"Numpad 6", 0x66},
    {"Numpad 7", 0x67},
    {"Numpad 8", 0x68},
    {"Numpad 9", 0x69},
    {"Numpad *", 0x6A},
    {"Numpad +", 0x6B},
    {"Numpad -", 0x6D},
    {"Numpad .", 0x6E},
    {"Numpad /", 0x6F},
    {"Left", 0x25},
    {"Up", 0x26},
    {"Right", 0x27},
    {"Down", 0x28},
    {"Backspace", 0x08},
    {"Tab", 0x09},
    {"Enter", 0x0D},
    {"Pause", 0x13},
    {"Caps Lock", 0x14},
    {"Esc", 0x1B},
    {"Space", 0x20},
    {"Page Up", 0x21},
    {"Page Down", 0x22},
    {"End", 0x23},
    {"Home", 0x24},
    {"Insert", 0x2D},
    {"Delete", 0x2E},
    {"Shift", 0x10},
    {"Ctrl", 0x11},
    {"Alt", 0x12},
    {"Left Shift", 0xA0},
    {"Right Shift", 0xA1},
    {"Left Ctrl", 0xA2},
    {"Right Ctrl", 0xA3},
    {"Left Alt", 0xA4},
    {"Right Alt", 0xA5},
    {"Semicolon", 0xBA},
    {"Equals", 0xBB},
    {"Comma", 0xBC},
    {"Minus", 0xBD},
    {"Period", 0xBE},
    {"Slash", 0xBF},
    {"Backquote", 0xC0},
    {"Left Bracket", 0xDB},
    {"Backslash", 0xDC},
    {"Right Bracket", 0xDD},
    {"Quote", 0xDE},
};
const std::size_t kKeyNameCount = sizeof kKeyNames / sizeof kKeyNames[0];

const PadButtonName kPadButtonNames[] = {
    {"DPadUp", XINPUT_GAMEPAD_DPAD_UP},
    {"DPadDown", XINPUT_GAMEPAD_DPAD_DOWN},
    {"DPadLeft", XINPUT_GAMEPAD_DPAD_LEFT},
    {"DPadRight", XINPUT_GAMEPAD_DPAD_RIGHT},
    {"Start", XINPUT_GAMEPAD_START},
    {"Back", XINPUT_GAMEPAD_BACK},
    {"LS", XINPUT_GAMEPAD_LEFT_THUMB},
    {"RS", XINPUT_GAMEPAD_RIGHT_THUMB},
    {"LB", XINPUT_GAMEPAD_LEFT_SHOULDER},
    {"RB", XINPUT_GAMEPAD_RIGHT_SHOULDER},
    {"A", XINPUT_GAMEPAD_A},
    {"B", XINPUT_GAMEPAD_B},
    {"X", XINPUT_GAMEPAD_X},
    {"Y", XINPUT_GAMEPAD_Y},
};
const std::size_t kPadButtonNameCount = sizeof kPadButtonNames / sizeof kPadButtonNames[0];

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view text, const char* name) {
    std::size_t k = 0;
    for (; k < text.size(); ++k) {
        if (name[k] == '\0' || Lower(text[k]) != Lower(name[k])) {
            return false;
        }
    }
    return name[k] == '\0';
}

} // namespace

// The lookups run once per start, for the settings file and the start report.
[[gnu::cold]] const char* NameOfKey(std::int32_t code) {
    for (std::size_t k = 0; k < kKeyNameCount; ++k) {
        if (kKeyNames[k].code == code) {
            return kKeyNames[k].name;
        }
    }
    return nullptr;
}

[[gnu::cold]] std::uint32_t KeyOfName(std::string_view name) {
    name = Trimmed(name);
    for (std::size_t k = 0; k < kKeyNameCount; ++k) {
        if (SameName(name, kKeyNames[k].name)) {
            return kKeyNames[k].code;
        }
    }
    return 0;
}

[[gnu::cold]] std::uint32_t PadMaskOfNames(std::string_view names) {
    std::uint32_t mask = 0;
    for (;;) {
        const std::size_t plus = names.find('+');
        const std::string_view part = Trimmed(names.substr(0, plus));
        std::uint32_t button = 0;
        for (std::size_t k = 0; k < kPadButtonNameCount && !part.empty(); ++k) {
            if (SameName(part, kPadButtonNames[k].name)) {
                button = kPadButtonNames[k].mask;
            }
        }
        if (button == 0) {
            return 0;
        }
        mask |= button;
        if (plus == std::string_view::npos) {
            return mask;
        }
        names.remove_prefix(plus + 1);
    }
}

// On a key set in the menu.
[[gnu::cold]] void NameOfSetting(std::int32_t value, bool pad, char* out, std::size_t size) {
    if (size == 0) {
        return;
    }
    std::size_t length = 0;
    const auto put = [&](const char* text) {
        while (*text != '\0' && length + 1 < size) {
            out[length++] = *text++;
        }
    };
    if (pad) {
        for (std::size_t k = 0; k < kPadButtonNameCount; ++k) {
            if ((static_cast<std::uint32_t>(value) & kPadButtonNames[k].mask) != 0) {
                put(length != 0 ? "+" : "");
                put(kPadButtonNames[k].name);
            }
        }
    } else if (const char* name = NameOfKey(value)) {
        put(name);
    } else if (value != 0) {
        length = static_cast<std::size_t>(std::to_chars(out, out + size - 1, value).ptr - out);
    }
    out[length] = '\0';
}
