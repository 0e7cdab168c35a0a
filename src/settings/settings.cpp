#include "settings/settings.h"

#include "game/key_names.h"
#include "game/log.h"
#include "game/pad_input.h"
#include "platform/platform.h"

#include <charconv>
#include <iterator>

SettingsRecord Settings;

const KeySettingField kKeySettingFields[kKeySettingCount] = {
    {"KEY_PC", &SettingsRecord::KEY_PC},
    {"KEY_PC_2", &SettingsRecord::KEY_PC_2},
    {"KEY_PC_MENU", &SettingsRecord::KEY_PC_MENU},
    {"KEY_MENU_UP", &SettingsRecord::KEY_MENU_UP},
    {"KEY_MENU_DOWN", &SettingsRecord::KEY_MENU_DOWN},
    {"KEY_MENU_LEFT", &SettingsRecord::KEY_MENU_LEFT},
    {"KEY_MENU_RIGHT", &SettingsRecord::KEY_MENU_RIGHT},
    {"KEY_MENU_SELECT", &SettingsRecord::KEY_MENU_SELECT},
    {"KEY_MENU_BACK", &SettingsRecord::KEY_MENU_BACK},
    {"KEY_GAMEPAD", &SettingsRecord::KEY_GAMEPAD},
    {"KEY_GAMEPAD_2", &SettingsRecord::KEY_GAMEPAD_2},
    {"KEY_GAMEPAD_MENU", &SettingsRecord::KEY_GAMEPAD_MENU},
};

namespace {

// A value of the file that the module does not use as read, for bug reports:
// the key, the number read and the rule that replaced it. The profile
// functions read "-1" as 4294967295; the log gives it back as written.
void LogSettingRepair(const char* key, std::uint32_t raw, const char* rule) {
    LogBegin("repaired ");
    LogWord(key);
    LogText(": read ");
    LogNumber(static_cast<std::int32_t>(raw));
    LogText(", ");
    LogText(rule);
    LogEnd();
}

std::uint32_t ReadKey(const char* key, int fallback) {
    return GetPrivateProfileIntA(kIniSection, key, fallback, kIniFile);
}

enum class Names : std::uint8_t { None, Key, PadButtons };

// A key setting as before: its whole number. Only when that is 0 is the text
// asked for, which may name a key or pad buttons joined by '+'; digits alone
// stay a code. A name the table does not hold gives `fallback`, with a line
// that quotes it.
[[gnu::cold]] std::uint32_t ReadKeySetting(const char* key, int fallback, Names names) {
    const std::uint32_t raw = ReadKey(key, fallback);
    if (raw != 0 || names == Names::None) {
        return raw;
    }
    char text[64] = {};
    GetPrivateProfileStringA(kIniSection, key, "", text, sizeof text, kIniFile);
    // The profile functions give the text without the blanks around it.
    const char* digit = text;
    while (*digit >= '0' && *digit <= '9') {
        ++digit;
    }
    if (*digit == '\0') {
        return 0;
    }
    const std::uint32_t named = names == Names::Key ? KeyOfName(text) : PadMaskOfNames(text);
    if (named != 0) {
        return named;
    }
    LogBegin("repaired ");
    LogWord(key);
    LogText(": read \"");
    LogText(text);
    LogText("\", not a name of the key list: default used");
    LogEnd();
    return static_cast<std::uint32_t>(fallback);
}

// A percentage from the file as a fraction; anything outside (0, 1] is
// replaced by the fallback, so 0, a missing key and 101 all give it.
float ReadFraction(const char* key, float fallback) {
    const std::uint32_t raw = ReadKey(key, 0);
    const float value = static_cast<float>(raw) * 0.01f;
    if (value > 0.0f && value <= 1.0f) {
        return value;
    }
    LogSettingRepair(key, raw, "outside 1 to 100 or missing: default used");
    return fallback;
}

// A 0-or-1 switch; anything above 1 becomes `above`.
std::uint32_t ReadSwitch(const char* key, std::uint32_t fallback, std::uint32_t above) {
    const std::uint32_t raw = ReadKey(key, static_cast<int>(fallback));
    if (raw <= 1) {
        return raw;
    }
    LogSettingRepair(key, raw, above != 0 ? "above 1: taken as 1" : "above 1: taken as 0");
    return above;
}

// N * 0.01f lies just below N/100 for some N (60 gives 0.59999996f), and
// plain truncation would then save N - 1 and lose a percent on every save.
// The tolerance is far below one percent, so 0.625 still saves as 62.
constexpr float kSaveTolerance = 0.001f;

// The keys added in 2.3.0. 0 or a missing key gives the field's value in a
// fresh record, and so does a refused value: above `highest`, or in conflict
// with the trigger. No log line for 0: a file of an older version is not
// wrong.
enum class Conflict : std::uint8_t { None, TriggerKey, TriggerButtons };

struct NewKey {
    const char* key;
    std::int32_t SettingsRecord::*field;
    std::uint32_t highest;
    Conflict conflict;
    Names names;
    const char* rule;
};

// A menu key that is also a trigger key would boost or toggle the menu while
// it moves through it, and two menu keys on one key leave one command out of
// reach. Pad menu buttons that fire the boost could never open the menu
// without boosting; A, B or the D-pad, still held when the chord's key wait
// is over, would select or go back at once.
constexpr const char* kMenuKeyRule = "above 254, or also KEY_PC, KEY_PC_2, KEY_PC_MENU or another "
                                     "menu key: the keypad key used";
constexpr NewKey kNewKeys[] = {
    {"KEY_MENU_UP", &SettingsRecord::KEY_MENU_UP, 254, Conflict::TriggerKey, Names::Key,
     kMenuKeyRule},
    {"KEY_MENU_DOWN", &SettingsRecord::KEY_MENU_DOWN, 254, Conflict::TriggerKey, Names::Key,
     kMenuKeyRule},
    {"KEY_MENU_LEFT", &SettingsRecord::KEY_MENU_LEFT, 254, Conflict::TriggerKey, Names::Key,
     kMenuKeyRule},
    {"KEY_MENU_RIGHT", &SettingsRecord::KEY_MENU_RIGHT, 254, Conflict::TriggerKey, Names::Key,
     kMenuKeyRule},
    {"KEY_MENU_SELECT", &SettingsRecord::KEY_MENU_SELECT, 254, Conflict::TriggerKey, Names::Key,
     kMenuKeyRule},
    {"KEY_MENU_BACK", &SettingsRecord::KEY_MENU_BACK, 254, Conflict::TriggerKey, Names::Key,
     kMenuKeyRule},
    {"KEY_GAMEPAD_MENU", &SettingsRecord::KEY_GAMEPAD_MENU, 0xFFFF, Conflict::TriggerButtons,
     Names::PadButtons,
     "above 65535, or a button of KEY_GAMEPAD or KEY_GAMEPAD_2, A, B or the D-pad: no pad menu"},
    {"SFX_volume", &SettingsRecord::SFX_volume, 100, Conflict::None, Names::None,
     "above 100: taken as 100"},
};
// The menu's keys lead the table, in KeySetting's order, and the pad menu
// follows them.
constexpr std::size_t kMenuKeyCount = 6;
constexpr std::size_t kPadMenuIndex = 6;

// Shift, Ctrl and Alt, whichever side: Windows reports the generic key down
// whenever either side is, so a generic key and its sides are one key here.
// The two sides stay two keys. Left Shift to Right Alt are 160 to 165, in
// pairs; Shift, Ctrl and Alt are 16, 17 and 18.
std::uint32_t GenericKey(std::uint32_t code) {
    return code >= 0xA0 && code <= 0xA5 ? 0x10 + (code - 0xA0) / 2 : code;
}

bool SameKey(std::uint32_t code, std::int32_t other) {
    const auto key = static_cast<std::uint32_t>(other);
    return other != 0 && (code == key || GenericKey(code) == key || code == GenericKey(key));
}

constexpr KeyVerdict kAccepted{KeyRefusal::None, KeySetting::Boost, 0};

// Keys with a job of their own in Windows, which the menu does not take: the
// Windows keys and Apps (the game loses the focus), Num Lock (the keypad's
// menu keys go with it) and Scroll Lock, and the input method's toggles and
// mode keys, which Windows may report held for ever. Convert and Nonconvert
// (28, 29) stay: Japanese players use them beside the space bar.
// A bit per key code: 21-26, 91-93, 144, 145, 240-245.
constexpr std::uint32_t kWindowsKeys[8] = {0x07E00000, 0, 0x38000000, 0,
                                           0x00030000, 0, 0,          0x003F0000};

bool WindowsKeepsKey(std::uint32_t code) {
    return code < 256 && (kWindowsKeys[code / 32] >> (code % 32) & 1u) != 0;
}

// Another menu key's keypad key, or a menu key read from the file before
// this one: then no two menu keys are ever one key.
KeyVerdict MenuKeyTaken(std::size_t index, std::uint32_t raw) {
    for (std::size_t other = 0; other < kMenuKeyCount; ++other) {
        const auto field = kNewKeys[other].field;
        if (other != index && (SameKey(raw, kFreshRecord.*field) ||
                               (other < index && SameKey(raw, Settings.*field)))) {
            return {KeyRefusal::Taken,
                    static_cast<KeySetting>(static_cast<std::size_t>(KeySetting::MenuUp) + other),
                    raw};
        }
    }
    return kAccepted;
}

// The rules of kNewKeys[index] for `raw`, against the settings in effect: the
// file's, and the menu's for a key pressed there.
KeyVerdict Conflicts(std::size_t index, std::uint32_t raw) {
    const Conflict conflict = kNewKeys[index].conflict;
    if (conflict == Conflict::TriggerKey) {
        for (const KeySetting trigger : {KeySetting::Boost, KeySetting::Boost2, KeySetting::Menu}) {
            if (SameKey(raw, KeySettingValue(trigger))) {
                return {KeyRefusal::Taken, trigger, raw};
            }
        }
        return MenuKeyTaken(index, raw);
    }
    if (conflict == Conflict::TriggerButtons) {
        for (const KeySetting trigger : {KeySetting::PadBoost, KeySetting::PadBoost2}) {
            const auto held = raw & static_cast<std::uint32_t>(KeySettingValue(trigger));
            if (held != 0) {
                return {KeyRefusal::Taken, trigger, held};
            }
        }
        if ((raw & kMenuCommandButtons) != 0) {
            return {KeyRefusal::MenuButton, KeySetting::PadMenu, raw & kMenuCommandButtons};
        }
    }
    return kAccepted;
}

std::int32_t ReadNewKey(std::size_t index) {
    const NewKey& k = kNewKeys[index];
    const std::uint32_t raw = ReadKeySetting(k.key, 0, k.names);
    const std::int32_t unset = kFreshRecord.*k.field;
    if (raw == 0) {
        return unset;
    }
    if (raw > k.highest || Conflicts(index, raw).refusal != KeyRefusal::None) {
        LogSettingRepair(k.key, raw, k.rule);
        return unset;
    }
    return static_cast<std::int32_t>(raw);
}

bool WriteValue(const char* key, std::uint32_t value) {
    char text[12] = {};
    std::to_chars(text, text + sizeof text - 1, value);
    return WritePrivateProfileStringA(kIniSection, key, text, kIniFile) != FALSE;
}

bool WritePercentage(const char* key, float fraction) {
    return WriteValue(key, PercentOf(fraction));
}

// What the file held of the two settings the menu may change without the
// save writing them: a player who leaves them alone keeps the file as it was.
std::uint32_t fileVolume = 100;
std::uint32_t fileNotifications = 1;

// Writes the value only when the file holds another; the file holds it then.
// At a save, like its caller: built for size.
[[gnu::cold]] bool WriteIfChanged(const char* key, std::uint32_t value, std::uint32_t& held) {
    if (value == held) {
        return true;
    }
    if (!WriteValue(key, value)) {
        return false;
    }
    held = value;
    return true;
}

} // namespace

[[gnu::cold]] KeyVerdict CheckKeyFromMenu(KeySetting setting, std::uint32_t value) {
    if (value == 0) {
        // A pad is never a sure way in: it may be gone at the next start. The
        // pad menu stays while the keyboard has none.
        if (setting == KeySetting::Menu ||
            (setting == KeySetting::PadMenu && !KeyboardOpensMenu())) {
            return {KeyRefusal::WayIn, setting, 0};
        }
        return kAccepted;
    }
    if (IsPadSetting(setting)) {
        if ((value & XINPUT_GAMEPAD_START) != 0) {
            return {KeyRefusal::Start, setting, XINPUT_GAMEPAD_START};
        }
    } else {
        if (WindowsKeepsKey(value)) {
            return {KeyRefusal::Windows, setting, value};
        }
        for (std::size_t k = 0; k <= static_cast<std::size_t>(KeySetting::MenuBack); ++k) {
            const auto other = static_cast<KeySetting>(k);
            if (other != setting && SameKey(value, KeySettingValue(other))) {
                return {KeyRefusal::Taken, other, value};
            }
        }
    }
    // The file's rule of the setting itself, or for a trigger button the pad
    // menu's rule, which reads the trigger's buttons: tried with the new
    // value in force, which is then put back.
    const auto at = static_cast<std::size_t>(setting);
    const auto first = static_cast<std::size_t>(KeySetting::MenuUp);
    std::size_t index = std::size(kNewKeys);
    if (IsPadSetting(setting)) {
        index = kPadMenuIndex;
    } else if (at >= first) {
        index = at - first;
    }
    std::int32_t& field = KeySettingValue(setting);
    const std::int32_t kept = field;
    field = static_cast<std::int32_t>(value);
    KeyVerdict verdict = kAccepted;
    if (index < std::size(kNewKeys) && Settings.*kNewKeys[index].field != 0) {
        verdict = Conflicts(index, static_cast<std::uint32_t>(Settings.*kNewKeys[index].field));
    }
    field = kept;
    if (verdict.refusal != KeyRefusal::None && IsPadSetting(setting) &&
        setting != KeySetting::PadMenu) {
        verdict.holder = KeySetting::PadMenu;
    }
    return verdict;
}

[[gnu::cold]] bool StoreKeyFromMenu(KeySetting setting, std::int32_t value, bool cleared) {
    const KeySettingField& stored = kKeySettingFields[static_cast<std::size_t>(setting)];
    Settings.*stored.field = value;
    char name[kKeySettingNameSize] = {};
    NameOfSetting(value, IsPadSetting(setting), name, sizeof name);
    const bool written =
        WritePrivateProfileStringA(kIniSection, stored.key, value != 0 && !cleared ? name : "0",
                                   kIniFile) != FALSE;
    LogBegin(stored.key);
    LogText(" set in the menu: ");
    LogText(value != 0 ? name : "none");
    LogText(" (");
    LogNumber(value);
    LogText(written ? ")" : "), not saved: the file cannot be written");
    LogEnd();
    return written;
}

std::uint32_t PercentOf(float fraction) {
    float percent = fraction * 100.0f + kSaveTolerance;
    if (!(percent > 0.0f)) {
        percent = 0.0f;
    } else if (percent > 100.0f) {
        percent = 100.0f;
    }
    return static_cast<std::uint32_t>(percent);
}

// Runs once per start of the script: built for size rather than speed, which
// keeps the module's code small.
[[gnu::cold]] void LoadSettings() {
    // Key bindings are used as read: a code of 0 is a key that is never down.
    // A key may be named instead (KEY_PC=T).
    Settings.KEY_PC = static_cast<std::int32_t>(ReadKeySetting("KEY_PC", 84, Names::Key));
    Settings.KEY_GAMEPAD =
        static_cast<std::int32_t>(ReadKeySetting("KEY_GAMEPAD", 2, Names::PadButtons));
    Settings.KEY_PC_2 = static_cast<std::int32_t>(ReadKeySetting("KEY_PC_2", 0, Names::Key));
    Settings.KEY_GAMEPAD_2 =
        static_cast<std::int32_t>(ReadKeySetting("KEY_GAMEPAD_2", 0, Names::PadButtons));
    Settings.KEY_PC_MENU = static_cast<std::int32_t>(ReadKeySetting("KEY_PC_MENU", 0, Names::Key));

    Settings.duration = ReadFraction("duration", kDefaultDuration);
    Settings.sensitivity = ReadFraction("sensitivity", kDefaultSensitivity);
    Settings.power = ReadFraction("power", kDefaultPower);
    Settings.boost = ReadFraction("boost", kDefaultBoost);
    // Asked with a trailing blank; names compare without surrounding blanks,
    // so these find the keys the save writes.
    Settings.slowmo = ReadFraction("slowmo ", kDefaultSlowmo);

    // The first-run notice is due only when the file says exactly 1.
    Settings.New_Install = ReadSwitch("New_Install ", 0, 0);
    Settings.display_notifications = ReadSwitch("display_notifications", 1, 1);
    Settings.SFX_type = ReadSwitch("SFX_type", 1, 1);

    // The player sets these in the file alone; the save never writes them,
    // nor any key, so a key's name stays as the player wrote it.
    for (std::size_t index = 0; index < sizeof kNewKeys / sizeof kNewKeys[0]; ++index) {
        Settings.*kNewKeys[index].field = ReadNewKey(index);
    }
    Settings.SFX_follow_game = ReadSwitch("SFX_follow_game", 1, 1);
    fileVolume = static_cast<std::uint32_t>(Settings.SFX_volume);
    fileNotifications = Settings.display_notifications;
}

// When the menu opens and closes: built for size.
[[gnu::cold]] void SaveSettings() {
    Settings.New_Install = 0;
    // A key the file refuses does not stop the others.
    bool written = WritePercentage("duration", Settings.duration);
    written = WritePercentage("sensitivity", Settings.sensitivity) && written;
    written = WritePercentage("power", Settings.power) && written;
    written = WritePercentage("boost", Settings.boost) && written;
    written = WritePercentage("slowmo", Settings.slowmo) && written;
    written = WriteValue("New_Install", 0) && written;
    written = WriteValue("SFX_type", Settings.SFX_type != 0 ? 1 : 0) && written;
    written =
        WriteIfChanged("SFX_volume", static_cast<std::uint32_t>(Settings.SFX_volume), fileVolume) &&
        written;
    written = WriteIfChanged("display_notifications", Settings.display_notifications,
                             fileNotifications) &&
              written;
    Log(written ? "settings saved" : "settings not saved: the file cannot be written");
}
