#pragma once
// What the log says at each start of the script, for bug reports.

// Veloxan's version, the game's, the game's executable and the settings file
// (full path, found or not). Before the settings are read, so that their
// repairs follow it.
void LogEnvironment();

// Every setting in effect, the keys by name and code, the pad found.
void LogSettingsAndInput();
