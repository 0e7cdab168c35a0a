#pragma once
// How the stand-in ScriptHookV.dll reaches the simulated game. The game
// (world, dispatcher, recorder, fibre) lives in the game host program, so
// that tests drive one copy of it; the stand-in exports only ScriptHookV's
// functions and forwards each through this table, which the host program
// exports under kScriptHookBridgeExport.

#include <cstdint>

namespace sim::windows {

struct ScriptHookBridge {
    void (*scriptRegister)(void* module, void (*entry)());
    void (*scriptUnregister)(void* module);
    void (*scriptWait)(std::uint32_t ms);
    void (*nativeInit)(std::uint64_t hash);
    void (*nativePush64)(std::uint64_t value);
    std::uint64_t* (*nativeCall)();
    std::int32_t (*getGameVersion)();
};

inline constexpr const char* kScriptHookBridgeExport = "VeloxanGameScriptHookBridge";
using ScriptHookBridgeGetter = const ScriptHookBridge* (*)();

} // namespace sim::windows
