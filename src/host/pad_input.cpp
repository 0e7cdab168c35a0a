#include "host/pad_input.h"

#include "host/key_input.h"

std::int32_t padIndex = -1;

namespace {

// Cleared before every read, so that a pad that does not answer reads as no
// buttons held.
XINPUT_STATE padState;

bool ButtonsMatch(std::int32_t mask, std::uint16_t held) {
    return (static_cast<std::uint32_t>(mask) & held) != 0;
}

} // namespace

std::uint16_t ReadPadButtons() {
    if (!gameHasFocus) {
        return 0;
    }
    padState = XINPUT_STATE{};
    XInputGetState(static_cast<DWORD>(padIndex), &padState);
    return padState.Gamepad.wButtons;
}

bool PadTriggerPressed(std::int32_t mask, std::int32_t mask2, std::int32_t menuMask,
                       bool menuHeld) {
    if (!KeyWaitOver() || padIndex == -1) {
        return false;
    }
    const std::uint16_t held = ReadPadButtons();
    if (!ButtonsMatch(mask, held) || ButtonsMatch(menuMask, held) != menuHeld) {
        return false;
    }
    if (mask2 == 0) {
        return true;
    }
    return KeyWaitOver() && padIndex != -1 && ButtonsMatch(mask2, ReadPadButtons());
}
