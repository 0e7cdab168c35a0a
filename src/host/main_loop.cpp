#include "host/game_state.h"
#include "host/key_input.h"
#include "host/pad_input.h"
#include "host/script_hook.h"
#include "host/script_main.h"
#include "host/trigger.h"
#include "menu/menu_controller.h"
#include "settings/notifications.h"
#include "settings/settings.h"
#include "turbo/turbo.h"
#include "turbo/turbo_sound.h"

#include <iterator>

std::uint32_t lastKeyTick = 0;
bool gameHasFocus = true;

namespace {

// GetAsyncKeyState and XInput read the devices of the whole desktop: a key
// counts only while one of the game's own windows is in front.
bool GameWindowInForeground() {
    HWND window = GetForegroundWindow();
    if (window == nullptr) {
        return false;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

void RunTurboStep() {
    switch (turboState) {
    case TurboState::Recharging:
        RechargeStep();
        break;
    case TurboState::SpoolUp:
    case TurboState::Boosting:
        // The game has the vehicle now: the boost ends, and pushes nothing.
        if (const char* reason = GameBusyReason()) {
            TurboGameTookOver(reason);
        } else if (turboState == TurboState::SpoolUp) {
            SpoolUpStep();
        } else {
            BoostStep();
        }
        break;
    case TurboState::Ready:
    default:
        break;
    }
}

// The module's keys, and the pad's buttons, held when the last pause ended and
// not let go since, so that the B that closes the pause menu, or a key held
// through it, does not act in the module as well: until each is let go no
// key counts, and the shared wait starts again from the last. Settings as
// bits by their place in kModuleKeys. Written by the two functions below.
constexpr std::int32_t SettingsRecord::*kModuleKeys[] = {
    &SettingsRecord::KEY_PC,         &SettingsRecord::KEY_PC_2,
    &SettingsRecord::KEY_PC_MENU,    &SettingsRecord::KEY_MENU_UP,
    &SettingsRecord::KEY_MENU_DOWN,  &SettingsRecord::KEY_MENU_LEFT,
    &SettingsRecord::KEY_MENU_RIGHT, &SettingsRecord::KEY_MENU_SELECT,
    &SettingsRecord::KEY_MENU_BACK};
std::uint32_t keysHeldSincePause = 0;
std::uint16_t buttonsHeldSincePause = 0;

// At the pause's end with every bit set, then on each pass while one is left.
[[gnu::cold]] void WaitForInputHeldSincePause() {
    for (std::size_t k = 0; k < std::size(kModuleKeys); ++k) {
        const std::int32_t key = Settings.*kModuleKeys[k];
        if ((keysHeldSincePause >> k & 1u) != 0 && (key == 0 || !KeyDown(key))) {
            keysHeldSincePause &= ~(1u << k);
        }
    }
    if (buttonsHeldSincePause != 0) {
        const std::uint16_t held = padIndex != -1 ? PadButtonsThisPass() : 0;
        buttonsHeldSincePause = static_cast<std::uint16_t>(buttonsHeldSincePause & held);
    }
    if ((keysHeldSincePause | buttonsHeldSincePause) != 0) {
        lastKeyTick = ModuleTick();
    }
}

} // namespace

void MainLoopPass() {
    // While the game is paused the module holds still: nothing is read,
    // drawn or sent, its clock stops, and its recording waits for the game.
    const PauseStep pause = StepPause();
    switch (pause) {
    case PauseStep::Began:
        PauseTurboSound();
        return;
    case PauseStep::Held:
        return;
    case PauseStep::Ended:
        ResumeTurboSound();
        break;
    case PauseStep::Running:
    default:
        break;
    }
    gameHasFocus = GameWindowInForeground();
    ForgetPadButtons();
    if (pause == PauseStep::Ended) {
        keysHeldSincePause = (1u << std::size(kModuleKeys)) - 1;
        buttonsHeldSincePause = 0xFFFF;
    }
    if ((keysHeldSincePause | buttonsHeldSincePause) != 0) {
        WaitForInputHeldSincePause();
    }
    // While the game is busy, nothing is drawn and no press acts.
    if (Settings.New_Install != 0 && !GameBusy()) {
        DrawFirstRunNotice();
    }
    UpdateMenu();
    if (TriggerPressed() && !GameBusy()) {
        TurboTrigger();
        lastKeyTick = ModuleTick();
    }
    RunTurboStep();
}

void MainLoop() {
    for (;;) {
        MainLoopPass();
        scriptWait(0);
    }
}
