#pragma once
// The player's keyboard layout, as Windows names its keys: the answers of
// MapVirtualKeyW, GetKeyNameTextW and CharUpperBuffW for a US, a German and a
// French layout, from the key-name tables of those layouts (kbdus, kbdgr and
// kbdfr), and MultiByteToWideChar for UTF-8. Input::keyboard picks the
// layout; only the forms the module uses are accepted, anything else is a
// fault.

#include "sim/game.h"

#include <cstdint>
#include <string_view>

namespace sim {

// The layouts by the tags --keyboard and the scenarios' keyboard lines take,
// in KeyboardLayout's order.
inline constexpr const char* kKeyboardTags[] = {"en-US", "de-DE", "fr-FR"};

// False when the tag names no layout.
bool KeyboardOfTag(std::string_view tag, KeyboardLayout& layout);

} // namespace sim

namespace sim::platform {

// MapVirtualKeyW with MAPVK_VK_TO_VSC: the key's scan code in the layout, 0
// for a code no key gives. Shift, Ctrl and Alt as one key give the left
// one's, as Windows documents.
std::uint32_t ScanCodeOfKey(std::uint32_t code, std::uint32_t mapType);
// GetKeyNameTextW: the name of the scan code in bits 16-23 of `key`, the
// extended key's when bit 24 is set, cut to fit `size` with its NUL; its
// length, or 0 and an empty text when the layout has no name for it. A key
// that types a character is named by it, as typed without Shift ("ö"),
// the letters A to Z in capitals.
int KeyNameText(std::int32_t key, char16_t* buffer, int size);
// CharUpperBuffW: the first `length` units in capitals, in place, for the
// scripts of the game's languages (Latin, Greek, Cyrillic; the others have
// no capitals); returns `length`.
std::uint32_t UpperCase(char16_t* text, std::uint32_t length);
// MultiByteToWideChar for CP_UTF8 and a whole text with its NUL: the units
// written, with the NUL; 0 when `out` is too small.
int Utf8ToWide(std::uint32_t codePage, std::uint32_t flags, const char* text, int count,
               char16_t* out, int outSize);

} // namespace sim::platform
