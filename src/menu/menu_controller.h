#pragma once
// The menu step the main loop runs every frame.

#include "menu/menu_item.h"
#include "menu/pad_menu.h"

// The slide offset at which the menu is wholly off screen.
inline constexpr float kMenuHiddenOffset = 0.2f;

void UpdateMenu();
void HandleMenuKeys();

// Open, or sliding out.
inline bool MenuOnScreen() { return rootPage.isOpen || slideOffset < kMenuHiddenOffset; }

// Closed, hidden and back on no page, after the script was restarted; every
// page's selection goes back to its first row, so the menu opens as at load.
void ResetMenu();
