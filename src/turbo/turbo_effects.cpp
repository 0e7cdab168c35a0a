#include "turbo/turbo_effects.h"

#include "host/natives.h"
#include "platform/platform.h"

#include <cstdint>

namespace {

// The name is a resource ID of the given module; the call returns while the
// sound plays.
constexpr DWORD kTurboSoundFlags = SND_RESOURCE | SND_APPLICATION | SND_ASYNC;

// The handle of the module that holds this code, whatever name the player
// gave the file; the reference count is left alone, as nothing releases it.
constexpr DWORD kOwnModuleLookup =
    GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;

} // namespace

void PlayTurboSound(std::int32_t id) {
    HMODULE module = nullptr;
    GetModuleHandleExW(kOwnModuleLookup,
                       reinterpret_cast<LPCWSTR>(reinterpret_cast<std::uintptr_t>(&PlayTurboSound)),
                       &module);
    PlaySoundA(MAKEINTRESOURCEA(id), module, kTurboSoundFlags);
}

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
