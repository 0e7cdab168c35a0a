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

#include <initializer_list>

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

// The keys and buttons held when a pause ends count only after they are let
// go: the B that closes the pause menu, or a key held through it, must not
// act in the module as well.
[[gnu::cold]] void IgnoreInputHeldAcrossPause() {
    for (const std::int32_t key :
         {Settings.KEY_PC, Settings.KEY_PC_2, Settings.KEY_PC_MENU, Settings.KEY_MENU_UP,
          Settings.KEY_MENU_DOWN, Settings.KEY_MENU_LEFT, Settings.KEY_MENU_RIGHT,
          Settings.KEY_MENU_SELECT, Settings.KEY_MENU_BACK}) {
        if (key != 0 && KeyHeld(key)) {
            keysHeldAcrossPause[(key >> 5) & 7] |= 1u << (key & 31);
        }
    }
    if (padIndex != -1) {
        padButtonsHeldAcrossPause = 0xFFFF;
        ReadPadButtons();
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
        IgnoreInputHeldAcrossPause();
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
