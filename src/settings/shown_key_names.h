#pragma once
// Keys and pad buttons as the player reads them on screen: a keyboard key by
// the name Windows gives it in the player's layout ("Strg", "Ö"), a pad
// button by its text in the game's language ("D-Pad unten").
// Veloxan.ini and the log keep the module's own names (game/key_names.h), so
// that the file reads the same on every machine. Each name asks Windows:
// only on an event (the start, the menu's opening, a key set), never per
// frame.

#include <cstddef>
#include <cstdint>

// Room for a name as shown, with its NUL, in UTF-8.
inline constexpr std::size_t kShownKeyNameSize = 64;

// A key setting's value as shown: the key's name in the player's layout, or
// the module's own where Windows has none, or none of ten letters or fewer
// (what the menu's rows fit); the pad buttons' texts joined by " + ". Empty
// for 0. `capitals`: in capital letters, as the first-run
// notice names keys ("UMSCHALT + Ö").
void ShownNameOfSetting(std::int32_t value, bool pad, bool capitals, char* out, std::size_t size);
