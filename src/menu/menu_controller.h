#pragma once
// The menu step the main loop runs every frame.

void UpdateMenu();
void HandleMenuKeys();

// Closed, hidden and back on no page, after the script was restarted; every
// page's selection goes back to its first row, so the menu opens as at load.
void ResetMenu();
