#pragma once
// The Windows game host: loads the stand-in ScriptHookV.dll and then the real
// Veloxan.asi with the Windows loader, lets the module register from its own
// DllMain, and points the module's imports of the clock, the keyboard, the
// gamepad, the sound player and the foreground window at the simulated game.
// The profile and file functions stay the real ones. The product is not
// changed: only the loaded image's import address table is.

#include <windows.h>
// winbase.h still defines the 16-bit Yield() as a macro; the script
// context's Yield is ours.
#undef Yield

#include <filesystem>
#include <string>
#include <vector>

namespace sim::windows {

struct LoadedGame {
    HMODULE standIn = nullptr;
    HMODULE module = nullptr;
    // "DLL!function" of every import slot that now leads into the game.
    std::vector<std::string> patched;
};

// Loads both images by path. From then on, after every frame, the stand-in
// for the sound thread reads what the module's sound plays (see below). The module must register
// during its load; its imports are then patched. False, with the reason in `error`, when an image
// does not load; a missing import is not an error here (the module may not
// use that function yet), the caller sees it in `patched`.
// The module's path may name a folder in any script.
bool LoadGame(const std::string& standInPath, const std::filesystem::path& modulePath,
              LoadedGame& game, std::string& error);

// Loads the module alone, as ScriptHookV does again after an unload, and
// patches the imports of the new image.
bool LoadModule(const std::filesystem::path& modulePath, LoadedGame& game, std::string& error);

// Unloads the module as the game does at exit, or as ScriptHookV's reload
// does: its DllMain unregisters the script, its static objects are destroyed.
bool UnloadModule(LoadedGame& game);

// Replaces every import of `function` (from any DLL) in the loaded image by
// `replacement`; returns "DLL!function" for each slot it changed.
std::vector<std::string> PatchImport(HMODULE image, const char* function, void* replacement);

// The module's WAVE resource `id`, language-neutral lookup as PlaySound does
// it; empty when there is none.
std::vector<unsigned char> WaveResource(HMODULE module, unsigned id);

// The stand-in for the sound thread of Windows: from the PlaySoundA that
// starts a sound until it ends, is stopped or is replaced, it reads a frame's
// share of the image the module gave (or of the resource it named) after
// every frame, even after the module is unloaded. Memory that is no longer
// readable, or bytes that changed while they played, are game faults.
// Bytes read since the game was loaded, and whether a sound is being read.
std::uint64_t SoundBytesRead();
bool SoundPlaying();

} // namespace sim::windows
