#include "settings/settings.h"

#include "host/log.h"
#include "platform/platform.h"

#include <charconv>

SettingsRecord Settings;

namespace {

// A value of the file that the module does not use as read, for bug reports:
// the key, the number read and the rule that replaced it.
void LogSettingRepair(const char* key, std::uint32_t raw, const char* rule) {
    LogBegin("repaired ");
    LogWord(key);
    LogText(": read ");
    LogNumber(raw);
    LogText(", ");
    LogText(rule);
    LogEnd();
}

std::uint32_t ReadKey(const char* key, int fallback) {
    return GetPrivateProfileIntA(kIniSection, key, fallback, kIniFile);
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
    const char* rule;
};

// A menu key that is also a trigger key would boost or toggle the menu while
// it moves through it; pad menu buttons that fire the boost could never open
// the menu without boosting.
constexpr const char* kMenuKeyRule =
    "above 254, or also KEY_PC, KEY_PC_2 or KEY_PC_MENU: the keypad key used";
constexpr NewKey kNewKeys[] = {
    {"KEY_MENU_UP", &SettingsRecord::KEY_MENU_UP, 254, Conflict::TriggerKey, kMenuKeyRule},
    {"KEY_MENU_DOWN", &SettingsRecord::KEY_MENU_DOWN, 254, Conflict::TriggerKey, kMenuKeyRule},
    {"KEY_MENU_LEFT", &SettingsRecord::KEY_MENU_LEFT, 254, Conflict::TriggerKey, kMenuKeyRule},
    {"KEY_MENU_RIGHT", &SettingsRecord::KEY_MENU_RIGHT, 254, Conflict::TriggerKey, kMenuKeyRule},
    {"KEY_MENU_SELECT", &SettingsRecord::KEY_MENU_SELECT, 254, Conflict::TriggerKey, kMenuKeyRule},
    {"KEY_MENU_BACK", &SettingsRecord::KEY_MENU_BACK, 254, Conflict::TriggerKey, kMenuKeyRule},
    {"KEY_GAMEPAD_MENU", &SettingsRecord::KEY_GAMEPAD_MENU, 0xFFFF, Conflict::TriggerButtons,
     "above 65535, or a button of KEY_GAMEPAD or KEY_GAMEPAD_2: no pad menu"},
    {"SFX_volume", &SettingsRecord::SFX_volume, 100, Conflict::None, "above 100: taken as 100"},
};

// What a missing, 0 or refused new key gives: the keypad keys, no pad menu,
// full volume.
constexpr SettingsRecord kFreshRecord{};

bool SameKey(std::uint32_t code, std::int32_t triggerKey) {
    return triggerKey != 0 && code == static_cast<std::uint32_t>(triggerKey);
}

bool Conflicts(Conflict conflict, std::uint32_t raw) {
    if (conflict == Conflict::TriggerKey) {
        return SameKey(raw, Settings.KEY_PC) || SameKey(raw, Settings.KEY_PC_2) ||
               SameKey(raw, Settings.KEY_PC_MENU);
    }
    return conflict == Conflict::TriggerButtons &&
           (raw & static_cast<std::uint32_t>(Settings.KEY_GAMEPAD | Settings.KEY_GAMEPAD_2)) != 0;
}

std::int32_t ReadNewKey(const NewKey& k) {
    const std::uint32_t raw = ReadKey(k.key, 0);
    const std::int32_t unset = kFreshRecord.*k.field;
    if (raw == 0) {
        return unset;
    }
    if (raw > k.highest || Conflicts(k.conflict, raw)) {
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

} // namespace

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
    Settings.KEY_PC = static_cast<std::int32_t>(ReadKey("KEY_PC", 84));
    Settings.KEY_GAMEPAD = static_cast<std::int32_t>(ReadKey("KEY_GAMEPAD", 2));
    Settings.KEY_PC_2 = static_cast<std::int32_t>(ReadKey("KEY_PC_2", 0));
    Settings.KEY_GAMEPAD_2 = static_cast<std::int32_t>(ReadKey("KEY_GAMEPAD_2", 0));
    Settings.KEY_PC_MENU = static_cast<std::int32_t>(ReadKey("KEY_PC_MENU", 0));

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

    // The player sets these in the file alone; the save never writes them.
    for (const NewKey& k : kNewKeys) {
        Settings.*k.field = ReadNewKey(k);
    }
}

void SaveSettings() {
    Settings.New_Install = 0;
    // A key the file refuses does not stop the others.
    bool written = WritePercentage("duration", Settings.duration);
    written = WritePercentage("sensitivity", Settings.sensitivity) && written;
    written = WritePercentage("power", Settings.power) && written;
    written = WritePercentage("boost", Settings.boost) && written;
    written = WritePercentage("slowmo", Settings.slowmo) && written;
    written = WriteValue("New_Install", 0) && written;
    written = WriteValue("SFX_type", Settings.SFX_type != 0 ? 1 : 0) && written;
    Log(written ? "settings saved" : "settings not saved: the file cannot be written");
}
