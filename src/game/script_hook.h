#pragma once
// The functions of ScriptHookV.dll that the module imports. They are
// declared here with plain C names; the import library built from
// ScriptHookV.def binds each plain name to the DLL's decorated export.

#include "platform/platform.h"

#include <cstdint>

extern "C" {
void scriptRegister(HMODULE module, void (*entry)());
// Drops every script the module registered; due when FreeLibrary unloads
// the module, so that ScriptHookV never runs a script whose code has been
// unmapped.
void scriptUnregister(HMODULE module);
void scriptWait(DWORD milliseconds);
void nativeInit(std::uint64_t hash);
void nativePush64(std::uint64_t value);
std::uint64_t* nativeCall();
// ScriptHookV's eGameVersion: a whole number that grows with each game
// release it knows.
int getGameVersion();
}
