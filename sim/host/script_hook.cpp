// ScriptHookV's exports as the host build's module sees them.

#include "game/script_hook.h"

#include "sim/game.h"

extern "C" {

void scriptRegister(HMODULE module, void (*entry)()) { sim::RegisterScript(module, entry); }
void scriptUnregister(HMODULE module) { sim::UnregisterScript(module); }
void scriptWait(DWORD milliseconds) { sim::ScriptWait(milliseconds); }
void nativeInit(std::uint64_t hash) { sim::NativeInit(hash); }
void nativePush64(std::uint64_t value) { sim::NativePush(value); }
std::uint64_t* nativeCall() { return sim::NativeCall(); }
int getGameVersion() { return sim::GameVersion(); }
}
