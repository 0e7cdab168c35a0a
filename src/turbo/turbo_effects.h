#pragma once
// The boost's accents: the module's own WAVE sounds, the game's screen
// effects and the launch's camera shake.

#include <cstdint>

// WAVE resource IDs inside the module. The spool-up recordings run on into
// the boost, so one sound covers both.
inline constexpr std::int32_t kSpoolSoundOrca = 106;  // sound profile 0
inline constexpr std::int32_t kShutdownSound = 107;   // both profiles
inline constexpr std::int32_t kSpoolSoundLumen = 108; // sound profile 1

// Plays the module's WAVE resource `id` once, asynchronously; it replaces
// whatever sound of the module is still playing.
void PlayTurboSound(std::int32_t id);

// Stops whatever sound of the module is playing.
void StopTurboSound();

// Starts the game's screen effect `name` unless it is already running.
void StartScreenEffectIfIdle(const char* name);

// The jolt of the launch.
void ShakeCameraForLaunch(float amplitude);
