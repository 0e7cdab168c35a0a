#pragma once
// The bad Veloxan.ini table: "bad_ini" runs every case, "bad_ini:<case>" one.

#include "scenario_support.h"

#include <string>

namespace scenario {

bool IsBadIniScenario(const std::string& name);
void RunBadIniScenario(const std::string& name, const Paths& paths);

} // namespace scenario
