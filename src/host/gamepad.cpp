#include "host/gamepad.h"

#include "host/key_input.h"

std::int32_t padIndex = -1;

namespace {

// Cleared before every read, so that a pad that does not answer reads as no
// buttons held.
XINPUT_STATE padState;

} // namespace

void FindGamepad() {
    if (padIndex != -1) {
        return;
    }
    for (DWORD index = 0; index < 4; ++index) {
        padState = XINPUT_STATE{};
        if (XInputGetState(index, &padState) == 0) {
            padIndex = static_cast<std::int32_t>(index);
            return;
        }
    }
}

std::uint16_t ReadPadButtons() {
    if (!gameHasFocus) {
        return 0;
    }
    padState = XINPUT_STATE{};
    XInputGetState(static_cast<DWORD>(padIndex), &padState);
    return padState.Gamepad.wButtons;
}
