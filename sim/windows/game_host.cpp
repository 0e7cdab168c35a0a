#include "sim/windows/game_host.h"

#include <mmsystem.h>
#include <xinput.h>
// mmsystem.h maps PlaySound to PlaySoundA; the game's own PlaySound is meant.
#undef PlaySound

#include "sim/game.h"
#include "sim/platform_calls.h"
#include "sim/sound_resources.h"
#include "sim/window_calls.h"
#include "sim/windows/script_hook_bridge.h"

#include <cstring>
#include <optional>

namespace sim::windows {

namespace {

// The file name the loader gives the module; scriptRegister is expected
// from that image and from no other.
constexpr const wchar_t* kModuleFileName = L"Veloxan.asi";

void BridgeRegister(void* module, void (*entry)()) {
    HMODULE expected = GetModuleHandleW(kModuleFileName);
    HMODULE holder = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(entry)), &holder);
    if (expected == nullptr) {
        Fault("scriptRegister from an image that is not Veloxan.asi");
    } else if (holder != expected) {
        Fault("scriptRegister with an entry outside Veloxan.asi");
    }
    SetModuleHandle(expected);
    RegisterScript(module, entry);
}

// At the module's unload by FreeLibrary, while its image is still mapped.
void BridgeUnregister(void* module) {
    if (module != GetModuleHandleW(kModuleFileName)) {
        Fault("scriptUnregister with a handle that is not Veloxan.asi's");
    }
    UnregisterScript(module);
}

const ScriptHookBridge kBridge = {BridgeRegister, BridgeUnregister, ScriptWait, NativeInit,
                                  NativePush,     NativeCall,       GameVersion};

DWORD WINAPI GameGetTickCount() { return platform::TickCount(); }

SHORT WINAPI GameGetAsyncKeyState(int vKey) { return platform::AsyncKeyState(vKey); }

DWORD WINAPI GameXInputGetState(DWORD userIndex, XINPUT_STATE* state) {
    return platform::PadState(userIndex, state);
}

HWND WINAPI GameGetForegroundWindow() { return static_cast<HWND>(platform::ForegroundWindow()); }

// The game's own window belongs to this process, as the module's own
// GetCurrentProcessId (not redirected) answers.
DWORD WINAPI GameGetWindowThreadProcessId(HWND window, DWORD* processId) {
    std::uint32_t owner = 0;
    const std::uint32_t thread =
        platform::WindowThreadProcessId(window, &owner, GetCurrentProcessId());
    if (processId != nullptr) {
        *processId = owner;
    }
    return thread;
}

// The sound thread of Windows, as far as the module can tell: from the
// PlaySoundA that starts a sound until the sound ends, is stopped or is
// replaced, it reads the image it was given where it lies (the module's
// memory, or its mapped resource), one frame's share at a time. Memory that
// is no longer readable, or bytes that changed since the call, are faults.
struct Playback {
    const unsigned char* image = nullptr;
    std::vector<unsigned char> atCall; // the image as it was when it started
    std::uint32_t startTick = 0;
    std::uint32_t durationMs = 0;
    std::size_t read = 0;
};
std::optional<Playback> playback;
std::uint64_t bytesRead = 0;

bool Readable(const unsigned char* at, std::size_t length) {
    const unsigned char* const end = at + length;
    while (at < end) {
        MEMORY_BASIC_INFORMATION region = {};
        if (VirtualQuery(at, &region, sizeof region) == 0 || region.State != MEM_COMMIT ||
            (region.Protect & (PAGE_NOACCESS | PAGE_GUARD)) != 0) {
            return false;
        }
        at = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize;
    }
    return true;
}

// After every frame, while the module's scripts may be gone.
void ReadPlayingSound() {
    if (!playback) {
        return;
    }
    Playback& p = *playback;
    const std::uint32_t elapsed = game().tick - p.startTick;
    const std::size_t size = p.atCall.size();
    const std::size_t due =
        elapsed >= p.durationMs ? size : size * std::size_t{elapsed} / p.durationMs;
    if (due > p.read) {
        if (!Readable(p.image + p.read, due - p.read)) {
            Fault("the sound thread reads the playing sound from memory that is no longer mapped");
            playback.reset();
            return;
        }
        if (std::memcmp(p.image + p.read, p.atCall.data() + p.read, due - p.read) != 0) {
            Fault("the bytes of the playing sound changed while it played");
        }
        bytesRead += due - p.read;
        p.read = due;
    }
    if (p.read == size) {
        playback.reset();
    }
}

// The image a started sound plays: the memory it names, or the resource as
// PlaySound locks it in the module.
void StartPlayback(LPCSTR sound, HMODULE module, DWORD flags, const SoundPlay& play) {
    const unsigned char* image = nullptr;
    std::size_t size = 0;
    if ((flags & SND_RESOURCE) == SND_RESOURCE) {
        HRSRC info = FindResourceA(module, sound, "WAVE");
        image = info != nullptr
                    ? static_cast<const unsigned char*>(LockResource(LoadResource(module, info)))
                    : nullptr;
        size = info != nullptr ? SizeofResource(module, info) : 0;
    } else {
        image = reinterpret_cast<const unsigned char*>(sound);
        size = play.waveBytes;
    }
    if (image == nullptr || size == 0) {
        return;
    }
    playback = Playback{image, std::vector<unsigned char>(image, image + size), play.tick,
                        play.durationMs, 0};
}

// PlaySound finds a resource sound with FindResource in the module it is
// given, under the type "WAVE"; the game hears nothing when that fails.
BOOL WINAPI GamePlaySoundA(LPCSTR sound, HMODULE module, DWORD flags) {
    if ((flags & SND_RESOURCE) == SND_RESOURCE && IS_INTRESOURCE(sound) && module != nullptr &&
        FindResourceA(module, sound, "WAVE") == nullptr) {
        Fault("PlaySoundA: FindResource finds no WAVE resource " +
              std::to_string(reinterpret_cast<std::uintptr_t>(sound)) + " in the module");
    }
    const std::size_t before = game().sounds.size();
    const bool played = platform::PlaySound(sound, module, flags);
    // The stop, or a new sound, ends the one playing.
    if (sound == nullptr || game().sounds.size() != before) {
        playback.reset();
    }
    if (played && game().sounds.size() != before) {
        StartPlayback(sound, module, flags, game().sounds.back());
    }
    return played ? TRUE : FALSE;
}

bool ReadWaveFromModule(std::uint32_t id, std::vector<std::uint8_t>& bytes) {
    const std::vector<unsigned char> found = WaveResource(static_cast<HMODULE>(ModuleHandle()), id);
    bytes.assign(found.begin(), found.end());
    return !found.empty();
}

std::string LastError(const char* what, const std::filesystem::path& path) {
    const DWORD code = GetLastError();
    const std::u8string name = path.u8string();
    return std::string(what) + " " + std::string(name.begin(), name.end()) + " failed with error " +
           std::to_string(code);
}

} // namespace

std::vector<unsigned char> WaveResource(HMODULE module, unsigned id) {
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), "WAVE");
    if (info == nullptr) {
        return {};
    }
    HGLOBAL loaded = LoadResource(module, info);
    const DWORD size = SizeofResource(module, info);
    const auto* data = static_cast<const unsigned char*>(LockResource(loaded));
    if (data == nullptr || size == 0) {
        return {};
    }
    return std::vector<unsigned char>(data, data + size);
}

std::vector<std::string> PatchImport(HMODULE image, const char* function, void* replacement) {
    std::vector<std::string> changed;
    auto* base = reinterpret_cast<BYTE*>(image);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) {
        return changed;
    }
    for (auto* descriptor =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         descriptor->Name != 0; ++descriptor) {
        // The name table stays as linked; the address table holds what the
        // loader bound.
        const DWORD namesRva = descriptor->OriginalFirstThunk != 0 ? descriptor->OriginalFirstThunk
                                                                   : descriptor->FirstThunk;
        const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA64*>(base + namesRva);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA64*>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL64(names->u1.Ordinal)) {
                continue;
            }
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) {
                continue;
            }
            DWORD previous = 0;
            if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                                &previous)) {
                continue;
            }
            slots->u1.Function = reinterpret_cast<ULONGLONG>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, previous, &previous);
            changed.push_back(std::string(reinterpret_cast<const char*>(base + descriptor->Name)) +
                              "!" + function);
        }
    }
    return changed;
}

bool LoadGame(const std::string& standInPath, const std::filesystem::path& modulePath,
              LoadedGame& game, std::string& error) {
    playback.reset();
    bytesRead = 0;
    sim::game().onFrameEnd = ReadPlayingSound;
    game.standIn = LoadLibraryA(standInPath.c_str());
    if (game.standIn == nullptr) {
        error = LastError("LoadLibrary", standInPath);
        return false;
    }
    return LoadModule(modulePath, game, error);
}

bool LoadModule(const std::filesystem::path& modulePath, LoadedGame& game, std::string& error) {
    game.patched.clear();
    // The module's DllMain registers during this call.
    game.module = LoadLibraryW(modulePath.c_str());
    if (game.module == nullptr) {
        error = LastError("LoadLibrary", modulePath);
        return false;
    }
    if (game.module != ModuleHandle()) {
        Fault("the module did not register itself while it was loaded");
    }
    sounds::SetResourceSource(ReadWaveFromModule);

    const struct {
        const char* function;
        void* replacement;
    } redirects[] = {
        {"GetTickCount", reinterpret_cast<void*>(GameGetTickCount)},
        {"GetAsyncKeyState", reinterpret_cast<void*>(GameGetAsyncKeyState)},
        {"XInputGetState", reinterpret_cast<void*>(GameXInputGetState)},
        {"PlaySoundA", reinterpret_cast<void*>(GamePlaySoundA)},
        {"GetForegroundWindow", reinterpret_cast<void*>(GameGetForegroundWindow)},
        {"GetWindowThreadProcessId", reinterpret_cast<void*>(GameGetWindowThreadProcessId)},
    };
    for (const auto& redirect : redirects) {
        for (std::string& slot :
             PatchImport(game.module, redirect.function, redirect.replacement)) {
            game.patched.push_back(std::move(slot));
        }
    }
    return true;
}

bool UnloadModule(LoadedGame& game) {
    if (game.module == nullptr) {
        return false;
    }
    const bool ok = FreeLibrary(game.module) != FALSE;
    game.module = nullptr;
    return ok;
}

std::uint64_t SoundBytesRead() { return bytesRead; }

bool SoundPlaying() { return playback.has_value(); }

} // namespace sim::windows

extern "C" __declspec(
    dllexport) const sim::windows::ScriptHookBridge* VeloxanGameScriptHookBridge() {
    return &sim::windows::kBridge;
}
