#include "host/script_hook.h"
#include "host/script_main.h"

// The loader calls this for every attach and detach. Nothing else may happen
// here: natives are not callable yet, and at detach the module's code is
// about to be unmapped, so ScriptHookV must forget the script first (its
// developer mode unloads and reloads every module on a key).
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) {
        scriptRegister(module, ScriptMain);
    } else if (reason == DLL_PROCESS_DETACH) {
        scriptUnregister(module);
    }
    return TRUE;
}
