#pragma once
// What every wine scenario shares: a fresh game folder as the current
// directory, holding a copy of the real Veloxan.asi as a player installs it,
// the simulated game with the stand-in ScriptHookV.dll and that module loaded
// into this process, and a small record of failed checks.
// A scenario runs in a process of its own, so the module starts from a fresh
// load each time.

#include "sim/game.h"
#include "sim/windows/game_host.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace scenario {

struct Paths {
    std::string standIn;    // the stand-in ScriptHookV.dll
    std::string module;     // the built Veloxan.asi
    std::string releaseIni; // the Veloxan.ini that the release package ships
};

// A check that the scenario relies on; a failed one makes the process fail.
void Expect(bool ok, const std::string& what);
int FailureCount();

class Session {
public:
    // The game folder is a fresh folder in the temporary folder; its name
    // ends in `folderName` (UTF-8) when one is given.
    explicit Session(const Paths& paths, const std::string& folderName = "");
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The game folder's INI file, before or after the module ran.
    void WriteIni(const std::string& text);
    std::string ReadIni() const;
    bool IniExists() const;
    std::string ReleaseIni() const;

    // Loads both images (DllMain registers), then ScriptHookV starts the
    // script: the first frame runs ScriptMain's start-up and the main loop's
    // first pass. False when the images could not be loaded.
    bool Boot();
    // Runs after the images are loaded and before the script starts, e.g. to
    // patch more of the module's imports.
    std::function<void(HMODULE module)> beforeStart;

    // ScriptHookV's reload: FreeLibrary, then LoadLibrary of the same file
    // and, on the next frame, a start of the script it registered.
    bool Unload();
    bool LoadAgain();

    // The module's Veloxan.log in the game folder; empty when there is none.
    std::string ReadLog() const;
    // The game folder, as Windows names it.
    const std::filesystem::path& Folder() const { return folder_; }

    // Holds a key, or pad buttons, from the next frame on.
    void HoldKey(int vk, std::uint64_t frames);
    void HoldButtons(int pad, std::uint16_t mask, std::uint64_t frames);
    void Run(std::uint64_t frames) { sim::RunFrames(frames); }
    bool RunUntil(const std::function<bool()>& done, std::uint64_t maxFrames) {
        return sim::RunUntil(done, maxFrames);
    }

    // The player sits in a new car moving at `speed` m/s; returns its handle.
    std::int32_t DriveCar(float speed);

    // Frames in [from, to] in which the module asked for this key's state.
    std::vector<std::uint64_t> FramesPolling(int vk, std::uint64_t from, std::uint64_t to) const;
    // Texts the module posted to the feed, oldest first.
    std::vector<std::string> FeedTexts() const;
    bool Posted(const std::string& text) const;
    // Texts drawn in a frame, in drawing order.
    std::vector<std::string> DrawnTexts(std::uint64_t frame) const;

    sim::Game& game = sim::game();
    sim::windows::LoadedGame loaded;

private:
    Paths paths_;
    std::filesystem::path folder_;
};

// Virtual-key codes and pad buttons the scenarios use.
inline constexpr int kKeyT = 0x54;
inline constexpr int kKeyH = 0x48;
inline constexpr int kKeyShift = 0x10;
inline constexpr int kNumpad0 = 0x60;
inline constexpr int kNumpad2 = 0x62;
inline constexpr int kNumpad4 = 0x64;
inline constexpr int kNumpad5 = 0x65;
inline constexpr int kNumpad6 = 0x66;
inline constexpr int kNumpad8 = 0x68;
inline constexpr std::uint16_t kPadDown = 0x0002;
inline constexpr std::uint16_t kPadA = 0x1000;
inline constexpr std::uint16_t kPadB = 0x2000;

// 16 ms frames: the key wait of 200 ms lets a held key through on every
// 13th frame.
inline constexpr std::uint64_t kFramesPerKeyWait = 13;

} // namespace scenario
