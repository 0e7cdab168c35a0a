#pragma once

#include "platform/platform.h"

// The script entry ScriptHookV runs on its fibre. It runs again, in the same
// loaded module, each time the game reloads its scripts.
void ScriptMain();

// One pass per frame, forever.
[[noreturn]] void MainLoop();

// One frame's work without the yield at its end: the first-run notice, the
// menu step, the trigger and the step of the turbo state. The turbo's
// shutdown may still wait inside it.
void MainLoopPass();

// Called by the Windows loader; registers ScriptMain on process attach and
// unregisters it when FreeLibrary unloads the module, not at process exit.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved);
