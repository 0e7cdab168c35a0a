#pragma once
// The boost: a four-state machine driven by the main loop.

#include <cstdint>

enum class TurboState : std::int32_t { Ready = 0, Recharging = 1, SpoolUp = 2, Boosting = 3 };

// The machine's state; written only by the turbo operations, read by the
// main loop to pick the step.
extern TurboState turboState;

void TurboTrigger();
void SpoolUpStep();
void BoostStep();
void RechargeStep();
void TurboShutdown();

// Back to Ready with nothing pending, after the script was restarted in the
// middle of a boost: undoes slow motion if it was left running.
void ResetTurbo();
