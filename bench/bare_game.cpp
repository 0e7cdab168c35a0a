#include "bench/bare_game.h"

#include "game/natives.h"
#include "game/script_hook.h"

#include <fcntl.h>
#include <unistd.h>

#include <bit>
#include <cstdint>
#include <cstring>

namespace bare {

World world;
std::uint64_t nativeCalls = 0;
std::uint64_t platformCalls = 0;

namespace {

std::uint64_t nativeHash = 0;
// What a native answers: the first slot, or zeros. Three slots, as a vector
// result needs.
std::uint64_t nativeResult[3] = {};

template <typename T>
T Counted(T answer) {
    ++platformCalls;
    return answer;
}

// A jump on the low six bits of the hash, then one comparison: cheaper than a
// search among the full hashes. Two answered natives sharing those bits would
// be two equal case labels, which does not compile.
constexpr std::uint64_t Slot(std::uint64_t hash) { return hash & 63u; }

std::uint64_t Answer(std::uint64_t hash) {
    const auto is = [hash](const auto& native) { return hash == native.hash; };
    switch (Slot(hash)) {
    case Slot(native::PLAYER_PED_ID.hash):
        return is(native::PLAYER_PED_ID) ? static_cast<std::uint32_t>(world.playerPed) : 0u;
    case Slot(native::GET_VEHICLE_PED_IS_USING.hash):
        return is(native::GET_VEHICLE_PED_IS_USING) && world.inVehicle
                   ? static_cast<std::uint32_t>(world.vehicle)
                   : 0u;
    case Slot(native::IS_PED_IN_VEHICLE.hash):
        return is(native::IS_PED_IN_VEHICLE) && world.inVehicle ? 1u : 0u;
    case Slot(native::IS_VEHICLE_DRIVEABLE.hash):
        return is(native::IS_VEHICLE_DRIVEABLE) ? 1u : 0u;
    case Slot(native::GET_ENTITY_SPEED.hash):
        return is(native::GET_ENTITY_SPEED) ? std::bit_cast<std::uint32_t>(world.speed) : 0u;
    case Slot(native::IS_PAUSE_MENU_ACTIVE.hash):
        return is(native::IS_PAUSE_MENU_ACTIVE) && world.paused ? 1u : 0u;
    // The player plays and has the controls: the game is never busy here.
    case Slot(native::IS_PLAYER_PLAYING.hash):
        return is(native::IS_PLAYER_PLAYING) ? 1u : 0u;
    case Slot(native::IS_PLAYER_CONTROL_ON.hash):
        return is(native::IS_PLAYER_CONTROL_ON) ? 1u : 0u;
    case Slot(native::GET_PROFILE_SETTING.hash):
        return is(native::GET_PROFILE_SETTING) ? static_cast<std::uint32_t>(world.sfxLevel) : 0u;
    case Slot(native::IS_USING_KEYBOARD_AND_MOUSE.hash):
        return is(native::IS_USING_KEYBOARD_AND_MOUSE) && world.usingKeyboard ? 1u : 0u;
    default:
        // No flame exists, no asset is loaded, nothing collided: the most
        // work the module does for these.
        return 0u;
    }
}

UINT Profile(LPCSTR key, INT fallback) {
    if (std::strcmp(key, "KEY_PC_MENU") == 0) {
        return static_cast<UINT>(world.profileMenuKey);
    }
    return std::strcmp(key, "SFX_volume") == 0 ? static_cast<UINT>(world.profileVolume)
                                               : static_cast<UINT>(fallback);
}

// Every WAVE resource is this short image: 16-bit stereo PCM, two frames.
constexpr unsigned char kWave[] = {
    'R', 'I', 'F', 'F', 46, 0,    0,    0, 'W',  'A',  'V',  'E',  'f',  'm',  't',  ' ', 18, 0, 0,
    0,   1,   0,   2,   0,  0x44, 0xAC, 0, 0,    0x10, 0xB1, 2,    0,    4,    0,    16,  0,  0, 0,
    'd', 'a', 't', 'a', 8,  0,    0,    0, 0x10, 0x27, 0xF0, 0xD8, 0x88, 0x13, 0x78, 0xEC};
HRSRC__ waveResources[3]{};

// The resource of a WAVE ID, 106 to 108; the first for any other name.
std::size_t WaveIndex(LPCSTR name) {
    const auto id = reinterpret_cast<std::uintptr_t>(name);
    return id >= 106 && id <= 108 ? id - 106 : 0;
}

std::size_t WaveIndex(const void* resource) {
    return static_cast<std::size_t>(static_cast<const HRSRC__*>(resource) - waveResources);
}

LPVOID WaveBytes(const void* resource) {
    const unsigned char* wave = world.waves[WaveIndex(resource)];
    return const_cast<unsigned char*>(wave != nullptr ? wave : kWave);
}

DWORD WaveSize(const void* resource) {
    const std::size_t index = WaveIndex(resource);
    return world.waves[index] != nullptr ? world.waveSizes[index] : DWORD{sizeof kWave};
}

// Only "down now" (bit 15), as a key held since the last poll reads.
SHORT KeyState(int vKey) { return static_cast<SHORT>(world.keyDown[vKey & 0xFF] ? 0x8000 : 0); }

DWORD PadState(DWORD index, XINPUT_STATE* state) {
    if (index != 0 || !world.padConnected) {
        return ERROR_DEVICE_NOT_CONNECTED;
    }
    state->Gamepad.wButtons = world.padButtons;
    return ERROR_SUCCESS;
}

// The module asks with the address of its own code; no module is loaded here.
BOOL OwnModule(HMODULE* module) {
    if (module == nullptr) {
        return FALSE;
    }
    *module = nullptr;
    return TRUE;
}

// The folder's path as it is, in UTF-16 units: the bench names an ASCII one.
DWORD ModuleFileName(LPWSTR name, DWORD size) {
    if (world.moduleFolder == nullptr || name == nullptr || size == 0) {
        return 0;
    }
    const std::size_t folder = std::strlen(world.moduleFolder);
    constexpr char kFile[] = "/Veloxan.asi";
    if (folder + sizeof kFile > size) {
        return 0;
    }
    for (std::size_t k = 0; k < folder; ++k) {
        name[k] = static_cast<WCHAR>(world.moduleFolder[k]);
    }
    for (std::size_t k = 0; k < sizeof kFile; ++k) {
        name[folder + k] = static_cast<WCHAR>(kFile[k]);
    }
    return static_cast<DWORD>(folder + sizeof kFile - 1);
}

// A POSIX file descriptor serves as the handle: never -1, the invalid handle.
HANDLE OpenPosix(const char* path, DWORD access, DWORD disposition) {
    const int flags = O_WRONLY | O_CREAT | (disposition == CREATE_ALWAYS ? O_TRUNC : 0) |
                      (access == FILE_APPEND_DATA ? O_APPEND : 0);
    const int fd = open(path, flags, 0644);
    return fd < 0 ? INVALID_HANDLE_VALUE : reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(fd));
}

// Back to the bytes of an ASCII path for open().
HANDLE OpenFile(LPCWSTR path, DWORD access, DWORD disposition) {
    char name[MAX_PATH] = {};
    for (std::size_t k = 0; k + 1 < sizeof name && path[k] != 0; ++k) {
        name[k] = static_cast<char>(path[k]);
    }
    return OpenPosix(name, access, disposition);
}

int Descriptor(HANDLE file) { return static_cast<int>(reinterpret_cast<std::intptr_t>(file)); }

BOOL Write(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written) {
    const ssize_t done = write(Descriptor(file), bytes, count);
    if (written != nullptr) {
        *written = done > 0 ? static_cast<DWORD>(done) : 0;
    }
    return done == static_cast<ssize_t>(count) ? TRUE : FALSE;
}

} // namespace

} // namespace bare

using bare::Counted;
using bare::world;

// One line per function. A platform function the module starts to use needs
// its line here, or the bare builds (benchmark, callgrind, allocation test)
// fail to link.
extern "C" {
DWORD GetTickCount() { return Counted(world.tick); }
SHORT GetAsyncKeyState(int vKey) { return Counted(bare::KeyState(vKey)); }
DWORD XInputGetState(DWORD i, XINPUT_STATE* s) { return Counted(bare::PadState(i, s)); }
UINT GetPrivateProfileIntA(LPCSTR, LPCSTR k, INT d, LPCSTR) { return Counted(bare::Profile(k, d)); }
// Every value is a number here: no text to give.
DWORD GetPrivateProfileStringA(LPCSTR, LPCSTR, LPCSTR, LPSTR s, DWORD, LPCSTR) {
    *s = '\0';
    return Counted(DWORD{0});
}
BOOL WritePrivateProfileStringA(LPCSTR, LPCSTR, LPCSTR, LPCSTR) { return Counted(TRUE); }
BOOL PlaySoundA(LPCSTR, HMODULE, DWORD) { return Counted(TRUE); }
BOOL GetModuleHandleExW(DWORD, LPCWSTR, HMODULE* m) { return Counted(bare::OwnModule(m)); }
// The game is always in the foreground here.
HWND GetForegroundWindow() { return Counted(reinterpret_cast<HWND>(&world)); }
DWORD GetWindowThreadProcessId(HWND, LPDWORD pid) {
    if (pid != nullptr) {
        *pid = 1;
    }
    return Counted(DWORD{1});
}
DWORD GetCurrentProcessId() { return Counted(DWORD{1}); }
DWORD GetModuleFileNameW(HMODULE, LPWSTR n, DWORD s) { return Counted(bare::ModuleFileName(n, s)); }
DWORD GetFullPathNameW(LPCWSTR, DWORD, LPWSTR, LPWSTR*) { return Counted(DWORD{0}); }
HRSRC FindResourceA(HMODULE, LPCSTR n, LPCSTR) {
    return Counted(&bare::waveResources[bare::WaveIndex(n)]);
}
HGLOBAL LoadResource(HMODULE, HRSRC r) { return Counted(static_cast<HGLOBAL>(r)); }
LPVOID LockResource(HGLOBAL r) { return Counted(bare::WaveBytes(r)); }
DWORD SizeofResource(HMODULE, HRSRC r) { return Counted(bare::WaveSize(r)); }
DWORD GetFileAttributesA(LPCSTR) { return Counted(INVALID_FILE_ATTRIBUTES); }
HANDLE CreateFileW(LPCWSTR p, DWORD a, DWORD, LPSECURITY_ATTRIBUTES, DWORD d, DWORD, HANDLE) {
    return Counted(bare::OpenFile(p, a, d));
}
// A path is logged as "?": the text of a line is not what is measured.
int WideCharToMultiByte(UINT, DWORD, LPCWSTR, int, LPSTR, int, LPCCH, LPBOOL) { return Counted(0); }
int MultiByteToWideChar(UINT, DWORD, LPCCH, int, LPWSTR, int) { return Counted(0); }
// No layout: keys go by the module's own names.
UINT MapVirtualKeyW(UINT, UINT) { return Counted(UINT{0}); }
int GetKeyNameTextW(LONG, LPWSTR, int) { return Counted(0); }
DWORD CharUpperBuffW(LPWSTR, DWORD n) { return Counted(n); }
BOOL WriteFile(HANDLE f, LPCVOID b, DWORD n, LPDWORD w, LPOVERLAPPED) {
    return Counted(bare::Write(f, b, n, w));
}
BOOL CloseHandle(HANDLE f) { return Counted(close(bare::Descriptor(f)) == 0 ? TRUE : FALSE); }

// ScriptHookV. A wait returns at once: there is no game to run meanwhile.
void scriptRegister(HMODULE, void (*)()) {}
void scriptUnregister(HMODULE) {}
int getGameVersion() { return 0; }
void scriptWait(DWORD) {}
void nativeInit(std::uint64_t hash) { bare::nativeHash = hash; }
void nativePush64(std::uint64_t) {}
std::uint64_t* nativeCall() {
    ++bare::nativeCalls;
    bare::nativeResult[0] = bare::Answer(bare::nativeHash);
    return bare::nativeResult;
}
}
