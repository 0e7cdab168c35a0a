#pragma once
// The menu step the main loop runs every frame.

void UpdateMenu();
void HandleMenuKeys();

// Closed, hidden and back on no page, after the script was restarted.
void ResetMenu();
