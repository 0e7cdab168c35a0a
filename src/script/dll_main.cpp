#include "game/log.h"
#include "game/script_hook.h"
#include "script/script_main.h"

// The loader calls this for every attach and detach. Nothing else may happen
// here: natives are not callable yet, and at an unload the module's code is
// about to be unmapped, so ScriptHookV must forget the script first (its
// developer mode unloads and reloads every module on a key), and the log's
// handle is let go. At process exit (`reserved` set) the other threads are
// gone and ScriptHookV may be tearing down: calling into it then gains
// nothing, and Windows closes the log's handle with the process, every line
// already written.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        scriptRegister(module, ScriptMain);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        scriptUnregister(module);
        LogClose();
    }
    return TRUE;
}
