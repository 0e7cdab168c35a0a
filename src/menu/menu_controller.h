#pragma once
// The menu step the main loop runs every frame.

void UpdateMenu();
void HandleMenuKeys();

// The pad opens and moves the menu: KEY_GAMEPAD_MENU names buttons and a pad
// was found at start.
bool PadMenuOn();
// Open, or sliding out.
bool MenuOnScreen();

// Closed, hidden and back on no page, after the script was restarted; every
// page's selection goes back to its first row, so the menu opens as at load.
void ResetMenu();
