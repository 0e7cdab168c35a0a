#pragma once
// The boost: a four-state machine driven by the main loop.

#include <cstdint>

enum class TurboState : std::int32_t { Ready = 0, Recharging = 1, SpoolUp = 2, Boosting = 3 };

// The machine's state; written only by the turbo operations, read by the
// main loop to pick the step.
extern TurboState turboState;

// Game handle of the vehicle the boost acts on, 0 when the player used none.
// Written by TurboTrigger and RechargeStep from the vehicle the player is
// using; the spool-up, the boost steps and the shutdown act on it as stored,
// except the shutdown's radio and power restores, which go to the vehicles
// the boost changed.
extern std::int32_t currentVehicle;

// Recharge counter, +45 per RechargeStep spent in a vehicle; 0 whenever the
// machine is Ready. Owned by the recharge (recharge.cpp); ResetTurbo clears it.
extern float rechargeProgress;

void TurboTrigger();
void SpoolUpStep();
void BoostStep();
void RechargeStep();
void TurboShutdown();

// Ends a spool-up or boost because the game took the vehicle over (`reason`
// names how, for the log): as a shutdown, but the recording just stops, and
// nothing pushes, cuts or slows the vehicle.
void TurboGameTookOver(const char* reason);

// The bar at the bottom of the screen while the boost recharges, for this
// frame only. Called by RechargeStep.
void DrawRechargeBar(float width, std::int32_t red, std::int32_t green);

// Back to Ready with nothing pending, after the script was restarted in the
// middle of a boost: undoes slow motion if it was left running, and what a
// spool-up or boost had changed (radio, power, "FocusIn", the recording).
void ResetTurbo();
