#pragma once
// A run against time: every frame's figures as CSV, and a PNG plot of speed,
// engine power multiplier and time scale over the turbo's states as shaded
// bands, with each event marked.

#include "sim/app/run.h"

#include <ostream>
#include <string>

namespace simapp {

// One row per frame, with a header; the events column lists the frame's
// events separated by ';', each its kind and any detail after '=':
// "end=crash;message=Veloxan has been shut down;sound=107".
void WriteCsv(const RunResult& run, std::ostream& out);
bool WriteCsvFile(const RunResult& run, const std::string& path);

bool WritePlot(const RunResult& run, const std::string& title, const std::string& path);

} // namespace simapp
