#pragma once
// docs/screens.png: the module's drawing on the screens players have, from
// 5:4 to three 16:9 screens side by side, and on 16:9 at a safe zone of 0.9,
// so that each can be looked over as a player on that screen would see it.

#include <string>

namespace simapp {

// Runs the scenario once per screen, each into its own folder under `outDir`,
// and draws one picture per screen into a sheet at `sheetPath`: what the
// module drew in the frame of the scenario's picture named "menu", with the
// first-run notice as drawn in the frame of its picture named "notice" (the
// menu's first opening ends the notice, so no one frame holds both), without
// the game's feed. False,
// with `error` set, when a run faults or a picture is missing.
bool DrawScreenSheet(const std::string& iniPath, const std::string& scenarioPath,
                     const std::string& outDir, const std::string& sheetPath, std::string& error);

} // namespace simapp
