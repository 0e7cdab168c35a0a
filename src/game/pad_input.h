#pragma once
// The pad picked at start and its buttons, for the turbo trigger and the
// menu alike.

#include "game/key_input.h"
#include "platform/platform.h"

#include <cstdint>

// The pad buttons the menu's own commands take while the pad menu is on: the
// D-pad, A and B. No pad menu button may hold one, and the open menu keeps
// them from the game in the pad's hand.
inline constexpr std::uint16_t kMenuCommandButtons =
    XINPUT_GAMEPAD_DPAD_UP | XINPUT_GAMEPAD_DPAD_DOWN | XINPUT_GAMEPAD_DPAD_LEFT |
    XINPUT_GAMEPAD_DPAD_RIGHT | XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_B;

// XInput user index of the pad picked at start, -1 for none. Written only by
// FindGamepad; read by the trigger and the menu.
extern std::int32_t padIndex;

// The pad's button word now; 0 when it no longer answers, and without asking
// while the game is not in the foreground.
std::uint16_t ReadPadButtons();

// With the pad menu on, the chord, the menu's commands and the trigger all
// take the pad's word from one read per pass: a pad unplugged mid-game makes
// every read the slow one. The main loop forgets the word at the start of
// each pass; the first to ask then reads it. Written by PadButtonsThisPass
// and ForgetPadButtons alone.
extern bool padReadThisPass;
inline void ForgetPadButtons() { padReadThisPass = false; }
std::uint16_t PadButtonsThisPass();

// The pad trigger as the boost reads it: a button of `mask`, then of `mask2`
// on a fresh read unless it is 0, each behind the shared wait. The first read
// must also find a button of `menuMask` held when `menuHeld`, and none when
// not; with `menuMask` 0 and `menuHeld` false that test always passes. A
// `menuMask` other than 0 is the pad menu on: both masks are then tested on
// the pass's one read.
// Inline, with the masks by reference: the trigger asks on every pass, and
// the settings are then read where they are tested, with nothing to keep
// across the Windows calls.
inline bool PadTriggerPressed(const std::int32_t& mask, const std::int32_t& mask2,
                              const std::int32_t& menuMask, bool menuHeld) {
    const auto match = [](std::int32_t m, std::uint16_t held) {
        return (static_cast<std::uint32_t>(m) & held) != 0;
    };
    if (!KeyWaitOver() || padIndex == -1) {
        return false;
    }
    const bool oneRead = menuMask != 0;
    const std::uint16_t held = oneRead ? PadButtonsThisPass() : ReadPadButtons();
    if (!match(mask, held) || match(menuMask, held) != menuHeld) {
        return false;
    }
    if (mask2 == 0) {
        return true;
    }
    if (oneRead) {
        return match(mask2, held);
    }
    return KeyWaitOver() && padIndex != -1 && match(mask2, ReadPadButtons());
}
