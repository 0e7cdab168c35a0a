#include "turbo/turbo_effects.h"

#include "game/natives.h"

void StartScreenEffectIfIdle(const char* name) {
    if (!native::_GET_SCREEN_EFFECT_IS_ACTIVE(name)) {
        native::_START_SCREEN_EFFECT(name, 0, false);
    }
}

void ShakeCameraForLaunch(float amplitude) {
    native::SHAKE_GAMEPLAY_CAM("SMALL_EXPLOSION_SHAKE", amplitude);
}
