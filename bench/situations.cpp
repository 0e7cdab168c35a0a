#include "bench/situations.h"

#include "bench/bare_game.h"
#include "game/gamepad.h"
#include "menu/menu_controller.h"
#include "menu/menu_item.h"
#include "menu/settings_menu.h"
#include "script/script_main.h"
#include "settings/notifications.h"
#include "settings/settings.h"
#include "turbo/turbo.h"
#include "turbo/turbo_sound.h"

#include <cstring>

namespace bare {

namespace {

constexpr int kKeyT = 0x54;
constexpr int kKeyShift = 0x10;
constexpr int kKeyNumpad8 = 0x68;
constexpr int kKeyNumpad5 = 0x65;

struct Named {
    Situation situation;
    const char* name;
};
constexpr Named kNames[] = {
    {Situation::IdleOnFoot, "idle_on_foot"},
    {Situation::IdleInCar, "idle_in_car"},
    {Situation::FirstRunNotice, "first_run_notice"},
    {Situation::MenuStill, "menu_still"},
    {Situation::MenuStillPadMenu, "menu_still_pad_menu"},
    {Situation::MenuSliding, "menu_sliding"},
    {Situation::SpoolUp, "spool_up"},
    {Situation::BoostingWithFlames, "boosting_with_flames"},
    {Situation::Recharging, "recharging"},
    {Situation::Paused, "paused"},
    {Situation::KeyWait, "key_wait"},
};

// Halfway through the slide and through the recharge.
constexpr float kMidSlide = 0.1f;
constexpr float kMidRecharge = 5000.0f;

// A pass a second after the last, past every key wait and the spool-up.
void PassLater(std::uint32_t ms = 1000) {
    world.tick += ms;
    MainLoopPass();
}

void Press(int a, int b = 0) {
    world.keyDown[a] = true;
    world.keyDown[b] = b != 0;
    PassLater();
    world.keyDown[a] = false;
    world.keyDown[b] = false;
}

void OpenMenu() {
    Press(kKeyT, kKeyShift);
    // The slide in takes ten passes.
    for (int i = 0; i < 20; ++i) {
        PassLater(16);
    }
}

void StartBoost() {
    world.inVehicle = true;
    Press(kKeyT);
    PassLater(5000);
}

} // namespace

const char* SituationName(Situation situation) {
    for (const Named& named : kNames) {
        if (named.situation == situation) {
            return named.name;
        }
    }
    return "?";
}

bool SituationFromName(const char* name, Situation& situation) {
    for (const Named& named : kNames) {
        if (std::strcmp(named.name, name) == 0) {
            situation = named.situation;
            return true;
        }
    }
    return false;
}

void StartModule() {
    LoadSettings();
    PrepareTurboSounds();
    FindGamepad();
    RefreshNoticeChord();
    BuildSettingsMenu();
}

void EnterSituation(Situation situation) {
    ResetTurbo();
    ResetMenu();
    Settings.New_Install = 0;
    // RB with the pad found at start: the menu reads the pad on every pass.
    Settings.KEY_GAMEPAD_MENU = situation == Situation::MenuStillPadMenu ? 0x0200 : 0;
    // The keyboard's menu takes the keypad's controls, the pad's the D-pad's,
    // A's, B's and RB's.
    world.usingKeyboard = situation != Situation::MenuStillPadMenu;
    world.inVehicle = false;
    world.paused = false;
    PassLater();

    switch (situation) {
    case Situation::IdleOnFoot:
        break;
    case Situation::IdleInCar:
        world.inVehicle = true;
        break;
    case Situation::FirstRunNotice:
        Settings.New_Install = 1;
        break;
    case Situation::MenuStill:
    case Situation::MenuStillPadMenu:
    case Situation::MenuSliding:
        OpenMenu();
        break;
    case Situation::SpoolUp:
        world.inVehicle = true;
        Press(kKeyT);
        break;
    case Situation::BoostingWithFlames:
        StartBoost();
        break;
    case Situation::Recharging:
        StartBoost();
        // A second press cancels; the shutdown leaves the recharge running.
        Press(kKeyT);
        break;
    case Situation::Paused:
        StartBoost();
        world.paused = true;
        break;
    case Situation::KeyWait:
        OpenMenu();
        // Up from the first row to the last, Keys; its page; its first row.
        Press(kKeyNumpad8);
        Press(kKeyNumpad5);
        Press(kKeyNumpad5);
        break;
    }
    PassLater();
}

void HoldSituation(Situation situation) {
    if (situation == Situation::MenuSliding) {
        slideOffset = kMidSlide;
    } else if (situation == Situation::Recharging) {
        rechargeProgress = kMidRecharge;
    }
}

} // namespace bare
