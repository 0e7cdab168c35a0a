#include "game/game_state.h"
#include "game/key_input.h"
#include "game/pad_input.h"
#include "game/script_hook.h"
#include "menu/held_keys.h"
#include "menu/key_page.h"
#include "menu/menu_controller.h"
#include "screen/placement.h"
#include "script/script_main.h"
#include "script/trigger.h"
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

} // namespace

void MainLoopPass() {
    // While the game is paused the module holds still: nothing is read,
    // drawn or sent, its clock stops, and its recording waits for the game.
    switch (StepPause()) {
    case PauseStep::Began:
        PauseTurboSound();
        if (keyPageBusy) {
            CancelKeyWait();
        }
        return;
    case PauseStep::Held:
        return;
    case PauseStep::Ended:
        // The game's audio and display settings live in its pause menu.
        AskGameEffectsLevel(true);
        AskScreen(false);
        // A spool-up or boost the game took over in the pause ends in this
        // pass, silent: its recording must not start again only to be cut.
        if ((turboState != TurboState::SpoolUp && turboState != TurboState::Boosting) ||
            !GameBusy()) {
            ResumeTurboSound();
        }
        // The B that closes the pause menu, or a key held through it, must
        // not act in the module as well.
        HoldOffHeldKeys();
        break;
    case PauseStep::Running:
    default:
        break;
    }
    gameHasFocus = GameWindowInForeground();
    ForgetPadButtons();
    if (keysHeldOff != 0) {
        WaitForHeldKeys();
    }
    // While the game is busy, nothing is drawn and no press acts; while the
    // HUD is hidden, only the menu the player opened is drawn.
    if (Settings.New_Install != 0 && !GameBusy() && !HudHidden()) {
        DrawFirstRunNotice();
    }
    UpdateMenu();
    // A key row that waits takes every key, the trigger's too.
    if (!keyWaitOn && TriggerPressed() && !GameBusy()) {
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
