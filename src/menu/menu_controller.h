#pragma once
// The menu step the main loop runs every frame.

#include "host/pad_input.h"
#include "menu/menu_item.h"
#include "settings/settings.h"

// The slide offset at which the menu is wholly off screen.
inline constexpr float kMenuHiddenOffset = 0.2f;

void UpdateMenu();
void HandleMenuKeys();

// The pad opens and moves the menu: KEY_GAMEPAD_MENU names buttons and a pad
// was found at start. Asked by the trigger on every pass.
inline bool PadMenuOn() { return Settings.KEY_GAMEPAD_MENU != 0 && padIndex != -1; }
// Open, or sliding out.
inline bool MenuOnScreen() { return rootPage.isOpen || slideOffset < kMenuHiddenOffset; }

// Closed, hidden and back on no page, after the script was restarted; every
// page's selection goes back to its first row, so the menu opens as at load.
void ResetMenu();
