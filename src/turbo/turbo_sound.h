#pragma once
// The module's own sounds: three WAVE recordings inside the module, played
// asynchronously by the platform's sound layer. Each plays from a copy in
// memory made at the first start of the script and never freed, scaled to
// the player's level (SFX_volume): the samples by (SFX_volume / 100)^2, so
// 50 is -12 dB. A copy outlives the module, so a recording that still plays
// when the module is unloaded never reads unmapped memory. While the game is
// paused the recording stops, and afterwards the rest of it plays on from
// where it stopped.

#include <cstdint>

// WAVE resource IDs inside the module. The spool-up recordings run on into
// the boost, so one sound covers both.
inline constexpr std::int32_t kSpoolSoundOrca = 106;  // sound profile 0
inline constexpr std::int32_t kShutdownSound = 107;   // both profiles
inline constexpr std::int32_t kSpoolSoundLumen = 108; // sound profile 1

// Makes the copies, or rewrites them in place for another volume. Runs at
// each start of the script, right after the settings are loaded; a copy that
// cannot be made is logged, and its recording plays from the resource. A
// recording that a pause stopped stays stopped after the restart.
void PrepareTurboSounds();

// The level the recordings play at: SFX_volume, or 100 when a copy below
// full volume could not be made and that recording plays from the resource.
std::int32_t TurboSoundLevel();

// The copy that recording `id` plays from, or null: it plays the resource.
const char* TurboSoundCopy(std::int32_t id);

// Plays recording `id` once, from its start; it replaces whatever sound of
// the module is still playing.
void PlayTurboSound(std::int32_t id);

// Stops whatever sound of the module is playing.
void StopTurboSound();

// At the first pass of a pause: stops the recording that still plays and
// keeps its place. At the first pass after it: plays the rest of it, unless
// a play, a stop or a restart came between.
void PauseTurboSound();
void ResumeTurboSound();

// Scales the samples of a RIFF/WAVE image in place by (volume / 100)^2:
// 16-bit PCM to the nearest whole number, halves away from zero; 32-bit IEEE
// float in single precision. Header and length stay. False, with nothing
// changed, for an image that is not whole or holds another sample format.
bool ScaleWaveImage(std::uint8_t* wave, std::uint32_t size, std::int32_t volume);
