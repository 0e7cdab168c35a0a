#include "host/key_input.h"
#include "host/pad_input.h"
#include "host/script_hook.h"
#include "host/script_main.h"
#include "host/trigger.h"
#include "menu/menu_controller.h"
#include "settings/notifications.h"
#include "settings/settings.h"
#include "turbo/turbo.h"

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

void MainLoopPass() {
    gameHasFocus = GameWindowInForeground();
    ForgetPadButtons();
    if (Settings.New_Install != 0) {
        DrawFirstRunNotice();
    }
    UpdateMenu();
    if (TriggerPressed()) {
        TurboTrigger();
        lastKeyTick = GetTickCount();
    }
    RunTurboStep();
}

void MainLoop() {
    for (;;) {
        MainLoopPass();
        scriptWait(0);
    }
}
