// Placeholder until the settings menu lands.
#include "menu/menu_controller.h"
#include "menu/settings_menu.h"

void UpdateMenu() {}
void HandleMenuKeys() {}
void ResetMenu() {}
void BuildSettingsMenu() {}
void ApplyItemAction(std::int32_t, char) {}
