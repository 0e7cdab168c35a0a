#include "menu/menu_controller.h"

#include "host/key_input.h"
#include "host/log.h"
#include "host/natives.h"
#include "menu/menu_draw.h"
#include "menu/menu_item.h"
#include "menu/settings_menu.h"
#include "settings/settings.h"

namespace {

// Numeric keypad; the game still sees these keys too.
constexpr int kKeyUp = 0x68;
constexpr int kKeyDown = 0x62;
constexpr int kKeyBack = 0x60;
constexpr int kKeySelect = 0x65;
constexpr int kKeyLeft = 0x64;
constexpr int kKeyRight = 0x66;

constexpr float kHiddenOffset = 0.2f;

// The time is tested before the key is polled.
bool KeyAccepted(int virtualKey) { return KeyWaitOver() && KeyDown(virtualKey); }

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
bool RunWaitingKey(int virtualKey, Action act) {
    if (!KeyAccepted(virtualKey)) {
        return false;
    }
    lastKeyTick = GetTickCount();
    PlayNavigationSound();
    act();
    lastKeyTick = GetTickCount();
    return true;
}

// Left and right leave the wait alone, so a held key steps every frame once
// the wait since the last other key is over.
void RunSteppingKey(int virtualKey, const MenuItem& page, char command) {
    if (!KeyAccepted(virtualKey)) {
        return;
    }
    PlayNavigationSound();
    Step(page, command);
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
    if (slideOffset >= kHiddenOffset) {
        slideOffset = kHiddenOffset;
        return false;
    }
    slideOffset = static_cast<float>(static_cast<double>(slideOffset) + 0.02);
    return true;
}

} // namespace

void UpdateMenu() {
    if (KeyAccepted(Settings.KEY_PC) && KeyDown(Settings.KEY_PC_MENU)) {
        lastKeyTick = GetTickCount();
        currentPage = &rootPage;
        ToggleOpen();
        // Opening saves too, which ends the first-run notice.
        SaveSettings();
        lastKeyTick = GetTickCount();
    }
    if (rootPage.isOpen) {
        SlideIn();
        HandleMenuKeys();
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
    RunWaitingKey(kKeyUp, [&] { MoveUp(page); });
    RunWaitingKey(kKeyDown, [&] { MoveDown(page); });
    RunWaitingKey(kKeyBack, [&] { GoBack(page); });
    RunWaitingKey(kKeySelect, [&] { Select(page); });
    RunSteppingKey(kKeyLeft, page, 'l');
    RunSteppingKey(kKeyRight, page, 'r');
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
    slideOffset = kHiddenOffset;
    currentPage = nullptr;
    // A restarted script opens the menu on its first row, as at load.
    ClearSelections(rootPage);
}
