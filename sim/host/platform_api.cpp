// The Windows functions the module imports, supplied by the simulated game
// under their Windows names for the host build.

#include "platform/platform.h"

#include "sim/file_calls.h"
#include "sim/keyboard_layouts.h"
#include "sim/platform_calls.h"
#include "sim/window_calls.h"

extern "C" {

DWORD GetTickCount() { return sim::platform::TickCount(); }

SHORT GetAsyncKeyState(int vKey) { return sim::platform::AsyncKeyState(vKey); }

DWORD XInputGetState(DWORD dwUserIndex, XINPUT_STATE* pState) {
    return sim::platform::PadState(dwUserIndex, pState);
}

UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName) {
    return sim::platform::ProfileInt(lpAppName, lpKeyName, nDefault, lpFileName);
}

DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                               LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
    return sim::platform::ProfileString(lpAppName, lpKeyName, lpDefault, lpReturnedString, nSize,
                                        lpFileName);
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

DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
    return sim::platform::ModuleFileName(hModule, lpFilename, nSize);
}

DWORD GetFullPathNameW(LPCWSTR lpFileName, DWORD nBufferLength, LPWSTR lpBuffer,
                       LPWSTR* lpFilePart) {
    if (lpFilePart != nullptr) {
        *lpFilePart = nullptr;
    }
    return sim::platform::FullPathName(lpFileName, nBufferLength, lpBuffer);
}

DWORD GetFileAttributesA(LPCSTR lpFileName) { return sim::platform::FileAttributes(lpFileName); }

HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/, DWORD dwCreationDisposition,
                   DWORD /*dwFlagsAndAttributes*/, HANDLE /*hTemplateFile*/) {
    return sim::platform::FileCreate(lpFileName, dwDesiredAccess, dwShareMode,
                                     dwCreationDisposition);
}

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCCH lpDefaultChar,
                        LPBOOL lpUsedDefaultChar) {
    return sim::platform::WideToUtf8(CodePage, dwFlags, lpWideCharStr, cchWideChar, lpMultiByteStr,
                                     cbMultiByte,
                                     lpDefaultChar != nullptr || lpUsedDefaultChar != nullptr);
}

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar) {
    return sim::platform::Utf8ToWide(CodePage, dwFlags, lpMultiByteStr, cbMultiByte, lpWideCharStr,
                                     cchWideChar);
}

UINT MapVirtualKeyW(UINT uCode, UINT uMapType) {
    return sim::platform::ScanCodeOfKey(uCode, uMapType);
}

int GetKeyNameTextW(LONG lParam, LPWSTR lpString, int cchSize) {
    return sim::platform::KeyNameText(lParam, lpString, cchSize);
}

DWORD CharUpperBuffW(LPWSTR lpsz, DWORD cchLength) {
    return sim::platform::UpperCase(lpsz, cchLength);
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED /*lpOverlapped*/) {
    return sim::platform::FileWrite(hFile, lpBuffer, nNumberOfBytesToWrite, lpNumberOfBytesWritten)
               ? TRUE
               : FALSE;
}

BOOL CloseHandle(HANDLE hObject) { return sim::platform::FileClose(hObject) ? TRUE : FALSE; }

HWND GetForegroundWindow() { return static_cast<HWND>(sim::platform::ForegroundWindow()); }

DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
    return sim::platform::WindowThreadProcessId(hWnd, lpdwProcessId, sim::platform::kGameProcessId);
}

DWORD GetCurrentProcessId() { return sim::platform::CurrentProcessId(); }

HRSRC FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
    return static_cast<HRSRC>(sim::platform::FindWaveResource(hModule, lpName, lpType));
}

HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo) {
    return sim::platform::LoadWaveResource(hModule, hResInfo);
}

LPVOID LockResource(HGLOBAL hResData) { return sim::platform::LockWaveResource(hResData); }

DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo) {
    return sim::platform::WaveResourceSize(hModule, hResInfo);
}
}
