#include "host/script_hook.h"
#include "host/script_main.h"

// The loader calls this for every attach and detach; only the process attach
// matters. Nothing else may happen here: natives are not callable yet.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) {
        scriptRegister(module, ScriptMain);
    }
    return TRUE;
}
