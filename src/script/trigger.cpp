#include "script/trigger.h"

#include "game/key_input.h"
#include "game/pad_input.h"
#include "menu/menu_controller.h"
#include "settings/settings.h"

namespace {

// With the pad menu on, its buttons make the pad trigger the menu's, and the
// D-pad moves through the menu while it is on screen: no boost from the pad
// then.
bool GamepadTriggerPressed() {
    if (PadMenuOn() && MenuOnScreen()) {
        return false;
    }
    return PadTriggerPressed(Settings.KEY_GAMEPAD, Settings.KEY_GAMEPAD_2,
                             Settings.KEY_GAMEPAD_MENU, false);
}

} // namespace

bool TriggerPressed() {
    if (KeyWaitOver() && KeyDown(Settings.KEY_PC) && !KeyDown(Settings.KEY_PC_MENU)) {
        return Settings.KEY_PC_2 == 0 || (KeyWaitOver() && KeyDown(Settings.KEY_PC_2));
    }
    return GamepadTriggerPressed();
}
