// The stand-in ScriptHookV.dll. It never ships: it exists so that the real
// Veloxan.asi can be loaded by the Windows loader and bound to ScriptHookV's
// decorated exports, which then lead into the simulated game of the host
// program that loaded it.

#include "sim/windows/script_hook_bridge.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

using sim::windows::ScriptHookBridge;

// The host program is the process's main image. Without it there is no game
// to run the script, and going on would only hide the mistake.
const ScriptHookBridge& Bridge() {
    static const ScriptHookBridge* bridge = [] {
        const auto getter =
            reinterpret_cast<sim::windows::ScriptHookBridgeGetter>(reinterpret_cast<void*>(
                GetProcAddress(GetModuleHandleW(nullptr), sim::windows::kScriptHookBridgeExport)));
        if (getter == nullptr || getter() == nullptr) {
            std::fputs("stand-in ScriptHookV.dll: the host program has no game bridge\n", stderr);
            std::fflush(stderr);
            ExitProcess(3);
        }
        return getter();
    }();
    return *bridge;
}

} // namespace

extern "C" {

void StandInScriptRegister(HMODULE module, void (*entry)()) {
    Bridge().scriptRegister(module, entry);
}
void StandInScriptUnregister(HMODULE module) { Bridge().scriptUnregister(module); }
void StandInScriptWait(DWORD ms) { Bridge().scriptWait(ms); }
void StandInNativeInit(std::uint64_t hash) { Bridge().nativeInit(hash); }
void StandInNativePush64(std::uint64_t value) { Bridge().nativePush64(value); }
std::uint64_t* StandInNativeCall() { return Bridge().nativeCall(); }
int StandInGetGameVersion() { return Bridge().getGameVersion(); }
}
