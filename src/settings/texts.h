#pragma once
// Every text the player sees, in one table by language and by text, made at
// build time from the gettext files of settings/texts/: texts.pot holds the
// English, each further language its <tag>.po, where translators work. The
// language is picked once per start of the script; a draw only selects a
// pointer. Texts are UTF-8, which the game draws in its own font for its
// language. The names Veloxan, Orca and Lumen, the version and the ~r~ / ~g~
// colour codes stay as they are in every language.

#include <cstddef>
#include <cstdint>

enum class TextId : std::uint8_t {
    // Notifications.
    Activated,         // "VELOXAN ACTIVATED"
    Recharging,        // "Veloxan: Recharging..."
    Totaled,           // "Veloxan: Your vehicle is totaled!"
    Online,            // "Turbo Boost System Online"
    DeactivatedByTime, // "Veloxan deactivated successfully."
    ShutDown,          // "Veloxan has been shut down"

    // The first-run notice, lines 2 to 5. %1 is the chord, in capitals.
    NoticePressToEnter, // "Press %1 to enter SETUP"
    NoticeNoMenuKey,    // no keyboard menu key and no pad menu
    NoticeRemove,       // "~r~and to remove this message~r~."
    NoticeHelp,         // where to find help
    NoticeThanks,       // "Thank you for using this mod.  Ver:2.1 by the Veloxan team"

    // The menu's frame.
    MenuCredit, // "by the Veloxan team v2.4": the version is part of the text
    MainMenu,   // "Main Menu"
    On,         // "~g~: ON"
    Off,        // "~r~: OFF"

    // The root page's rows: label, then description.
    DurationLabel,
    DurationHelp,
    InitialBoostLabel,
    InitialBoostHelp,
    PowerLabel,
    PowerHelp,
    SensitivityLabel,
    SensitivityHelp,
    SlowMotionLabel,
    SlowMotionHelp,
    SoundLabel, // "SFX: "
    SoundHelp,
    ResetLabel,
    ResetHelp,
    VolumeLabel,
    VolumeHelp,
    MessagesLabel,
    MessagesHelp,
    KeysLabel, // also the Keys page's name
    KeysHelp,

    // The Keys page: one row per key setting (the label ends in ": ", the
    // key's name follows), then the Pad page.
    KeyBoostLabel,
    KeyBoostHelp,
    KeyBoost2Label,
    KeyBoost2Help,
    KeyMenuLabel,
    KeyMenuHelp,
    KeyUpLabel,
    KeyDownLabel,
    KeyLeftLabel,
    KeyRightLabel,
    KeySelectLabel,
    KeyBackLabel,
    KeyMenuMoveHelp, // the six menu keys share it
    PadLabel,        // also the Pad page's name
    PadHelp,
    PadBoostLabel,
    PadBoostHelp,
    PadBoost2Label,
    PadBoost2Help,
    PadMenuLabel,
    PadMenuHelp,

    // What a key row shows: no key, the wait, and why a key was refused.
    KeyNone,         // "none"
    KeyWaitKey,      // "press a key"
    KeyWaitButton,   // "press a button"
    KeyWaitHelp,     // the description while a row waits
    KeyTaken,        // "%1 is %2": the key's name, the setting that holds it
    KeyStartRefused, // Start opens the pause menu
    KeyMenuButton,   // "%1 moves the menu": A, B or the D-pad for the pad menu
    KeyWayIn,        // the menu would have no way in
    KeyNotSaved,     // the file did not take the key
    KeyPcWayIn,      // the keyboard's menu key cannot be cleared
    KeyWindows,      // a key Windows keeps for itself

    // The settings that may hold a key, as KeyTaken names them.
    HolderBoost,
    HolderBoost2,
    HolderMenu,
    HolderMenuUp,
    HolderMenuDown,
    HolderMenuLeft,
    HolderMenuRight,
    HolderMenuSelect,
    HolderMenuBack,
    HolderPadBoost,
    HolderPadBoost2,
    HolderPadMenu,

    // The pad's buttons on screen, in the order of kPadButtonNames
    // (game/key_names.h), whose names Veloxan.ini and the log keep.
    PadButtonDPadUp,
    PadButtonDPadDown,
    PadButtonDPadLeft,
    PadButtonDPadRight,
    PadButtonStart,
    PadButtonBack,
    PadButtonLS,
    PadButtonRS,
    PadButtonLB,
    PadButtonRB,
    PadButtonA,
    PadButtonB,
    PadButtonX,
    PadButtonY,

    Count
};

inline constexpr std::size_t kTextCount = static_cast<std::size_t>(TextId::Count);

// The languages by the tags that LANGUAGE in Veloxan.ini takes, each but
// English (the template's) with its settings/texts/<tag>.po. The game's own
// come first, numbered as GET_CURRENT_LANGUAGE answers; one the game lacks
// follows them, and only LANGUAGE picks it.
inline constexpr const char* kLanguageTags[] = {
    "en-US", // 0, the template's English
    "fr-FR", // 1
    "de-DE", // 2
    "it-IT", // 3
    "es-ES", // 4
    "pt-BR", // 5
    "pl-PL", // 6
    "ru-RU", // 7
    "ko-KR", // 8
    "zh-TW", // 9
    "ja-JP", // 10
    "es-MX", // 11
    "zh-CN", // 12
};
inline constexpr std::size_t kLanguageCount = sizeof kLanguageTags / sizeof kLanguageTags[0];
inline constexpr std::size_t kGameLanguageCount = 13;

// Bytes, with the NUL, that the menu keeps for a row's label, value text and
// description, and for ON or OFF; every text of the table that lands there
// fits in every language, checked at compile time beside the table.
inline constexpr std::size_t kLabelRoom = 64;
inline constexpr std::size_t kValueRoom = 80;
inline constexpr std::size_t kDescriptionRoom = 80;
inline constexpr std::size_t kToggleRoom = 16;

// The text in the language picked at start (English until then).
const char* Text(TextId id);

// The text in any language, for the tests and the simulator's pictures.
const char* TextIn(std::size_t language, TextId id);

// The language of a tag, compared without regard to case; -1 for none.
int LanguageOfTag(const char* tag);

// Once per start of the script: LANGUAGE in Veloxan.ini when it names a
// language, else the game's own. Logs a value it cannot use.
void PickLanguage();

// For the log's report at start: the tag picked, and where it came from.
const char* PickedLanguageTag();
const char* PickedLanguageSource();

// How much of the first `length` bytes of UTF-8 `text` holds whole letters
// only: a text cut short at a buffer's end must not end inside a letter.
std::size_t WholeUtf8Length(const char* text, std::size_t length);

// Writes `pattern` into `out` (always NUL-terminated, cut short rather than
// overrun) with %1 and %2 replaced by `first` and `second`. For texts built
// on an event, never per frame.
void FormatText(char* out, std::size_t size, const char* pattern, const char* first,
                const char* second = "");
