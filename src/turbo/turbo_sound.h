#pragma once
// The module's own sounds: three WAVE recordings inside the module, played
// asynchronously by the platform's sound layer. Each plays from a copy in
// memory made at the first start of the script and never freed, scaled to
// the level that plays: SFX_volume / 100 times the game's own sound-effects
// level / 10 (unless SFX_follow_game is 0), the samples by that factor
// squared, so 50 is -12 dB. At the game's level 0 nothing plays. A copy
// outlives the module, so a recording that still plays when the module is
// unloaded never reads unmapped memory. While the game is paused the
// recording stops, and afterwards the rest of it plays on from where it
// stopped.

#include <cstdint>

// WAVE resource IDs inside the module. The spool-up recordings run on into
// the boost, so one sound covers both.
inline constexpr std::int32_t kSpoolSoundOrca = 106;  // sound profile 0
inline constexpr std::int32_t kShutdownSound = 107;   // both profiles
inline constexpr std::int32_t kSpoolSoundLumen = 108; // sound profile 1

// Makes the copies, or rewrites them in place for another level. Runs at
// each start of the script, right after the settings are loaded; a copy that
// cannot be made is logged, and its recording plays from the resource. A
// recording that a pause stopped stays stopped after the restart.
void PrepareTurboSounds();

// Asks the game for its sound-effects level (GET_PROFILE_SETTING 300), at
// each start of the script before PrepareTurboSounds, and at the first pass
// after each pause, where the player may have moved the game's slider. With
// SFX_follow_game at 0 nothing is asked and the level counts as 10. A change
// after a pause is logged; each copy is scaled to it before it next plays.
void AskGameEffectsLevel(bool afterPause);

// The game's sound-effects level in use, 0 to 10.
std::int32_t GameEffectsLevel();

// SFX_volume (or the game's level) has changed: each copy is scaled again
// from its resource, in place, before it next plays; recording `now` (or
// none for 0) at once, so that playing it costs nothing more.
void TurboSoundLevelChanged(std::int32_t now = 0);

// The level the recordings play at, in thousandths: SFX_volume times the
// game's level (1000 is full level, 0 silence), or 1000 when a copy could
// not be made and that recording plays from its resource.
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

// Scales the samples of a RIFF/WAVE image in place by (volume / 100 x
// effectsLevel / 10)^2: 16-bit PCM to the nearest whole number, halves away
// from zero; 32-bit IEEE float in single precision. At effectsLevel 10 the
// samples are those of (volume / 100)^2. Header and length stay. False, with nothing
// changed, for an image that is not whole or holds another sample format.
bool ScaleWaveImage(std::uint8_t* wave, std::uint32_t size, std::int32_t volume,
                    std::int32_t effectsLevel = 10);
