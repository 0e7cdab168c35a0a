#include "turbo/turbo.h"

#include "game/game_state.h"
#include "game/natives.h"
#include "screen/draw_primitives.h"
#include "screen/placement.h"
#include "settings/notifications.h"
#include "settings/texts.h"

using namespace native;

float rechargeProgress = 0.0f;

namespace {

// The count at which the recharge is complete; a fixed 224 steps in a
// vehicle, so the wait is counted in frames, not milliseconds.
constexpr std::int32_t rechargeTotal = 10000;
constexpr float kRechargePerStep = 45.0f;

} // namespace

void RechargeStep() {
    const Ped ped = PLAYER_PED_ID();
    currentVehicle = GET_VEHICLE_PED_IS_USING(ped);
    const float total = static_cast<float>(rechargeTotal);
    // On foot the count and the bar pause; any vehicle resumes them.
    if (rechargeProgress < total && IS_PED_IN_VEHICLE(ped, currentVehicle, false)) {
        rechargeProgress = rechargeProgress + kRechargePerStep;
        const float filled = rechargeProgress / total;
        // Red through the first half, green through the second; the green
        // value goes to the game negative at first, as it is.
        // The count goes on while the game is busy or the HUD is hidden;
        // only the bar stays away.
        if (GameBusy() || HudHidden()) {
            return;
        }
        DrawRechargeBar(filled * 0.15f, static_cast<std::int32_t>((1.0f - filled) * 220.0f),
                        static_cast<std::int32_t>((filled - 0.5f) * 255.0f));
        return;
    }
    // The game's scene is not the place for the message: it, and Ready, wait
    // for the first pass after it.
    if (turboState == TurboState::Recharging && IS_PED_IN_VEHICLE(ped, currentVehicle, false) &&
        !GameBusy()) {
        turboState = TurboState::Ready;
        rechargeProgress = 0.0f;
        ShowNotification(Text(TextId::Online));
    }
}

void DrawRechargeBar(float width, std::int32_t red, std::int32_t green) {
    // Centred near the bottom edge of the area the module draws in, growing
    // outwards from the middle.
    DrawRect(PlaceCentre(0.5f), PlaceBottom(0.98f), PlaceWidth(width), 0.007f, red, green, 10, 150);
}
