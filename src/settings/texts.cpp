#include "settings/texts.h"

#include "version.h"

namespace {

// English, exactly as the module has always said it.
constexpr const char* kEnglish[kTextCount] = {
    "VELOXAN ACTIVATED",
    "Veloxan: Recharging...",
    "Veloxan: Your vehicle is totaled!",
    "Turbo Boost System Online",
    "Veloxan deactivated successfully.",
    "Veloxan has been shut down",

    "Press %1 to enter SETUP",
    "Set KEY_PC_MENU in Veloxan.ini",
    "~r~and to remove this message~r~.",
    VELOXAN_HELP_LINE,
    "Thank you for using this mod.  Ver:2.1 by the Veloxan team",

    "by the Veloxan team ",
    "Main Menu",
    "~g~: ON",
    "~r~: OFF",

    "Duration",
    "Turbo Duration 1-10 seconds.",
    "Initial Boost",
    "Amount of speed given by the activation.",
    "Power",
    "Acceleration rate multiplier.",
    "Sensitivity",
    "Strong collision will stop the turbo.",
    "Slow Motion Collision",
    "Trigger BULLET TIME when hitting an object.",
    "SFX: ",
    "Change the sound.",
    "Reset settings",
    "Reset settings back to default.",
    "Volume",
    "Level of the turbo's sounds.",
    "Messages",
    "Turbo messages in the feed.",
    "Keys",
    "Set the keys by pressing them.",

    "Boost: ",
    "Starts and cancels the boost.",
    "Boost 2nd: ",
    "Held with the boost key.",
    "Menu: ",
    "Held with the boost key: this menu.",
    "Up: ",
    "Down: ",
    "Left: ",
    "Right: ",
    "Select: ",
    "Back: ",
    "A key of this menu.",
    "Pad",
    "The pad's buttons.",
    "Boost: ",
    "Starts and cancels the boost.",
    "Boost 2nd: ",
    "Held with the boost button.",
    "Menu: ",
    "Held with the boost button: this menu.",

    "none",
    "press a key",
    "press a button",
    "Esc cancels, Backspace clears.",
    "%1 is %2",
    "Start is the pause menu",
    "%1 moves the menu",
    "The menu needs a way in",
    "not saved",

    "Boost",
    "Boost 2nd",
    "Menu",
    "Menu up",
    "Menu down",
    "Menu left",
    "Menu right",
    "Menu select",
    "Menu back",
    "Pad boost",
    "Pad boost 2nd",
    "Pad menu",
};

constexpr bool AllPresent() {
    for (const char* text : kEnglish) {
        if (text == nullptr) {
            return false;
        }
    }
    return true;
}
static_assert(AllPresent(), "a text of the table is missing");

} // namespace

const char* Text(TextId id) {
    const auto index = static_cast<std::size_t>(id);
    return index < kTextCount ? kEnglish[index] : "";
}

[[gnu::cold]] void FormatText(char* out, std::size_t size, const char* pattern, const char* first,
                              const char* second) {
    if (size == 0) {
        return;
    }
    std::size_t length = 0;
    const auto put = [&](char c) {
        if (length + 1 < size) {
            out[length++] = c;
        }
    };
    for (const char* at = pattern; *at != '\0'; ++at) {
        if (at[0] == '%' && (at[1] == '1' || at[1] == '2')) {
            for (const char* part = at[1] == '1' ? first : second; *part != '\0'; ++part) {
                put(*part);
            }
            ++at;
        } else {
            put(*at);
        }
    }
    out[length] = '\0';
}
