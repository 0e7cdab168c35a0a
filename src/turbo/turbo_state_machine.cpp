// Placeholder until the boost lands: the main loop can call every step.
#include "turbo/turbo.h"

TurboState turboState = TurboState::Ready;

void TurboTrigger() {}
void SpoolUpStep() {}
void BoostStep() {}
void RechargeStep() {}
void TurboShutdown() {}
void ResetTurbo() { turboState = TurboState::Ready; }
