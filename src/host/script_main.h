#pragma once

#include "platform/platform.h"

// The script entry ScriptHookV runs on its fibre. It runs again, in the same
// loaded module, each time the game reloads its scripts.
void ScriptMain();

// One pass per frame, forever.
[[noreturn]] void MainLoop();

// Called by the Windows loader; registers ScriptMain on process attach.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved);
