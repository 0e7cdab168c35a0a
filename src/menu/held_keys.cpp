#include "menu/held_keys.h"

#include "game/game_state.h"
#include "game/key_input.h"
#include "game/pad_input.h"
#include "settings/settings.h"

#include <cstddef>

std::uint32_t keysHeldOff = 0;

namespace {

constexpr std::size_t kModuleKeyCount = static_cast<std::size_t>(KeySetting::MenuBack) + 1;
constexpr std::uint32_t kAllHeld = 0xFFFF0000u | ((1u << kModuleKeyCount) - 1);
constexpr std::uint32_t kMostMs = 10000;

// When the keys began to be held off, on the module's clock.
std::uint32_t heldSince = 0;

} // namespace

// A few times a session, at a pause's end or a wait's: built for size.
[[gnu::cold]] void HoldOffHeldKeys() {
    keysHeldOff = kAllHeld;
    heldSince = ModuleTick();
}

[[gnu::cold]] void WaitForHeldKeys() {
    for (std::size_t k = 0; k < kModuleKeyCount; ++k) {
        const std::int32_t key = Settings.*kKeySettingFields[k].field;
        if ((keysHeldOff >> k & 1u) != 0 && (key == 0 || !KeyDown(key))) {
            keysHeldOff &= ~(1u << k);
        }
    }
    if (keysHeldOff >> 16 != 0) {
        keysHeldOff &= 0xFFFFu | (padIndex != -1 ? std::uint32_t{PadButtonsThisPass()} << 16 : 0u);
    }
    if (keysHeldOff == 0) {
        return;
    }
    const std::uint32_t now = ModuleTick();
    if (now - heldSince > kMostMs) {
        keysHeldOff = 0;
    } else {
        lastKeyTick = now;
    }
}
