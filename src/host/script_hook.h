#pragma once
// The five functions that ScriptHookV.dll exports to scripts. They are
// declared here with plain C names; the import library built from
// ScriptHookV.def binds each plain name to the DLL's decorated export.

#include "platform/platform.h"

#include <cstdint>

extern "C" {
void scriptRegister(HMODULE module, void (*entry)());
void scriptWait(DWORD milliseconds);
void nativeInit(std::uint64_t hash);
void nativePush64(std::uint64_t value);
std::uint64_t* nativeCall();
}
