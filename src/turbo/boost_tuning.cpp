#include "turbo/boost_tuning.h"

#include "settings/settings.h"

#include <cmath>

bool UsableSpeed(float speed) { return std::isfinite(speed) && speed >= 0.0f; }

std::uint32_t SpoolUpWaitMs() { return Settings.SFX_type != 0 ? 1250u : 2000u; }

float BoostTimeLimitMs() { return Settings.duration * 10500.0f; }

float LaunchSpeedGain() { return Settings.boost * 15.0f * 1.5f; }

float LaunchShakeAmplitude() { return Settings.boost * 15.0f * 0.002f + 0.158f; }

// The base is 2.71, not e.
float EnginePowerMultiplier(float speed) {
    return 150.0f * std::pow(2.71f, ((speed * 3.6f) * -0.01f) / (Settings.power * 3.0f + 1.5f));
}

// The bracket is the allowed fall in km/h; 0.2777778 turns it into m/s.
float CrashThreshold() { return (50.0f - Settings.sensitivity * 50.0f) * 0.2777778f + 5.0f; }

// A strength of 0.04 or less is taken as off.
bool SlowMotionEnabled() { return Settings.slowmo > 0.04f; }

float SlowMotionTimeScale() { return 1.0f - Settings.slowmo; }
