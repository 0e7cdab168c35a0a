#include "host/gamepad.h"
#include "host/key_input.h"
#include "host/script_hook.h"
#include "host/script_main.h"
#include "menu/menu_controller.h"
#include "settings/notifications.h"
#include "settings/settings.h"
#include "turbo/turbo.h"

std::uint32_t lastKeyTick = 0;

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

// The keyboard trigger is KEY_PC, or the chord KEY_PC + KEY_PC_2, with the
// menu key up (KEY_PC + KEY_PC_MENU belongs to the menu). The pad is polled
// only when the keyboard's own test failed, not when just the second key of
// the chord is missing.
bool TriggerPressed() {
    if (KeyWaitOver() && KeyDown(Settings.KEY_PC) && !KeyDown(Settings.KEY_PC_MENU)) {
        return Settings.KEY_PC_2 == 0 || (KeyWaitOver() && KeyDown(Settings.KEY_PC_2));
    }
    return GamepadTriggerPressed();
}

void RunTurboStep() {
    switch (turboState) {
    case TurboState::Recharging:
        RechargeStep();
        break;
    case TurboState::SpoolUp:
        SpoolUpStep();
        break;
    case TurboState::Boosting:
        BoostStep();
        break;
    case TurboState::Ready:
    default:
        break;
    }
}

} // namespace

void MainLoop() {
    for (;;) {
        if (Settings.New_Install != 0) {
            DrawFirstRunNotice();
        }
        UpdateMenu();
        if (TriggerPressed()) {
            TurboTrigger();
            lastKeyTick = GetTickCount();
        }
        RunTurboStep();
        scriptWait(0);
    }
}
