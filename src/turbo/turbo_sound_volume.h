#pragma once
// The module's sounds at the player's level, SFX_volume: below 100 each of
// the three recordings plays from a copy in memory whose samples are scaled
// by (SFX_volume / 100)^2, so 50 is -12 dB; at 100 they play from the
// resources as they are.

#include <cstdint>

// Makes the copies, or rewrites them in place for another volume. Runs at
// each start of the script, right after the settings are loaded.
void PrepareTurboSounds();

// The copy to play for recording `id`, or null: play the resource.
const char* QuietTurboSound(std::int32_t id);

// Scales the samples of a RIFF/WAVE image in place by (volume / 100)^2:
// 16-bit PCM to the nearest whole number, halves away from zero; 32-bit IEEE
// float in single precision. Header and length stay. False, with nothing
// changed, for an image that is not whole or holds another sample format.
bool ScaleWaveImage(std::uint8_t* wave, std::uint32_t size, std::int32_t volume);
