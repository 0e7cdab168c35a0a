#include "settings/settings.h"

#include "platform/platform.h"

#include <charconv>

SettingsRecord Settings;

namespace {

std::uint32_t ReadKey(const char* key, int fallback) {
    return GetPrivateProfileIntA(kIniSection, key, fallback, kIniFile);
}

// A percentage from the file as a fraction; anything outside (0, 1] is
// replaced by the fallback, so 0, a missing key and 101 all give it.
float ReadFraction(const char* key, float fallback) {
    const float value = static_cast<float>(ReadKey(key, 0)) * 0.01f;
    return (value > 0.0f && value <= 1.0f) ? value : fallback;
}

// N * 0.01f lies just below N/100 for some N (60 gives 0.59999996f), and
// plain truncation would then save N - 1 and lose a percent on every save.
// The tolerance is far below one percent, so 0.625 still saves as 62.
constexpr float kSaveTolerance = 0.001f;

void WriteValue(const char* key, std::uint32_t value) {
    char text[12] = {};
    std::to_chars(text, text + sizeof text - 1, value);
    WritePrivateProfileStringA(kIniSection, key, text, kIniFile);
}

void WritePercentage(const char* key, float fraction) {
    float percent = fraction * 100.0f + kSaveTolerance;
    if (!(percent > 0.0f)) {
        percent = 0.0f;
    } else if (percent > 100.0f) {
        percent = 100.0f;
    }
    WriteValue(key, static_cast<std::uint32_t>(percent));
}

} // namespace

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
    const std::uint32_t newInstall = ReadKey("New_Install ", 0);
    Settings.New_Install = newInstall > 1 ? 0 : newInstall;
    const std::uint32_t notifications = ReadKey("display_notifications", 1);
    Settings.display_notifications = notifications > 1 ? 1 : notifications;
    const std::uint32_t sfx = ReadKey("SFX_type", 1);
    Settings.SFX_type = sfx > 1 ? 1 : sfx;
}

void SaveSettings() {
    Settings.New_Install = 0;
    WritePercentage("duration", Settings.duration);
    WritePercentage("sensitivity", Settings.sensitivity);
    WritePercentage("power", Settings.power);
    WritePercentage("boost", Settings.boost);
    WritePercentage("slowmo", Settings.slowmo);
    WriteValue("New_Install", 0);
    WriteValue("SFX_type", Settings.SFX_type != 0 ? 1 : 0);
}
