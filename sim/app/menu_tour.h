#pragma once
// A walk through the settings menu for the simulator program: open it with
// Shift + T, raise Power, switch the sound profile, close it and show the
// INI file as saved. Expects the module booted and running in sim::game(),
// with Shift (16) as the menu key in its INI file.

void RunMenuTour();
