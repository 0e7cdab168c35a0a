#pragma once
// docs/languages.png: the first-run notice and the open menu in each of the
// game's thirteen languages, side by side, so that a reader of each language
// can look them over at once.

#include <string>

namespace simapp {

// Runs the scenario once per language, in the order GET_CURRENT_LANGUAGE
// numbers them, each into its own folder under `outDir`, and draws the
// pictures it names "notice" and "menu" (their parts where the module draws)
// into one sheet at `sheetPath`. False, with `error` set, when a run faults
// or a picture is missing.
bool DrawLanguageSheet(const std::string& iniPath, const std::string& scenarioPath,
                       const std::string& outDir, const std::string& sheetPath, std::string& error);

} // namespace simapp
