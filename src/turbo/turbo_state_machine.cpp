#include "turbo/turbo.h"

#include "game/game_state.h"
#include "game/log.h"
#include "game/natives.h"
#include "game/script_hook.h"
#include "settings/notifications.h"
#include "settings/settings.h"
#include "settings/texts.h"
#include "turbo/boost_tuning.h"
#include "turbo/exhaust_flames.h"
#include "turbo/turbo_effects.h"
#include "turbo/turbo_sound.h"

using namespace native;

TurboState turboState = TurboState::Ready;
std::int32_t currentVehicle = 0;

namespace {

// Tick at which the running boost entered Boosting. Set by the launch; read
// by BoostStep, TurboShutdown and the flames.
std::uint32_t boostStartTick = 0;

// Tick at which the spool-up sound started, valid while spoolStarted. A
// separate flag, because a tick of 0 is a tick like any other. Set by the
// first SpoolUpStep of a boost, cleared by the activation and the launch.
std::uint32_t spoolStartTick = 0;
bool spoolStarted = false;

// Highest speed seen in this boost's steps, m/s. Zeroed at launch, raised by
// BoostStep; the crash test measures the fall below it.
float peakSpeed = 0.0f;

// The vehicles the boost changed, which may no longer be the one the player
// uses when the boost ends: the radio switched off by the activation, and the
// engine power raised from the launch on. The shutdown and a restart restore
// these, so that a cancel on foot or from another vehicle leaves no car
// boosted or silent for good.
std::int32_t radioOffVehicle = 0;
std::int32_t boostedVehicle = 0;

// True only inside TurboShutdown's slow-motion wait, so that ResetTurbo knows
// the world was left slowed when the script was abandoned there.
bool slowMotionApplied = false;

float MsSinceLaunch() { return static_cast<float>(ModuleTick() - boostStartTick); }

// Planes, boats and helicopters also get a direct push every step; other
// vehicles get the engine power alone.
bool PushedDirectly(std::int32_t vehicle) {
    return IS_THIS_MODEL_A_PLANE(GET_ENTITY_MODEL(vehicle)) ||
           IS_THIS_MODEL_A_BOAT(GET_ENTITY_MODEL(vehicle)) ||
           IS_THIS_MODEL_A_HELI(GET_ENTITY_MODEL(vehicle));
}

// For the log: the boost's end, its cause and the highest speed it reached.
[[gnu::cold]] void LogBoostEnd(const char* cause, float speed, const char* detail = nullptr) {
    const float peak = UsableSpeed(speed) && speed > peakSpeed ? speed : peakSpeed;
    LogBegin("boost ended: ");
    LogText(cause);
    if (detail != nullptr) {
        LogText(" (");
        LogText(detail);
        LogText(")");
    }
    LogText(", peak ");
    LogFixed(peak, 1);
    LogText(" m/s (");
    LogFixed(peak * 3.6f, 0);
    LogText(" km/h) after ");
    LogNumber(ModuleTick() - boostStartTick);
    LogText(" ms");
    LogEnd();
}

// Why this step ends the boost, in the order the tests run; null while it
// goes on. A speed that cannot be used proves neither a crash nor a
// standstill; the time limits hold whatever the game answers.
const char* BoostEndCause(float speed) {
    const bool usable = UsableSpeed(speed);
    if (usable && peakSpeed - speed > CrashThreshold()) {
        return "crash";
    }
    if (MsSinceLaunch() > BoostTimeLimitMs()) {
        return "time";
    }
    if (usable && speed == 0.0f) {
        return "standstill";
    }
    // The Lumen recording runs out soon after 4.5 s of boost.
    if (Settings.SFX_type == 1 && ModuleTick() - boostStartTick > kLumenBoostLimitMs) {
        return "sound limit";
    }
    return nullptr;
}

// Once per boost, as the press that starts it: built for size.
[[gnu::cold]] void Launch() {
    spoolStarted = false;
    spoolStartTick = 0;
    // Both scale changes fall in the launch's frame: nothing may wait
    // between them.
    SET_TIME_SCALE(0.8f);
    ShakeCameraForLaunch(LaunchShakeAmplitude());
    StartScreenEffectIfIdle("FocusIn");
    turboState = TurboState::Boosting;
    boostedVehicle = currentVehicle;
    boostStartTick = ModuleTick();
    SET_TIME_SCALE(1.0f);
    peakSpeed = 0.0f;
    const float speed = GET_ENTITY_SPEED(currentVehicle);
    if (UsableSpeed(speed)) {
        SET_VEHICLE_FORWARD_SPEED(currentVehicle, speed + LaunchSpeedGain());
    }
    LogBegin("boost launched at ");
    LogFixed(speed, 1);
    LogText(" m/s");
    LogEnd();
    if (IS_VEHICLE_ON_ALL_WHEELS(currentVehicle)) {
        SET_VEHICLE_ON_GROUND_PROPERLY(currentVehicle);
    }
}

} // namespace

[[gnu::cold]] void TurboTrigger() {
    const Ped ped = PLAYER_PED_ID();
    currentVehicle = GET_VEHICLE_PED_IS_USING(ped);

    if (turboState == TurboState::Boosting) {
        // A second press cuts the speed back, harder above 27 m/s.
        const float speed = GET_ENTITY_SPEED(currentVehicle);
        if (UsableSpeed(speed)) {
            SET_VEHICLE_FORWARD_SPEED(currentVehicle, speed / (speed > 27.0f ? 2.0f : 1.4f));
        }
        StartScreenEffectIfIdle("RampageOut");
        LogBoostEnd("cancel", speed);
        TurboShutdown();
    }

    if (turboState == TurboState::Ready) {
        if (IS_PED_IN_VEHICLE(ped, currentVehicle, false) &&
            IS_VEHICLE_DRIVEABLE(currentVehicle, false)) {
            ShowNotification(Text(TextId::Activated));
            Log("boost activated");
            SET_VEHICLE_RADIO_ENABLED(currentVehicle, false);
            radioOffVehicle = currentVehicle;
            spoolStarted = false;
            turboState = TurboState::SpoolUp;
            return;
        }
    }

    // The game is asked afresh for each message: the shutdown above waited.
    if (IS_PED_IN_VEHICLE(ped, currentVehicle, false) && turboState == TurboState::Recharging) {
        ShowNotification(Text(TextId::Recharging));
    }
    if (IS_PED_IN_VEHICLE(ped, currentVehicle, false) &&
        !IS_VEHICLE_DRIVEABLE(currentVehicle, false)) {
        ShowNotification(Text(TextId::Totaled));
    }
}

void SpoolUpStep() {
    if (!spoolStarted) {
        PlayTurboSound(Settings.SFX_type != 0 ? kSpoolSoundLumen : kSpoolSoundOrca);
        spoolStartTick = ModuleTick();
        spoolStarted = true;
    }
    // Signed, so that a tick that ran backwards reads as still waiting.
    const std::int32_t waited = static_cast<std::int32_t>(ModuleTick() - spoolStartTick);
    if (waited < static_cast<std::int32_t>(SpoolUpWaitMs())) {
        return;
    }
    Launch();
}

void BoostStep() {
    // In a frame whose speed cannot be used, nothing computed from it goes
    // back to the game; everything else of the step runs as usual.
    float speed = GET_ENTITY_SPEED(currentVehicle);
    const bool usable = UsableSpeed(speed);
    if (usable) {
        _SET_VEHICLE_ENGINE_POWER_MULTIPLIER(currentVehicle, EnginePowerMultiplier(speed));
    }
    UpdateExhaustFlames(currentVehicle, boostStartTick);
    if (PushedDirectly(currentVehicle) && usable) {
        speed = speed + 0.5f;
        SET_VEHICLE_FORWARD_SPEED(currentVehicle, speed);
    }

    if (const char* cause = BoostEndCause(speed)) {
        LogBoostEnd(cause, speed);
        TurboShutdown();
    }

    if (usable && speed > peakSpeed) {
        peakSpeed = speed;
    }
}

namespace {

// What every end of a boost does, up to the frame's wait. `blowOff` plays the
// shut-down sound, which cuts the boost's recording off; without it the
// recording just stops. The power goes back only where the launch raised it.
// Once per boost: built for size, as is the rest of a boost's end.
[[gnu::cold]] void EndBoost(const char* message, bool blowOff) {
    _STOP_SCREEN_EFFECT("FocusIn");
    StartScreenEffectIfIdle("FocusOut");
    ShowNotification(message);
    SET_VEHICLE_RADIO_ENABLED(radioOffVehicle, true);
    if (blowOff) {
        // Starting the blow-off cuts the spool-up and boost sound off.
        PlayTurboSound(kShutdownSound);
    } else {
        StopTurboSound();
    }
    const bool launched = turboState == TurboState::Boosting;
    turboState = TurboState::Recharging;
    if (launched) {
        _SET_VEHICLE_ENGINE_POWER_MULTIPLIER(boostedVehicle, 1.0f);
    }
    scriptWait(0);
}

} // namespace

[[gnu::cold]] void TurboGameTookOver(const char* reason) {
    if (turboState == TurboState::SpoolUp) {
        LogBegin("boost ended: the game took over (");
        LogText(reason);
        LogText(") in the spool-up");
        LogEnd();
    } else {
        LogBoostEnd("the game took over", 0.0f, reason);
    }
    // The game moves the vehicle now: no cut, no push, no slow motion.
    EndBoost(Text(TextId::ShutDown), false);
}

[[gnu::cold]] void TurboShutdown() {
    EndBoost(MsSinceLaunch() > BoostTimeLimitMs() ? Text(TextId::DeactivatedByTime)
                                                  : Text(TextId::ShutDown),
             true);
    // Only a boost that ended against something is replayed slowly.
    if (SlowMotionEnabled() && HAS_ENTITY_COLLIDED_WITH_ANYTHING(currentVehicle)) {
        SET_TIME_SCALE(SlowMotionTimeScale());
        slowMotionApplied = true;
        LogBegin("slow motion at time scale ");
        LogFixed(SlowMotionTimeScale(), 2);
        LogText(" for ");
        LogNumber(kSlowMotionMs);
        LogText(" ms");
        LogEnd();
        scriptWait(kSlowMotionMs);
        SET_TIME_SCALE(1.0f);
        slowMotionApplied = false;
    }
}

void ResetTurbo() {
    // The abandoned pass cannot finish what it started: undo what would
    // otherwise outlast it in the world.
    if (slowMotionApplied) {
        SET_TIME_SCALE(1.0f);
        slowMotionApplied = false;
    }
    if (turboState == TurboState::Boosting) {
        _SET_VEHICLE_ENGINE_POWER_MULTIPLIER(boostedVehicle, 1.0f);
    }
    if (turboState == TurboState::SpoolUp || turboState == TurboState::Boosting) {
        // As a shutdown would: the reload must not carry the boost's effect
        // and recording on.
        _STOP_SCREEN_EFFECT("FocusIn");
        StopTurboSound();
        SET_VEHICLE_RADIO_ENABLED(radioOffVehicle, true);
    }
    turboState = TurboState::Ready;
    rechargeProgress = 0.0f;
    spoolStarted = false;
    spoolStartTick = 0;
    peakSpeed = 0.0f;
}
