#include "script/start_report.h"

#include "game/gamepad.h"
#include "game/key_names.h"
#include "game/log.h"
#include "game/script_hook.h"
#include "menu/pad_menu.h"
#include "platform/platform.h"
#include "screen/placement.h"
#include "settings/settings.h"
#include "settings/texts.h"
#include "turbo/turbo_sound.h"
#include "version.h"

#include <iterator>
#include <string_view>

namespace {

// The names are the ones Veloxan.ini takes, from the one table.
void LogKeyName(std::int32_t code) {
    const char* name = NameOfKey(code);
    LogText(code == 0 ? "none" : name != nullptr ? name : "?");
}

void LogPadButtons(std::int32_t mask) {
    const char* separator = "";
    for (std::size_t k = 0; k < kPadButtonNameCount; ++k) {
        if ((static_cast<std::uint32_t>(mask) & kPadButtonNames[k].mask) != 0) {
            LogText(separator);
            LogText(kPadButtonNames[k].name);
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

// The version resource takes the numbers and the log and the menu the texts:
// 2.4.0 shipped with a resource that still said 2.3.0.
constexpr bool VersionTextsMatchNumbers() {
    constexpr char numbers[] = {'0' + VELOXAN_VERSION_MAJOR, '.', '0' + VELOXAN_VERSION_MINOR, '.',
                                '0' + VELOXAN_VERSION_PATCH, '\0'};
    const std::string_view text = VELOXAN_VERSION_TEXT;
    const std::string_view shortText = VELOXAN_VERSION_SHORT;
    return VELOXAN_VERSION_MAJOR < 10 && VELOXAN_VERSION_MINOR < 10 && VELOXAN_VERSION_PATCH < 10 &&
           text == numbers && shortText.substr(1) == text.substr(0, 3) && shortText[0] == 'v';
}
static_assert(VersionTextsMatchNumbers(), "src/version.h: the texts and the numbers disagree");

} // namespace

// Both run once per start of the script: built for size.
[[gnu::cold]] void LogEnvironment() {
    Log("Veloxan " VELOXAN_VERSION_TEXT);
    // ScriptHookV numbers the Enhanced edition's releases from 1000 on.
    const int gameVersion = getGameVersion();
    LogBegin("game version ");
    LogNumber(gameVersion);
    // -1 is ScriptHookV's answer for a game build it does not know.
    LogText(gameVersion < 0                            ? " (unknown)"
            : gameVersion >= kFirstEnhancedGameVersion ? " (Enhanced)"
                                                       : " (legacy)");
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
    LogText(" SFX_follow_game=");
    LogNumber(Settings.SFX_follow_game);
    if (Settings.SFX_follow_game != 0) {
        LogText(" game_effects=");
        LogNumber(GameEffectsLevel());
    }
    // The game's level, or a copy that could not be made and plays its
    // recording at full level.
    if (TurboSoundLevel() != Settings.SFX_volume * 10) {
        LogText(" (plays at ");
        LogFixed(static_cast<float>(TurboSoundLevel()) * 0.1f, 1);
        LogText("%)");
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
    // A key of the trigger or the chord that is also a menu key in effect
    // (KEY_PC=Numpad 6 with the keypad's menu keys) is used as read: it acts
    // for both.
    const auto firstMenuKey = static_cast<std::size_t>(KeySetting::MenuUp);
    for (std::size_t k = 0; k < firstMenuKey; ++k) {
        for (std::size_t m = firstMenuKey; m <= static_cast<std::size_t>(KeySetting::MenuBack);
             ++m) {
            const std::int32_t key = Settings.*kKeySettingFields[k].field;
            if (key != 0 && key == Settings.*kKeySettingFields[m].field) {
                LogBegin(kKeySettingFields[k].key);
                LogText(" is also ");
                LogText(kKeySettingFields[m].key);
                LogText(": both act on ");
                LogKeyName(key);
                LogEnd();
            }
        }
    }
    if (padIndex == -1) {
        Log("no pad found");
    } else {
        LogBegin("pad ");
        LogNumber(padIndex);
        LogEnd();
    }
    // The menu cannot take the keyboard's way in, but the file may: the
    // player reading the log is told plainly why the menu does not open.
    if (!KeyboardOpensMenu()) {
        Log(PadMenuOn() ? "the menu has no keyboard way in (set KEY_PC and KEY_PC_MENU): only "
                          "the pad opens it"
                        : "the menu has no keyboard way in (set KEY_PC and KEY_PC_MENU), and no "
                          "pad opens it: it cannot be opened");
    }
    LogBegin("language ");
    LogText(PickedLanguageTag());
    LogText(" (");
    LogText(PickedLanguageSource());
    // The game's display settings beside its language, on the same line: the
    // report keeps its lines as older logs have them.
    LogText("), ");
    LogScreen();
    LogEnd();
}
