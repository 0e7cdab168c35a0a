#include "menu/menu_controller.h"

#include "game/game_state.h"
#include "game/key_input.h"
#include "game/log.h"
#include "game/natives.h"
#include "game/pad_input.h"
#include "menu/key_page.h"
#include "menu/menu_controls.h"
#include "menu/menu_draw.h"
#include "menu/menu_item.h"
#include "menu/settings_menu.h"
#include "screen/placement.h"
#include "settings/settings.h"

#include <array>
#include <iterator>

namespace {

// The pad's buttons for the menu's commands, read once per pass while the
// menu is open; 0 while the pad menu is off.
std::uint16_t menuPadButtons = 0;

// The time is tested before the key is polled.
bool KeyAccepted(int virtualKey) { return KeyWaitOver() && KeyDown(virtualKey); }

// A command is down when its key is, or its pad button is held.
bool CommandAccepted(int virtualKey, std::uint16_t padButton) {
    return KeyWaitOver() && (KeyDown(virtualKey) || (menuPadButtons & padButton) != 0);
}

// The pad's chord: the pad trigger with a KEY_GAMEPAD_MENU button held.
bool PadChordPressed() {
    return PadMenuOn() && PadTriggerPressed(Settings.KEY_GAMEPAD, Settings.KEY_GAMEPAD_2,
                                            Settings.KEY_GAMEPAD_MENU, true);
}

void PlayNavigationSound() {
    native::PLAY_SOUND_FRONTEND(-1, "NAV_UP_DOWN", "HUD_FRONTEND_DEFAULT_SOUNDSET", false);
}

bool HasRowAt(const MenuItem& page, int index) { return RowAt(page, index) != nullptr; }

void MoveUp(MenuItem& page) {
    int s = page.selectedIndex;
    if (s > 0) {
        --s;
    } else {
        while (s < 9 && HasRowAt(page, s + 1)) {
            ++s;
        }
    }
    page.selectedIndex = static_cast<std::int8_t>(s);
}

void MoveDown(MenuItem& page) {
    const int s = page.selectedIndex;
    page.selectedIndex = static_cast<std::int8_t>((s < 9 && HasRowAt(page, s + 1)) ? s + 1 : 0);
}

void ToggleOpen() {
    rootPage.isOpen = !rootPage.isOpen;
    Log(rootPage.isOpen ? "menu opened" : "menu closed");
}

void GoBack(MenuItem& page) {
    if (page.parent != nullptr) {
        currentPage = page.parent;
        return;
    }
    ToggleOpen();
    SaveSettings();
}

void Select(const MenuItem& page) {
    MenuItem* row = RowAt(page, page.selectedIndex);
    if (row == nullptr) {
        return;
    }
    if (row->kind == MenuItemKind::Submenu) {
        currentPage = row;
    } else if (row->kind == MenuItemKind::Action || row->kind == MenuItemKind::Toggle) {
        ApplyItemAction(row->id, 'c');
    }
}

void Step(const MenuItem& page, char command) {
    const MenuItem* row = RowAt(page, page.selectedIndex);
    if (row != nullptr &&
        (row->kind == MenuItemKind::Slider || row->kind == MenuItemKind::Selector)) {
        ApplyItemAction(row->id, command);
    }
}

// Up, down, back and select restart the shared wait before and after they
// act, so at most one of them acts per frame and the trigger waits too.
template <typename Action>
bool RunWaitingKey(int virtualKey, std::uint16_t padButton, Action act) {
    if (!CommandAccepted(virtualKey, padButton)) {
        return false;
    }
    lastKeyTick = ModuleTick();
    PlayNavigationSound();
    act();
    lastKeyTick = ModuleTick();
    return true;
}

// Left and right leave the wait alone, so a held key steps every frame once
// the wait since the last other key is over.
void RunSteppingKey(int virtualKey, std::uint16_t padButton, const MenuItem& page, char command) {
    if (!CommandAccepted(virtualKey, padButton)) {
        return;
    }
    PlayNavigationSound();
    Step(page, command);
}

// The keyboard's menu keys, whose controls the open menu takes from the game
// while the player's hand is on the keyboard.
constexpr auto kFirstMenuKey = static_cast<std::size_t>(KeySetting::MenuUp);
constexpr std::size_t kMenuKeyCount =
    static_cast<std::size_t>(KeySetting::MenuBack) - kFirstMenuKey + 1;

// What the hand drives the menu with: the six menu keys, or in the last slot
// the pad's menu buttons with bit 16 set; all 0 for a pad that does not
// drive the menu.
using HandInputs = std::array<std::int32_t, kMenuKeyCount + 1>;

// The controls the open menu takes from the game, worked out from the hand's
// inputs when they change: the table is walked on a change of hand or key,
// not on every pass. Written by FindSharedControls alone.
HandInputs sharedControlsFor = {0, 0, 0, 0, 0, 0, -1};
std::array<std::uint16_t, kSharedControlCount> sharedControls{};
std::size_t sharedControlCount = 0;

[[gnu::cold]] void FindSharedControls(const HandInputs& inputs) {
    sharedControlsFor = inputs;
    // The menu keys by virtual-key code. Shift, Ctrl and Alt also stand for
    // their left and right keys, which is how the list binds them.
    std::uint32_t keys[8] = {};
    const auto mark = [&keys](std::uint32_t k) {
        if (k - 1 < 255) {
            keys[k / 32] |= 1u << (k % 32);
        }
    };
    for (std::size_t k = 0; k < kMenuKeyCount; ++k) {
        const auto code = static_cast<std::uint32_t>(inputs[k]);
        mark(code);
        if (code - 0x10 < 3) {
            mark(0xA0 + 2 * (code - 0x10));
            mark(0xA1 + 2 * (code - 0x10));
        }
    }
    const auto buttons = static_cast<std::uint32_t>(inputs[kMenuKeyCount]) & 0xFFFF;
    const auto marked = [&keys](std::uint8_t k) { return (keys[k / 32] >> (k % 32) & 1u) != 0; };
    sharedControlCount = 0;
    for (const SharedControl& c : kSharedControls) {
        if ((c.button & buttons) != 0 || marked(c.key) || marked(c.key2)) {
            sharedControls[sharedControlCount++] = c.index;
        }
    }
}

// Every pass while the menu is open or sliding in: the game acts on a
// disabled control again in the first frame that does not disable it. The
// game tells the hand of the player's last input; the controls of the other
// hand stay the game's. Kept out of UpdateMenu, whose every pass would
// otherwise pay for the loop's registers.
[[gnu::noinline]] void DisableSharedControls() {
    HandInputs inputs{};
    if (native::IS_USING_KEYBOARD_AND_MOUSE(2)) {
        for (std::size_t k = 0; k < kMenuKeyCount; ++k) {
            inputs[k] = Settings.*kKeySettingFields[kFirstMenuKey + k].field;
        }
    } else {
        // The D-pad, A and B with the pad menu off too, as every open menu
        // kept them from the game before.
        inputs[kMenuKeyCount] =
            0x10000 | static_cast<std::int32_t>(kMenuCommandButtons) | Settings.KEY_GAMEPAD_MENU;
    }
    if (inputs != sharedControlsFor) {
        FindSharedControls(inputs);
    }
    for (std::size_t k = 0; k < sharedControlCount; ++k) {
        native::DISABLE_CONTROL_ACTION(0, sharedControls[k], true);
    }
}

void SlideIn() {
    if (static_cast<double>(slideOffset) >= 0.002) {
        slideOffset = static_cast<float>(static_cast<double>(slideOffset) - 0.02);
    } else {
        slideOffset = 0.0f;
    }
}

// False once the menu is wholly off screen.
bool SlideOut() {
    if (slideOffset >= kMenuHiddenOffset) {
        slideOffset = kMenuHiddenOffset;
        return false;
    }
    slideOffset = static_cast<float>(static_cast<double>(slideOffset) + 0.02);
    return true;
}

} // namespace

void UpdateMenu() {
    if (keyPageBusy) {
        StepKeyPage();
    }
    // The pad is asked only when the keyboard's chord did not fire. While
    // the game is busy the chord does nothing, and leaves the wait alone.
    // While a key row waits, its key is the row's alone.
    if (!keyWaitOn &&
        ((KeyAccepted(Settings.KEY_PC) && KeyDown(Settings.KEY_PC_MENU)) || PadChordPressed()) &&
        !GameBusy()) {
        lastKeyTick = ModuleTick();
        currentPage = &rootPage;
        ToggleOpen();
        if (rootPage.isOpen) {
            NameKeyRows();
        }
        // Opening saves too, which ends the first-run notice.
        SaveSettings();
        // A window resized, or Alt + Enter, changes the screen without a
        // pause.
        if (rootPage.isOpen) {
            AskScreen(false);
        }
        lastKeyTick = ModuleTick();
    }
    if (rootPage.isOpen && GameBusy()) {
        // The game took over: close as the back key does on the first page.
        ToggleOpen();
        SaveSettings();
    }
    if (rootPage.isOpen) {
        DisableSharedControls();
        SlideIn();
        if (!keyWaitOn) {
            HandleMenuKeys();
        }
        DrawMenu();
    } else if (SlideOut()) {
        DrawMenu();
    }
}

void HandleMenuKeys() {
    if (currentPage == nullptr) {
        return;
    }
    MenuItem& page = *currentPage;
    menuPadButtons = PadMenuOn() ? PadButtonsThisPass() : 0;
    RunWaitingKey(Settings.KEY_MENU_UP, XINPUT_GAMEPAD_DPAD_UP, [&] { MoveUp(page); });
    RunWaitingKey(Settings.KEY_MENU_DOWN, XINPUT_GAMEPAD_DPAD_DOWN, [&] { MoveDown(page); });
    RunWaitingKey(Settings.KEY_MENU_BACK, XINPUT_GAMEPAD_B, [&] { GoBack(page); });
    RunWaitingKey(Settings.KEY_MENU_SELECT, XINPUT_GAMEPAD_A, [&] { Select(page); });
    RunSteppingKey(Settings.KEY_MENU_LEFT, XINPUT_GAMEPAD_DPAD_LEFT, page, 'l');
    RunSteppingKey(Settings.KEY_MENU_RIGHT, XINPUT_GAMEPAD_DPAD_RIGHT, page, 'r');
}

namespace {

void ClearSelections(MenuItem& page) {
    page.selectedIndex = 0;
    for (MenuItem* row : page.children) {
        if (row != nullptr) {
            ClearSelections(*row);
        }
    }
}

} // namespace

void ResetMenu() {
    rootPage.isOpen = false;
    slideOffset = kMenuHiddenOffset;
    currentPage = nullptr;
    CancelKeyWait();
    // A restarted script opens the menu on its first row, as at load.
    ClearSelections(rootPage);
}
