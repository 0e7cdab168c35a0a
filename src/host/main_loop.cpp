#include "host/game_state.h"
#include "host/key_input.h"
#include "host/pad_input.h"
#include "host/script_hook.h"
#include "host/script_main.h"
#include "host/trigger.h"
#include "menu/key_page.h"
#include "menu/menu_controller.h"
#include "settings/notifications.h"
#include "settings/settings.h"
#include "turbo/turbo.h"
#include "turbo/turbo_sound.h"

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
        // The game's audio settings live in its pause menu.
        AskGameEffectsLevel(true);
        // A spool-up or boost the game took over in the pause ends in this
        // pass, silent: its recording must not start again only to be cut.
        if ((turboState != TurboState::SpoolUp && turboState != TurboState::Boosting) ||
            !GameBusy()) {
            ResumeTurboSound();
        }
        break;
    case PauseStep::Running:
    default:
        break;
    }
    gameHasFocus = GameWindowInForeground();
    ForgetPadButtons();
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
