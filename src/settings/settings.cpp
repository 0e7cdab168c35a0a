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

void LoadSettings() {
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
