#include "game/pad_input.h"

#include "game/key_input.h"

std::int32_t padIndex = -1;

namespace {

// Cleared before every read, so that a pad that does not answer reads as no
// buttons held.
XINPUT_STATE padState;

// The word of this pass's one read, once `padReadThisPass`.
std::uint16_t padButtonsThisPass = 0;

} // namespace

bool padReadThisPass = false;

std::uint16_t PadButtonsThisPass() {
    if (!padReadThisPass) {
        padButtonsThisPass = ReadPadButtons();
        padReadThisPass = true;
    }
    return padButtonsThisPass;
}

std::uint16_t ReadPadButtons() {
    if (!gameHasFocus) {
        return 0;
    }
    padState = XINPUT_STATE{};
    XInputGetState(static_cast<DWORD>(padIndex), &padState);
    return padState.Gamepad.wButtons;
}
