#pragma once
// Windows functions the module calls that the game host leaves to Windows
// (the profile functions, the module lookup, the resource functions, the
// keys' names): led through recorders that put each call into the simulated
// game's record, as the host build's stand-ins do, and answer with Windows'
// own answer.

#include <windows.h>

namespace scenario {

// Patches the module's imports of those functions; a function the module
// does not import is left alone.
void RecordWindowsImports(HMODULE module);

} // namespace scenario
