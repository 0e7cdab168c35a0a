#include "host/script_main.h"

#include "host/gamepad.h"
#include "menu/menu_controller.h"
#include "menu/settings_menu.h"
#include "settings/settings.h"
#include "turbo/turbo.h"

namespace {

// ScriptHookV starts the entry again in the same loaded module after the
// game reloads its scripts, abandoning the old pass wherever it waited.
bool scriptStarted = false;

} // namespace

void ScriptMain() {
    if (scriptStarted) {
        // The abandoned pass may have been mid-boost or mid-slide: start from
        // rest, and never leave the world in slow motion.
        ResetTurbo();
        ResetMenu();
    }
    scriptStarted = true;
    LoadSettings();
    FindGamepad();
    BuildSettingsMenu();
    MainLoop();
}
