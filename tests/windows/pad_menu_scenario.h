#pragma once
// Remapped menu keys, the menu on the pad and half volume, through the real
// Veloxan.asi.

#include "scenario_support.h"

namespace scenario {

void LaptopPadAndHalfVolume(const Paths& paths);

} // namespace scenario
