#include "turbo/turbo_effects.h"

#include "host/natives.h"
#include "host/own_module.h"
#include "platform/platform.h"
#include "turbo/turbo_sound_volume.h"

namespace {

// The name is a resource ID of the given module; the call returns while the
// sound plays.
constexpr DWORD kTurboSoundFlags = SND_RESOURCE | SND_APPLICATION | SND_ASYNC;

} // namespace

// The cast is the Windows convention: a resource is named by its number.
// NOLINTBEGIN(performance-no-int-to-ptr)
void PlayTurboSound(std::int32_t id) {
    if (const char* copy = QuietTurboSound(id)) {
        // The image lives as long as the module, so it may play on its own.
        PlaySoundA(copy, nullptr, SND_MEMORY | SND_ASYNC);
        return;
    }
    PlaySoundA(MAKEINTRESOURCEA(id), OwnModule(), kTurboSoundFlags);
}
// NOLINTEND(performance-no-int-to-ptr)

void StopTurboSound() {
    // A null sound stops the process's waveform sound; no module goes with it.
    PlaySoundA(nullptr, nullptr, 0);
}

void StartScreenEffectIfIdle(const char* name) {
    if (!native::_GET_SCREEN_EFFECT_IS_ACTIVE(name)) {
        native::_START_SCREEN_EFFECT(name, 0, false);
    }
}

void ShakeCameraForLaunch(float amplitude) {
    native::SHAKE_GAMEPLAY_CAM("SMALL_EXPLOSION_SHAKE", amplitude);
}
