#include "menu/key_page.h"

#include "game/game_state.h"
#include "game/key_input.h"
#include "game/natives.h"
#include "game/pad_input.h"
#include "menu/held_keys.h"
#include "settings/settings.h"
#include "settings/shown_key_names.h"
#include "settings/texts.h"

#include <cstddef>

bool keyPageBusy = false;
bool keyWaitOn = false;

namespace {

struct KeyRowText {
    TextId label;
    TextId help;
};

// In KeySetting's order; the Pad page begins at KeySetting::PadBoost.
constexpr KeyRowText kKeyRowTexts[kKeySettingCount] = {
    {TextId::KeyBoostLabel, TextId::KeyBoostHelp},
    {TextId::KeyBoost2Label, TextId::KeyBoost2Help},
    {TextId::KeyMenuLabel, TextId::KeyMenuHelp},
    {TextId::KeyUpLabel, TextId::KeyMenuMoveHelp},
    {TextId::KeyDownLabel, TextId::KeyMenuMoveHelp},
    {TextId::KeyLeftLabel, TextId::KeyMenuMoveHelp},
    {TextId::KeyRightLabel, TextId::KeyMenuMoveHelp},
    {TextId::KeySelectLabel, TextId::KeyMenuMoveHelp},
    {TextId::KeyBackLabel, TextId::KeyMenuMoveHelp},
    {TextId::PadBoostLabel, TextId::PadBoostHelp},
    {TextId::PadBoost2Label, TextId::PadBoost2Help},
    {TextId::PadMenuLabel, TextId::PadMenuHelp},
};
static_assert(static_cast<int>(TextId::HolderPadMenu) - static_cast<int>(TextId::HolderBoost) ==
                  static_cast<int>(KeySetting::PadMenu),
              "the holders' texts follow KeySetting's order");

// Backspace and Esc end a wait, and the file alone can name them. Below 8
// are the mouse buttons.
constexpr int kVkBackspace = 0x08;
constexpr int kVkEscape = 0x1B;
constexpr int kLastScannedKey = 254;
// XInput's fourteen buttons: the word's two other bits are no button the
// file could name.
constexpr std::uint16_t kPadButtonBits = 0xF3FF;
constexpr std::uint32_t kWaitMs = 10000;
constexpr std::uint32_t kNoticeMs = 3000;

enum class Phase : std::uint8_t {
    Idle,
    Arming,    // until the row's select is let go: the keyboard's, or the pad's A
    Waiting,   // for the first key or button that goes down
    Releasing, // until the key or button that ended the wait is let go
};

Phase phase = Phase::Idle;
KeySetting waiting = KeySetting::Boost;
std::uint32_t waitStart = 0;
MenuItem* keyRows[kKeySettingCount] = {};
// What each row names its key by, asked of Windows when the menu opens (the
// player may have switched layouts) and when a key is set; a row shown again
// between takes it from here.
char keyNames[kKeySettingCount][kShownKeyNameSize] = {};
// Each key's level on the last pass, a bit per code, and the pad's buttons:
// a key counts when it goes down from up.
std::uint32_t keysDown[8] = {};
std::uint16_t padDown = 0;
// What ended the wait, to be let go before the menu's keys act again.
int heldKey = 0;
std::uint16_t heldButtons = 0;
// The row that tells why a key was refused or not saved, and since when.
MenuItem* noticeRow = nullptr;
KeySetting noticeSetting = KeySetting::Boost;
std::uint32_t noticeStart = 0;

std::size_t At(KeySetting setting) { return static_cast<std::size_t>(setting); }

void UpdateFlags() {
    keyWaitOn = phase != Phase::Idle;
    keyPageBusy = keyWaitOn || noticeRow != nullptr;
}

void ShowKeyRow(KeySetting setting) {
    MenuItem* row = keyRows[At(setting)];
    if (row == nullptr) {
        return;
    }
    SetMenuText(row->label, Text(kKeyRowTexts[At(setting)].label));
    SetMenuText(row->description, Text(kKeyRowTexts[At(setting)].help));
    const std::int32_t value = KeySettingValue(setting);
    if (value == 0) {
        SetMenuText(row->valueText, Text(TextId::KeyNone));
    } else {
        SetMenuText(row->valueText, keyNames[At(setting)]);
    }
}

void NameKeyRow(KeySetting setting) {
    ShownNameOfSetting(KeySettingValue(setting), IsPadSetting(setting), false,
                       keyNames[At(setting)], sizeof keyNames[0]);
}

void EndNotice() {
    if (noticeRow != nullptr) {
        noticeRow = nullptr;
        ShowKeyRow(noticeSetting);
    }
}

std::uint16_t PadButtons() { return padIndex != -1 ? PadButtonsThisPass() : 0; }

// The lowest code that went down since the last pass, 0 for none; every
// key's level is kept for the next pass.
int ScanKeys() {
    int pressed = 0;
    for (int code = kVkBackspace; code <= kLastScannedKey; ++code) {
        std::uint32_t& word = keysDown[code / 32];
        const std::uint32_t bit = 1u << (code % 32);
        if (KeyDown(code)) {
            if ((word & bit) == 0 && pressed == 0) {
                pressed = code;
            }
            word |= bit;
        } else {
            word &= ~bit;
        }
    }
    return pressed;
}

// Why `value` may not be the setting's, written into `out`; false when it
// may.
bool Refused(KeySetting setting, std::int32_t value, char* out, std::size_t size) {
    const KeyVerdict verdict = CheckKeyFromMenu(setting, static_cast<std::uint32_t>(value));
    TextId reason = TextId::KeyTaken;
    switch (verdict.refusal) {
    case KeyRefusal::None:
        return false;
    case KeyRefusal::WayIn:
        reason = setting == KeySetting::Menu ? TextId::KeyPcWayIn : TextId::KeyWayIn;
        break;
    case KeyRefusal::Start:
        reason = TextId::KeyStartRefused;
        break;
    case KeyRefusal::Windows:
        reason = TextId::KeyWindows;
        break;
    case KeyRefusal::MenuButton:
        reason = TextId::KeyMenuButton;
        break;
    case KeyRefusal::Taken:
    default:
        break;
    }
    // Texts that name the key or its holder take them; the others read as
    // they are.
    char name[kShownKeyNameSize] = {};
    ShownNameOfSetting(static_cast<std::int32_t>(verdict.key), IsPadSetting(setting), false, name,
                       sizeof name);
    FormatText(out, size, Text(reason), name,
               Text(static_cast<TextId>(static_cast<int>(TextId::HolderBoost) +
                                        static_cast<int>(verdict.holder))));
    return true;
}

void PlayErrorSound() {
    native::PLAY_SOUND_FRONTEND(-1, "ERROR", "HUD_FRONTEND_DEFAULT_SOUNDSET", false);
}

void StartNotice(KeySetting setting) {
    noticeRow = keyRows[At(setting)];
    noticeSetting = setting;
    noticeStart = ModuleTick();
}

// The row stops waiting. The key or buttons that ended the wait keep the
// game's controls from it until they are let go; every key of the module
// still held (the select key of a wait that ran out) acts no further until
// let go, and the menu's keys wait their 200 ms from here.
void EndWait(int key, std::uint16_t buttons) {
    phase = key != 0 || buttons != 0 ? Phase::Releasing : Phase::Idle;
    waitStart = ModuleTick();
    lastKeyTick = waitStart;
    heldKey = key;
    heldButtons = buttons;
    HoldOffHeldKeys();
}

// The key or buttons pressed end the wait: the value is put in force and
// written, or the row says for three seconds why not.
void Finish(std::int32_t value, int key, std::uint16_t buttons) {
    EndWait(key, buttons);
    const KeySetting setting = waiting;
    ShowKeyRow(setting);
    MenuItem* row = keyRows[At(setting)];
    char reason[kMenuLabelSize] = {};
    if (Refused(setting, value, reason, sizeof reason)) {
        // The reason takes the whole line: with the label it would not fit
        // the menu's width.
        SetMenuText(row->label, reason);
        row->valueText[0] = '\0';
        PlayErrorSound();
        StartNotice(setting);
        return;
    }
    const bool saved = StoreKeyFromMenu(setting, value, key == kVkBackspace);
    NameKeyRow(setting);
    ShowKeyRow(setting);
    if (!saved) {
        SetMenuText(row->valueText, Text(TextId::KeyNotSaved));
        StartNotice(setting);
    }
}

// Backspace: 0 where 0 means something (a menu key's 0 is its keypad key);
// the boost key and button always name one.
void Clear() {
    if (waiting == KeySetting::Boost || waiting == KeySetting::PadBoost) {
        // The boost always has a key: the row goes on waiting for one.
        PlayErrorSound();
        return;
    }
    const std::int32_t fresh = kFreshRecord.*kKeySettingFields[At(waiting)].field;
    Finish(fresh, kVkBackspace, 0);
}

void Cancel(int key, std::uint16_t buttons) {
    EndWait(key, buttons);
    ShowKeyRow(waiting);
}

void RunWait() {
    if (phase == Phase::Releasing) {
        // Ten seconds at most: a key whose release Windows never reports (a
        // layout's mode keys) must not keep the game's controls from it.
        if (((heldKey == 0 || !KeyDown(heldKey)) && (PadButtons() & heldButtons) == 0) ||
            ModuleTick() - waitStart > kWaitMs) {
            phase = Phase::Idle;
            // The menu's keys wait their 200 ms from here.
            lastKeyTick = ModuleTick();
        }
        return;
    }
    const int key = ScanKeys();
    const auto buttons = static_cast<std::uint16_t>(PadButtons() & kPadButtonBits);
    const auto pressed = static_cast<std::uint16_t>(buttons & ~padDown);
    padDown = buttons;
    // From Select on, still held or not: a select key that never reads up
    // must not keep the game's controls from it.
    if (ModuleTick() - waitStart > kWaitMs) {
        Cancel(0, 0);
    } else if (key == kVkEscape || (pressed & XINPUT_GAMEPAD_BACK) != 0) {
        Cancel(key == kVkEscape ? key : 0, pressed & XINPUT_GAMEPAD_BACK);
    } else if (phase == Phase::Arming) {
        // A key row takes keys and waits for the keyboard's select, a
        // button row for the pad's A; the other device's select counts no
        // more than any key held through Select.
        if (IsPadSetting(waiting) ? (buttons & XINPUT_GAMEPAD_A) == 0
                                  : !KeyDown(Settings.KEY_MENU_SELECT)) {
            phase = Phase::Waiting;
        }
    } else if (key == kVkBackspace) {
        Clear();
    } else if (!IsPadSetting(waiting) && key != 0) {
        Finish(key, key, 0);
    } else if (IsPadSetting(waiting) && pressed != 0) {
        // The lowest of the buttons that went down together.
        const auto button = static_cast<std::uint16_t>(pressed & -pressed);
        Finish(button, 0, button);
    }
}

} // namespace

[[gnu::cold]] void BuildKeyPage(MenuItem& keysRow) {
    MenuItem* page = &keysRow;
    for (std::size_t k = 0; k < kKeySettingCount; ++k) {
        if (k == At(KeySetting::PadBoost)) {
            page = AddMenuRow(keysRow, Text(TextId::PadLabel), 0, MenuItemKind::Submenu, "",
                              Text(TextId::PadHelp));
            if (page == nullptr) {
                return;
            }
        }
        keyRows[k] = AddMenuRow(*page, "", kKeyRowIdBase + static_cast<std::int32_t>(k),
                                MenuItemKind::Action, "", "");
    }
    ShowKeyRows();
}

[[gnu::cold]] void ShowKeyRows() {
    CancelKeyWait();
    // After a script restart the two pages take the language picked then.
    const auto relabel = [](const MenuItem* row, TextId label, TextId help) {
        if (row != nullptr && row->parent != nullptr) {
            SetMenuText(row->parent->label, Text(label));
            SetMenuText(row->parent->description, Text(help));
        }
    };
    relabel(keyRows[0], TextId::KeysLabel, TextId::KeysHelp);
    relabel(keyRows[At(KeySetting::PadBoost)], TextId::PadLabel, TextId::PadHelp);
    for (std::size_t k = 0; k < kKeySettingCount; ++k) {
        ShowKeyRow(static_cast<KeySetting>(k));
    }
}

[[gnu::cold]] void NameKeyRows() {
    for (std::size_t k = 0; k < kKeySettingCount; ++k) {
        const auto setting = static_cast<KeySetting>(k);
        NameKeyRow(setting);
        // A refusal keeps its line for its three seconds.
        if (keyRows[k] != noticeRow) {
            ShowKeyRow(setting);
        }
    }
}

[[gnu::cold]] void StartKeyWait(std::int32_t id) {
    const std::int32_t index = id - kKeyRowIdBase;
    if (index < 0 || index >= static_cast<std::int32_t>(kKeySettingCount)) {
        return;
    }
    EndNotice();
    waiting = static_cast<KeySetting>(index);
    phase = Phase::Arming;
    waitStart = ModuleTick();
    MenuItem* row = keyRows[At(waiting)];
    SetMenuText(row->valueText,
                Text(IsPadSetting(waiting) ? TextId::KeyWaitButton : TextId::KeyWaitKey));
    SetMenuText(row->description, Text(TextId::KeyWaitHelp));
    UpdateFlags();
}

[[gnu::cold]] void StepKeyPage() {
    if (noticeRow != nullptr && ModuleTick() - noticeStart >= kNoticeMs) {
        EndNotice();
    }
    if (phase != Phase::Idle) {
        // A busy game takes the vehicle and closes the menu.
        if (GameBusy()) {
            Cancel(0, 0);
        } else {
            native::DISABLE_ALL_CONTROL_ACTIONS(0);
            RunWait();
        }
    }
    UpdateFlags();
}

[[gnu::cold]] void CancelKeyWait() {
    EndNotice();
    if (phase != Phase::Idle) {
        phase = Phase::Idle;
        ShowKeyRow(waiting);
    }
    UpdateFlags();
}
