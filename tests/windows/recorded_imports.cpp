#include "recorded_imports.h"

// game_host.h first: it takes back the Yield macro of the Windows headers.
#include "sim/windows/game_host.h"

#include "sim/game.h"

#include <cstdint>

namespace scenario {

namespace {

// A resource named by its number shows the number; by text, 0.
sim::Value ResourceNumber(LPCSTR name) {
    return sim::IntValue(IS_INTRESOURCE(name)
                             ? static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(name))
                             : 0);
}

UINT WINAPI RecordedGetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT fallback, LPCSTR file) {
    sim::Record(sim::PlatformCall("GetPrivateProfileIntA",
                                  {sim::TextValue(section), sim::TextValue(key),
                                   sim::IntValue(fallback), sim::TextValue(file)}));
    return GetPrivateProfileIntA(section, key, fallback, file);
}

DWORD WINAPI RecordedGetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR fallback,
                                              LPSTR buffer, DWORD size, LPCSTR file) {
    sim::Record(
        sim::PlatformCall("GetPrivateProfileStringA",
                          {sim::TextValue(section), sim::TextValue(key), sim::TextValue(fallback),
                           sim::IntValue(size), sim::TextValue(file)}));
    return GetPrivateProfileStringA(section, key, fallback, buffer, size, file);
}

BOOL WINAPI RecordedWritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value,
                                               LPCSTR file) {
    sim::Record(sim::PlatformCall("WritePrivateProfileStringA",
                                  {sim::TextValue(section), sim::TextValue(key),
                                   sim::TextValue(value), sim::TextValue(file)}));
    return WritePrivateProfileStringA(section, key, value, file);
}

BOOL WINAPI RecordedGetModuleHandleExW(DWORD flags, LPCWSTR name, HMODULE* module) {
    sim::Record(sim::PlatformCall("GetModuleHandleExW", {sim::IntValue(flags)}));
    return GetModuleHandleExW(flags, name, module);
}

HRSRC WINAPI RecordedFindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    sim::Record(sim::PlatformCall(
        "FindResourceA", {ResourceNumber(name),
                          IS_INTRESOURCE(type) ? ResourceNumber(type) : sim::TextValue(type)}));
    return FindResourceA(module, name, type);
}

HGLOBAL WINAPI RecordedLoadResource(HMODULE module, HRSRC info) {
    sim::Record(sim::PlatformCall("LoadResource"));
    return LoadResource(module, info);
}

LPVOID WINAPI RecordedLockResource(HGLOBAL loaded) {
    sim::Record(sim::PlatformCall("LockResource"));
    return LockResource(loaded);
}

DWORD WINAPI RecordedSizeofResource(HMODULE module, HRSRC info) {
    sim::Record(sim::PlatformCall("SizeofResource"));
    return SizeofResource(module, info);
}

// The keys' names: the layout wine has, in wine's words.
UINT WINAPI RecordedMapVirtualKeyW(UINT code, UINT mapType) {
    sim::Record(sim::PlatformCall("MapVirtualKeyW", {sim::IntValue(code), sim::IntValue(mapType)}));
    return MapVirtualKeyW(code, mapType);
}

int WINAPI RecordedGetKeyNameTextW(LONG key, LPWSTR name, int size) {
    sim::Record(sim::PlatformCall("GetKeyNameTextW", {sim::IntValue(key), sim::IntValue(size)}));
    return GetKeyNameTextW(key, name, size);
}

DWORD WINAPI RecordedCharUpperBuffW(LPWSTR text, DWORD length) {
    sim::Record(sim::PlatformCall("CharUpperBuffW", {sim::IntValue(length)}));
    return CharUpperBuffW(text, length);
}

} // namespace

void RecordWindowsImports(HMODULE module) {
    const struct {
        const char* function;
        void* recorder;
    } recorders[] = {
        {"GetPrivateProfileIntA", reinterpret_cast<void*>(RecordedGetPrivateProfileIntA)},
        {"GetPrivateProfileStringA", reinterpret_cast<void*>(RecordedGetPrivateProfileStringA)},
        {"WritePrivateProfileStringA", reinterpret_cast<void*>(RecordedWritePrivateProfileStringA)},
        {"GetModuleHandleExW", reinterpret_cast<void*>(RecordedGetModuleHandleExW)},
        {"FindResourceA", reinterpret_cast<void*>(RecordedFindResourceA)},
        {"LoadResource", reinterpret_cast<void*>(RecordedLoadResource)},
        {"LockResource", reinterpret_cast<void*>(RecordedLockResource)},
        {"SizeofResource", reinterpret_cast<void*>(RecordedSizeofResource)},
        {"MapVirtualKeyW", reinterpret_cast<void*>(RecordedMapVirtualKeyW)},
        {"GetKeyNameTextW", reinterpret_cast<void*>(RecordedGetKeyNameTextW)},
        {"CharUpperBuffW", reinterpret_cast<void*>(RecordedCharUpperBuffW)},
    };
    for (const auto& r : recorders) {
        sim::windows::PatchImport(module, r.function, r.recorder);
    }
}

} // namespace scenario
