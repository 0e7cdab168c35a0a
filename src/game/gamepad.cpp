#include "game/gamepad.h"

void FindGamepad() {
    if (padIndex != -1) {
        return;
    }
    for (DWORD index = 0; index < 4; ++index) {
        XINPUT_STATE state{};
        if (XInputGetState(index, &state) == 0) {
            padIndex = static_cast<std::int32_t>(index);
            return;
        }
    }
}
