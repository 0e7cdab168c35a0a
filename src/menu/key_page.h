#pragma once
// The Keys page: a row per key setting, and a Pad page of the pad's three.
// Select on a row makes it wait for a key; the key pressed, once the checks
// of the file and of the menu pass, is in force at once and written alone.

#include "menu/menu_item.h"

#include <cstdint>

// The key rows' ids start here: the id less this is the row's KeySetting.
inline constexpr std::int32_t kKeyRowIdBase = 100;

// A row waits for a key, or the key that ended its wait is still held: the
// trigger, the chord and the menu's keys do nothing, and every pass runs
// StepKeyPage. Also set while a row shows why a key was refused.
extern bool keyPageBusy;
// A row waits, or the key that ended the wait is still down.
extern bool keyWaitOn;

// Hangs the Keys page's rows and its Pad page under `keysRow`.
void BuildKeyPage(MenuItem& keysRow);
// What the key rows show, from the settings in effect and the names last
// asked for them.
void ShowKeyRows();
// Asks for the key rows' names again, in the player's layout and the game's
// language, and shows them: when the menu opens.
void NameKeyRows();
// Select on the key row `id`.
void StartKeyWait(std::int32_t id);
// Once per pass while keyPageBusy, before the menu's keys: the wait, its
// checks, and the end of a refusal's three seconds.
void StepKeyPage();
// A pause, a script restart: the row stops waiting, as Esc would have it.
void CancelKeyWait();
