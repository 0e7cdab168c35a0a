#include "host/start_report.h"

#include "host/gamepad.h"
#include "host/log.h"
#include "host/script_hook.h"
#include "platform/platform.h"
#include "settings/settings.h"
#include "turbo/turbo_sound.h"
#include "version.h"

#include <string_view>

namespace {

struct CodeName {
    std::uint16_t code;
    const char* name;
};

// The keys a player is likely to bind beyond letters, digits, F-keys and the
// numeric keypad, which are named by rule.
constexpr CodeName kKeyNames[] = {
    {0x08, "Backspace"},   {0x09, "Tab"},       {0x0D, "Enter"},      {0x10, "Shift"},
    {0x11, "Ctrl"},        {0x12, "Alt"},       {0x14, "Caps Lock"},  {0x1B, "Esc"},
    {0x20, "Space"},       {0x21, "Page Up"},   {0x22, "Page Down"},  {0x23, "End"},
    {0x24, "Home"},        {0x25, "Left"},      {0x26, "Up"},         {0x27, "Right"},
    {0x28, "Down"},        {0x2D, "Insert"},    {0x2E, "Delete"},     {0xA0, "Left Shift"},
    {0xA1, "Right Shift"}, {0xA2, "Left Ctrl"}, {0xA3, "Right Ctrl"}, {0xA4, "Left Alt"},
    {0xA5, "Right Alt"},
};

constexpr CodeName kPadButtonNames[] = {
    {XINPUT_GAMEPAD_DPAD_UP, "D-pad up"},
    {XINPUT_GAMEPAD_DPAD_DOWN, "D-pad down"},
    {XINPUT_GAMEPAD_DPAD_LEFT, "D-pad left"},
    {XINPUT_GAMEPAD_DPAD_RIGHT, "D-pad right"},
    {XINPUT_GAMEPAD_START, "Start"},
    {XINPUT_GAMEPAD_BACK, "Back"},
    {XINPUT_GAMEPAD_LEFT_THUMB, "LS"},
    {XINPUT_GAMEPAD_RIGHT_THUMB, "RS"},
    {XINPUT_GAMEPAD_LEFT_SHOULDER, "LB"},
    {XINPUT_GAMEPAD_RIGHT_SHOULDER, "RB"},
    {XINPUT_GAMEPAD_A, "A"},
    {XINPUT_GAMEPAD_B, "B"},
    {XINPUT_GAMEPAD_X, "X"},
    {XINPUT_GAMEPAD_Y, "Y"},
};

void LogKeyName(std::int32_t code) {
    const char letter[2] = {static_cast<char>(code), '\0'};
    if (code == 0) {
        LogText("none");
    } else if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) {
        LogText(letter);
    } else if (code >= 0x60 && code <= 0x69) {
        LogText("Numpad ");
        LogNumber(code - 0x60);
    } else if (code >= 0x70 && code <= 0x87) {
        LogText("F");
        LogNumber(code - 0x6F);
    } else {
        for (const CodeName& key : kKeyNames) {
            if (key.code == code) {
                LogText(key.name);
                return;
            }
        }
        LogText("?");
    }
}

void LogPadButtons(std::int32_t mask) {
    const char* separator = "";
    for (const CodeName& button : kPadButtonNames) {
        if ((static_cast<std::uint32_t>(mask) & button.code) != 0) {
            LogText(separator);
            LogText(button.name);
            separator = "+";
        }
    }
    if (*separator == '\0') {
        LogText("none");
    }
}

template <typename Field>
struct NamedSetting {
    const char* name;
    const Field* field;
};

// One line each: the fractions as the file's percentages, the switches and
// the volume, the keyboard keys, the pad masks. A setting added later goes at
// the end of its line, so a reader of older logs finds each line as it was.
constexpr NamedSetting<float> kPercentSettings[] = {{"duration=", &Settings.duration},
                                                    {" sensitivity=", &Settings.sensitivity},
                                                    {" power=", &Settings.power},
                                                    {" boost=", &Settings.boost},
                                                    {" slowmo=", &Settings.slowmo}};
constexpr NamedSetting<std::uint32_t> kSwitchSettings[] = {
    {"SFX_type=", &Settings.SFX_type},
    {" display_notifications=", &Settings.display_notifications},
    {" New_Install=", &Settings.New_Install}};
constexpr NamedSetting<std::int32_t> kKeySettings[] = {
    {"KEY_PC=", &Settings.KEY_PC},
    {" KEY_PC_2=", &Settings.KEY_PC_2},
    {" KEY_PC_MENU=", &Settings.KEY_PC_MENU},
    {" KEY_MENU_UP=", &Settings.KEY_MENU_UP},
    {" KEY_MENU_DOWN=", &Settings.KEY_MENU_DOWN},
    {" KEY_MENU_LEFT=", &Settings.KEY_MENU_LEFT},
    {" KEY_MENU_RIGHT=", &Settings.KEY_MENU_RIGHT},
    {" KEY_MENU_SELECT=", &Settings.KEY_MENU_SELECT},
    {" KEY_MENU_BACK=", &Settings.KEY_MENU_BACK}};
constexpr NamedSetting<std::int32_t> kPadSettings[] = {
    {"KEY_GAMEPAD=", &Settings.KEY_GAMEPAD},
    {" KEY_GAMEPAD_2=", &Settings.KEY_GAMEPAD_2},
    {" KEY_GAMEPAD_MENU=", &Settings.KEY_GAMEPAD_MENU}};

// getGameVersion's first answer for the Enhanced edition (1.0.812.8 is 1002).
constexpr int kFirstEnhancedGameVersion = 1000;

constexpr std::size_t kIniFileLength = std::char_traits<char>::length(kIniFile);

} // namespace

// Both run once per start of the script: built for size.
[[gnu::cold]] void LogEnvironment() {
    Log("Veloxan " VELOXAN_VERSION_TEXT);
    // ScriptHookV numbers the Enhanced edition's releases from 1000 on.
    const int gameVersion = getGameVersion();
    LogBegin("game version ");
    LogNumber(gameVersion);
    LogText(gameVersion >= kFirstEnhancedGameVersion ? " (Enhanced)" : " (legacy)");
    LogEnd();

    // The wide functions, so that a folder named outside the system's code
    // page is told as it is named.
    WCHAR path[MAX_PATH] = {};
    const DWORD exeLength = GetModuleFileNameW(nullptr, path, MAX_PATH);
    LogBegin("game ");
    if (exeLength > 0 && exeLength < MAX_PATH) {
        LogPath(path);
    } else {
        LogText("?");
    }
    LogEnd();

    // The profile functions resolve the settings file's name as Windows does.
    WCHAR iniName[kIniFileLength + 1] = {};
    for (std::size_t k = 0; k < kIniFileLength; ++k) {
        iniName[k] = static_cast<WCHAR>(kIniFile[k]);
    }
    const DWORD iniLength = GetFullPathNameW(iniName, MAX_PATH, path, nullptr);
    LogBegin("settings ");
    if (iniLength > 0 && iniLength < MAX_PATH) {
        LogPath(path);
    } else {
        LogText(kIniFile);
    }
    LogText(GetFileAttributesA(kIniFile) != INVALID_FILE_ATTRIBUTES ? " found"
                                                                    : " not found: defaults");
    LogEnd();
}

[[gnu::cold]] void LogSettingsAndInput() {
    LogBegin("");
    for (const auto& setting : kPercentSettings) {
        LogText(setting.name);
        LogNumber(PercentOf(*setting.field));
    }
    LogEnd();
    LogBegin("");
    for (const auto& setting : kSwitchSettings) {
        LogText(setting.name);
        LogNumber(*setting.field);
    }
    LogText(" SFX_volume=");
    LogNumber(Settings.SFX_volume);
    if (TurboSoundLevel() != Settings.SFX_volume) {
        // A copy could not be made: that recording plays at full level.
        LogText(" (plays at ");
        LogNumber(TurboSoundLevel());
        LogText(")");
    }
    LogEnd();
    LogBegin("");
    for (const auto& setting : kKeySettings) {
        const std::int32_t code = *setting.field;
        LogText(setting.name);
        LogNumber(code);
        LogText(" (");
        LogKeyName(code);
        LogText(")");
    }
    LogEnd();
    LogBegin("");
    for (const auto& setting : kPadSettings) {
        const std::int32_t mask = *setting.field;
        LogText(setting.name);
        LogNumber(mask);
        LogText(" (");
        LogPadButtons(mask);
        LogText(")");
    }
    LogEnd();
    if (padIndex == -1) {
        Log("no pad found");
    } else {
        LogBegin("pad ");
        LogNumber(padIndex);
        LogEnd();
    }
}
