#pragma once
// Muzzle-flash flames at the exhaust bones while a boost runs.

#include <cstdint>

inline constexpr int kExhaustBoneCount = 7;

// What the last flash start at each exhaust bone returned, in bone order.
// Written only by UpdateExhaustFlames; never cleared, so a later boost (on
// any vehicle) tests the values the earlier one left.
extern std::int32_t flameSlots[kExhaustBoneCount];

// One burst at every exhaust bone of `vehicle`, scaled by the time since
// `boostStartTick`. BoostStep calls it once per step.
void UpdateExhaustFlames(std::int32_t vehicle, std::uint32_t boostStartTick);

// Starts one flash there; returns the first 32 bits of the game's answer.
std::int32_t StartExhaustFlash(float x, float y, float z, float yRotation, float zRotation,
                               float scale);
