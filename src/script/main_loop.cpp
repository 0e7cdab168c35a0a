#include "game/game_state.h"
#include "game/key_input.h"
#include "game/pad_input.h"
#include "game/script_hook.h"
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

// The module's keys, and the pad's buttons, held when the last pause ended and
// not let go since, so that the B that closes the pause menu, or a key held
// through it, does not act in the module as well: until each is let go no
// key counts, and the shared wait starts again from the last. The keyboard's
// key settings (KeySetting up to MenuBack) by their place in the low bits,
// the pad's buttons in the high half. Set at the pause's end, cleared by
// WaitForInputHeldSincePause.
constexpr std::size_t kModuleKeyCount = static_cast<std::size_t>(KeySetting::MenuBack) + 1;
constexpr std::uint32_t kAllHeldSincePause = 0xFFFF0000u | ((1u << kModuleKeyCount) - 1);
std::uint32_t heldSincePause = 0;

// On each pass from the pause's end while one is left.
[[gnu::cold]] void WaitForInputHeldSincePause() {
    for (std::size_t k = 0; k < kModuleKeyCount; ++k) {
        const std::int32_t key = Settings.*kKeySettingFields[k].field;
        if ((heldSincePause >> k & 1u) != 0 && (key == 0 || !KeyDown(key))) {
            heldSincePause &= ~(1u << k);
        }
    }
    if (heldSincePause >> 16 != 0) {
        heldSincePause &=
            0xFFFFu | (padIndex != -1 ? std::uint32_t{PadButtonsThisPass()} << 16 : 0u);
    }
    if (heldSincePause != 0) {
        lastKeyTick = ModuleTick();
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
        heldSincePause = kAllHeldSincePause;
        break;
    case PauseStep::Running:
    default:
        break;
    }
    gameHasFocus = GameWindowInForeground();
    ForgetPadButtons();
    if (heldSincePause != 0) {
        WaitForInputHeldSincePause();
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
