#pragma once
// What the settings mean for a boost, in numbers: each quantity the state
// machine derives from the settings, read afresh at each call so that a menu
// change acts at once. Single precision throughout, in the order written.

#include <cstdint>

// Whether a speed the game answered (m/s) can be computed from: finite and
// not negative. Anything made from a NaN or an infinity would carry it back
// into the game.
bool UsableSpeed(float speed);

// Spool-up wait before the launch, ms: Lumen (profile 1) is quicker.
std::uint32_t SpoolUpWaitMs();

// Boost time limit, ms: duration as a fraction of 10500 ms.
float BoostTimeLimitMs();

// The Lumen recording runs out soon after this many ms of boost.
inline constexpr std::uint32_t kLumenBoostLimitMs = 4500;

// Speed added at the launch, m/s.
float LaunchSpeedGain();

// Amplitude of the launch's camera shake.
float LaunchShakeAmplitude();

// Engine power multiplier at `speed` m/s: 150 at rest, falling as the speed
// in km/h grows; a higher power setting makes it fall more slowly.
float EnginePowerMultiplier(float speed);

// How far below the boost's peak speed (m/s) the speed may fall before the
// boost counts as crashed.
float CrashThreshold();

// Slow motion after a crash: whether it applies, and the time scale it sets
// for kSlowMotionMs.
bool SlowMotionEnabled();
float SlowMotionTimeScale();
inline constexpr std::uint32_t kSlowMotionMs = 1500;
