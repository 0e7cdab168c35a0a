#pragma once
// The settings menu on screen.

// Draws currentPage at slideOffset for this frame only; currentPage must be
// set.
void DrawMenu();
