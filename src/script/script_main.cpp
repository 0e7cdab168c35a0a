#include "script/script_main.h"

#include "game/game_state.h"
#include "game/gamepad.h"
#include "game/log.h"
#include "menu/menu_controller.h"
#include "menu/settings_menu.h"
#include "screen/placement.h"
#include "script/start_report.h"
#include "settings/notifications.h"
#include "settings/settings.h"
#include "settings/texts.h"
#include "turbo/turbo.h"
#include "turbo/turbo_sound.h"

namespace {

// ScriptHookV starts the entry again in the same loaded module after the
// game reloads its scripts, abandoning the old pass wherever it waited.
bool scriptStarted = false;

} // namespace

void ScriptMain() {
    // A new load starts a new log; a restart adds to it.
    LogOpen(!scriptStarted);
    if (scriptStarted) {
        Log("script restarted");
        // The abandoned pass may have been mid-boost or mid-slide: start from
        // rest, and never leave the world in slow motion.
        ResetTurbo();
        ResetMenu();
        ResetGameState();
    }
    scriptStarted = true;
    LogEnvironment();
    LoadSettings();
    PickLanguage();
    AskGameEffectsLevel(false);
    AskScreen(true);
    PrepareTurboSounds();
    FindGamepad();
    RefreshNoticeChord();
    LogSettingsAndInput();
    BuildSettingsMenu();
    MainLoop();
}
