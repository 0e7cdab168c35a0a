// The Windows functions the module imports, supplied by the simulated game
// under their Windows names for the host build.

#include "platform/platform.h"

#include "sim/platform_calls.h"

extern "C" {

DWORD GetTickCount() { return sim::platform::TickCount(); }

SHORT GetAsyncKeyState(int vKey) { return sim::platform::AsyncKeyState(vKey); }

DWORD XInputGetState(DWORD dwUserIndex, XINPUT_STATE* pState) {
    return sim::platform::PadState(dwUserIndex, pState);
}

UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName) {
    return sim::platform::ProfileInt(lpAppName, lpKeyName, nDefault, lpFileName);
}

BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                LPCSTR lpFileName) {
    return sim::platform::WriteProfileString(lpAppName, lpKeyName, lpString, lpFileName) ? TRUE
                                                                                         : FALSE;
}

BOOL PlaySoundA(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound) {
    return sim::platform::PlaySound(pszSound, hmod, fdwSound) ? TRUE : FALSE;
}

BOOL GetModuleHandleExW(DWORD dwFlags, LPCWSTR lpModuleName, HMODULE* phModule) {
    void* module = phModule != nullptr ? *phModule : nullptr;
    const bool ok = sim::platform::ModuleHandleFromAddress(dwFlags, lpModuleName,
                                                           phModule != nullptr ? &module : nullptr);
    if (phModule != nullptr) {
        *phModule = static_cast<HMODULE>(module);
    }
    return ok ? TRUE : FALSE;
}
}
