#pragma once
// The session of golden_session.h through the real Veloxan.asi.

#include "scenario_support.h"

namespace scenario {

void GoldenSession(const Paths& paths);

} // namespace scenario
