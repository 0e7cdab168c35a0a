#include "host/trigger.h"

#include "host/gamepad.h"
#include "host/key_input.h"
#include "settings/settings.h"

namespace {

bool ButtonsMatch(std::int32_t mask, std::uint16_t buttons) {
    return (static_cast<std::uint32_t>(mask) & buttons) != 0;
}

// The pad trigger: KEY_GAMEPAD, or KEY_GAMEPAD with KEY_GAMEPAD_2, each
// behind the shared wait; the second mask is tested on a fresh read.
bool GamepadTriggerPressed() {
    if (!KeyWaitOver() || padIndex == -1) {
        return false;
    }
    if (!ButtonsMatch(Settings.KEY_GAMEPAD, ReadPadButtons())) {
        return false;
    }
    if (Settings.KEY_GAMEPAD_2 == 0) {
        return true;
    }
    return KeyWaitOver() && padIndex != -1 &&
           ButtonsMatch(Settings.KEY_GAMEPAD_2, ReadPadButtons());
}

} // namespace

bool TriggerPressed() {
    if (KeyWaitOver() && KeyDown(Settings.KEY_PC) && !KeyDown(Settings.KEY_PC_MENU)) {
        return Settings.KEY_PC_2 == 0 || (KeyWaitOver() && KeyDown(Settings.KEY_PC_2));
    }
    return GamepadTriggerPressed();
}
