#include "turbo/exhaust_flames.h"

#include "game/game_state.h"
#include "game/natives.h"
#include "platform/platform.h"

#include <cmath>

using namespace native;

std::int32_t flameSlots[kExhaustBoneCount] = {};

namespace {

// The game's names: the first exhaust carries no number, the others start at 2.
constexpr const char* kExhaustBones[kExhaustBoneCount] = {
    "exhaust", "exhaust_2", "exhaust_3", "exhaust_4", "exhaust_5", "exhaust_6", "exhaust_7"};

constexpr const char* kFlameAsset = "scr_carsteal4";
constexpr const char* kFlameEffect = "scr_carsteal5_car_muzzle_flash";

} // namespace

void UpdateExhaustFlames(std::int32_t vehicle, std::uint32_t boostStartTick) {
    // Every name is tried: the game answers for bones a model lacks as well,
    // and a flash there is harmless.
    for (int i = 0; i < kExhaustBoneCount; ++i) {
        // Loading takes a few frames; until then the starts fail quietly and
        // the request is repeated.
        if (!HAS_NAMED_PTFX_ASSET_LOADED(kFlameAsset)) {
            REQUEST_NAMED_PTFX_ASSET(kFlameAsset);
        }
        _SET_PTFX_ASSET_NEXT_CALL(kFlameAsset);
        const std::int32_t bone = _GET_ENTITY_BONE_INDEX(vehicle, kExhaustBones[i]);
        const Vector3 at = GET_WORLD_POSITION_OF_ENTITY_BONE(vehicle, bone);
        const float sinceLaunch = static_cast<float>(ModuleTick() - boostStartTick);
        // Large at launch, settling towards 0.9 within about a second.
        const float decay = std::pow(2.71f, sinceLaunch * -0.0035f);
        if (!DOES_PARTICLE_FX_LOOPED_EXIST(flameSlots[i])) {
            const float heading = GET_ENTITY_HEADING(vehicle);
            const float pitch = GET_ENTITY_PITCH(vehicle);
            flameSlots[i] =
                StartExhaustFlash(at.x, at.y, at.z, pitch, heading - 90.0f, decay * 4.0f + 0.9f);
        }
    }
}

std::int32_t StartExhaustFlash(float x, float y, float z, float yRotation, float zRotation,
                               float scale) {
    return START_PARTICLE_FX_NON_LOOPED_AT_COORD(kFlameEffect, x, y, z, 0.0f, yRotation, zRotation,
                                                 scale, false, false, false);
}
