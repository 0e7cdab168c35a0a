#pragma once
// What a settings file means in numbers, from the module's own tuning
// functions: the table --explain prints.

#include <ostream>
#include <string>

namespace simapp {

// Loads `iniPath` through the module's LoadSettings, using `gameDir` as the
// game folder for the working copy, and writes the table.
void Explain(const std::string& iniPath, const std::string& gameDir, std::ostream& out);

} // namespace simapp
