#pragma once
// The names of keyboard keys and pad buttons: what a player writes in
// Veloxan.ini instead of a code, what the log prints, and what veloxan-sim
// --explain tells. One table each, so that a name the log prints is one the
// file takes.

#include <cstddef>
#include <cstdint>
#include <string_view>

// Longest name, with its terminator.
inline constexpr std::size_t kKeyNameChars = 14;

struct KeyName {
    char name[kKeyNameChars];
    std::uint8_t code; // Windows virtual-key code
};

struct PadButtonName {
    char name[10];
    std::uint16_t mask; // XInput button bit
};

// Letters, the digit keys (D0-D9, so that no name reads as a code), F1-F24,
// the keypad, the arrows, the editing keys, Shift, Ctrl and Alt with their
// sides, and the punctuation keys of a US layout.
extern const KeyName kKeyNames[];
extern const std::size_t kKeyNameCount;
extern const PadButtonName kPadButtonNames[];
extern const std::size_t kPadButtonNameCount;

// The name of a virtual-key code; nullptr for a code the table leaves out.
const char* NameOfKey(std::int32_t code);
// The code a name gives, without regard to case or the blanks around it;
// 0 for a name the table does not hold.
std::uint32_t KeyOfName(std::string_view name);
// Button names joined by '+' ("RB", "LB + A") as one mask; 0 when any of
// them is not a button's name, or when a part is empty.
std::uint32_t PadMaskOfNames(std::string_view names);

// Room for a setting's name as NameOfSetting writes it, with its NUL.
inline constexpr std::size_t kKeySettingNameSize = 32;

// A key setting's value as the file takes it back and the log writes it: the
// key's name, or pad buttons' names joined by '+' ("LB+A"); digits for a key
// the table has no name for; empty for 0. Cut short rather than overrun.
void NameOfSetting(std::int32_t value, bool pad, char* out, std::size_t size);
