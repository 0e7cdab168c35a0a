#pragma once
// The settings record and its INI file. Everything tunable lives here;
// the menu changes the record in memory and the turbo reads it at each use.

#include <cstddef>
#include <cstdint>

// Field names are the INI keys. Fractions are whole percentages in the file.
struct SettingsRecord {
    float duration = 0.6f; // boost length, fraction of 10500 ms
    float sensitivity = 0.0f;
    float power = 0.0f;
    float boost = 0.0f; // initial push
    float slowmo = 0.0f;
    std::uint32_t SFX_type = 0; // sound profile, 0 or 1
    std::uint32_t New_Install = 0;
    std::uint32_t display_notifications = 0;
    std::int32_t KEY_PC = 0;
    std::int32_t KEY_PC_2 = 0;
    std::int32_t KEY_PC_MENU = 0;
    std::int32_t KEY_GAMEPAD = 0;
    std::int32_t KEY_GAMEPAD_2 = 0;
    // The menu's keys, virtual-key codes; the numeric keypad's unless the file
    // names others.
    std::int32_t KEY_MENU_UP = 0x68;
    std::int32_t KEY_MENU_DOWN = 0x62;
    std::int32_t KEY_MENU_LEFT = 0x64;
    std::int32_t KEY_MENU_RIGHT = 0x66;
    std::int32_t KEY_MENU_SELECT = 0x65;
    std::int32_t KEY_MENU_BACK = 0x60;
    // Pad buttons that, held with the pad trigger, open and close the menu;
    // 0 for none.
    std::int32_t KEY_GAMEPAD_MENU = 0;
    // Level of the module's sounds, 1 to 100 percent.
    std::int32_t SFX_volume = 100;
    // 1: the sounds follow the game's own sound-effects level too.
    std::uint32_t SFX_follow_game = 1;
};

// One record for the module's lifetime; the menu keeps pointers to its
// fraction fields. Written by LoadSettings, SaveSettings (New_Install) and the
// menu's item actions; read by the main loop, the menu, the notices and the
// turbo.
extern SettingsRecord Settings;

// What a missing, 0 or refused new key gives: the keypad keys, no pad menu,
// full volume. The file's reading and the menu's Backspace both start from it.
inline constexpr SettingsRecord kFreshRecord{};

inline constexpr const char* kIniFile = ".\\Veloxan.ini";
inline constexpr const char* kIniSection = "Veloxan";

// What a missing or out-of-range fraction becomes, and what "Reset settings"
// restores.
inline constexpr float kDefaultDuration = 0.6f;
inline constexpr float kDefaultSensitivity = 0.25f;
inline constexpr float kDefaultPower = 0.4f;
inline constexpr float kDefaultBoost = 0.35f;
inline constexpr float kDefaultSlowmo = 0.2f;

// Each value the file gives outside its range is logged with the rule that
// repaired it.
void LoadSettings();
// Logs whether the file took every value. SFX_volume and
// display_notifications are written only when they differ from the file's.
void SaveSettings();

// A fraction as the whole percentage the file stores.
std::uint32_t PercentOf(float fraction);

// The key settings, in the order of the menu's Keys page and of the texts
// that name a key's holder.
enum class KeySetting : std::uint8_t {
    Boost,
    Boost2,
    Menu,
    MenuUp,
    MenuDown,
    MenuLeft,
    MenuRight,
    MenuSelect,
    MenuBack,
    PadBoost,
    PadBoost2,
    PadMenu,
};
inline constexpr std::size_t kKeySettingCount = 12;

struct KeySettingField {
    const char* key; // the INI key
    std::int32_t SettingsRecord::*field;
};
extern const KeySettingField kKeySettingFields[kKeySettingCount];

inline bool IsPadSetting(KeySetting setting) { return setting >= KeySetting::PadBoost; }
inline std::int32_t& KeySettingValue(KeySetting setting) {
    return Settings.*kKeySettingFields[static_cast<std::size_t>(setting)].field;
}

enum class KeyRefusal : std::uint8_t {
    None,
    Taken,      // `holder` holds `key`
    MenuButton, // `key` holds buttons of the pad menu's own commands
    WayIn,      // clearing `holder` would take the keyboard's, or the last, way into the menu
    Start,      // the pause menu's button
    Windows,    // a key Windows keeps for itself
};

struct KeyVerdict {
    KeyRefusal refusal;
    KeySetting holder;
    std::uint32_t key; // the key, or the pad buttons, in question
};

// The keyboard's chord, KEY_PC with KEY_PC_MENU, can open the menu.
inline bool KeyboardOpensMenu() { return Settings.KEY_PC != 0 && Settings.KEY_PC_MENU != 0; }

// A key pressed in the menu for `setting`, or 0 for Backspace's: the file's
// rules for it, against the settings in effect, and the menu's own: no two
// keyboard settings in effect are one key, the keyboard keeps its way into
// the menu, and no key or button that Windows or the game keeps for itself.
// The pad's trigger buttons meet the pad menu's rule from the other side.
KeyVerdict CheckKeyFromMenu(KeySetting setting, std::uint32_t value);

// Puts `value` in force and writes it to the file by its name, that key
// alone; logs it. `cleared`: the player cleared the setting, and the file
// says 0 (a menu key's 0 is the keypad key put in force). False, with a
// line, when the file did not take it.
bool StoreKeyFromMenu(KeySetting setting, std::int32_t value, bool cleared);
