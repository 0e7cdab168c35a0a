#pragma once
// The simulated game: a stand-in for ScriptHookV and GTA V that runs the
// module's script one pass per frame, answers its natives from a small world
// model, supplies the Windows services it uses (clock, keys, pads, INI files,
// sounds) and records every call for tests and for the simulator's timeline.

#include "sim/types.h"
#include "sim/world.h"

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// The player's keyboard layout: what Windows names its keys
// (sim/keyboard_layouts.h).
enum class KeyboardLayout : std::uint8_t { EnUs, DeDe, FrFr };

// Keys and pad buttons, held by level. A hold covers a range of frames, or a
// range of ticks; a direct Set stays until changed.
struct Input {
    struct KeyHold {
        int vk = 0;
        bool byTick = false;
        std::uint64_t first = 0; // frame or tick
        std::uint64_t count = 0; // frames or milliseconds
    };
    struct ButtonHold {
        int pad = 0;
        std::uint16_t mask = 0;
        std::uint64_t firstFrame = 0;
        std::uint64_t frameCount = 0;
    };
    struct Pad {
        bool connected = false;
        std::uint16_t buttons = 0;
        std::uint32_t packet = 0;
        // The left stick, -1 to 1 each way; y is up.
        float stickX = 0.0f, stickY = 0.0f;
    };

    std::array<bool, 256> keys{};
    // For bit 0 of GetAsyncKeyState: what each key's last query saw, and when.
    std::array<bool, 256> seenDown{};
    std::array<std::uint64_t, 256> lastQueryFrame{};
    std::array<std::uint32_t, 256> lastQueryTick{};
    std::vector<KeyHold> keyHolds;
    std::vector<ButtonHold> buttonHolds;
    std::array<Pad, 4> pads{};
    // A window of the game is the foreground window; false while the player
    // types into another program.
    bool foreground = true;
    // No window at all is in front (the desktop is locked, or focus is
    // passing between windows): GetForegroundWindow answers null.
    bool noWindowInFront = false;
    // The hand of the player's last input, as IS_USING_KEYBOARD_AND_MOUSE
    // answers it: a key going down makes it the keyboard, a pad button going
    // down or a stick moving out of its dead zone the pad. The game starts on
    // the keyboard.
    bool usingKeyboard = true;
    KeyboardLayout keyboard = KeyboardLayout::EnUs;
    std::array<bool, 256> keysLastFrame{};
    std::uint16_t buttonsLastFrame = 0;
    bool stickOutLastFrame = false;

    void SetKey(int vk, bool down) { keys.at(static_cast<std::size_t>(vk) & 0xFF) = down; }
    // Held from frame `firstFrame` for `frameCount` frames.
    void HoldKeyFrames(int vk, std::uint64_t firstFrame, std::uint64_t frameCount);
    // Held from tick `startTick` for `ms` milliseconds (wrap-safe).
    void HoldKeyTicks(int vk, std::uint32_t startTick, std::uint32_t ms);
    void ConnectPad(int index, bool connected = true) {
        pads.at(static_cast<std::size_t>(index)).connected = connected;
    }
    void SetButtons(int index, std::uint16_t mask) {
        pads.at(static_cast<std::size_t>(index)).buttons = mask;
    }
    void HoldButtonsFrames(int index, std::uint16_t mask, std::uint64_t firstFrame,
                           std::uint64_t frameCount);
    void SetStick(int index, float x, float y) {
        pads.at(static_cast<std::size_t>(index)).stickX = x;
        pads.at(static_cast<std::size_t>(index)).stickY = y;
    }
    // The buttons of every connected pad, and the stick of the first that
    // holds one off centre.
    std::uint16_t AllButtons(std::uint64_t frame) const;
    const Pad* StickPad() const;
    // Takes the hand from this frame's input, before the scripts run.
    void UpdateHand(std::uint64_t frame, std::uint32_t tick);

    bool KeyDown(int vk, std::uint64_t frame, std::uint32_t tick) const;
    // True when a hold of the key began after the frame and tick of its last
    // query, up to and including these: a press the module may not have seen.
    bool PressedSince(int vk, std::uint64_t sinceFrame, std::uint32_t sinceTick,
                      std::uint64_t frame, std::uint32_t tick) const;
    std::uint16_t Buttons(int index, std::uint64_t frame) const;
};

// How the script's own execution context is provided: a thread with a strict
// hand-off on the host, a fibre inside the Windows stand-in loader.
class ScriptContext {
public:
    virtual ~ScriptContext() = default;
    virtual void Start(void (*entry)()) = 0; // runs entry until its first wait
    virtual void Resume() = 0;               // runs the script until its next wait
    virtual void Yield() = 0;                // script side: back to the game
    virtual void Stop() = 0;                 // abandons the script where it waits
    virtual bool OnScript() const = 0;       // true on the script's own context
};

std::unique_ptr<ScriptContext> MakeDefaultScriptContext();

struct ScriptState {
    void (*entry)() = nullptr;
    void* module = nullptr;
    int registrations = 0;
    int unregistrations = 0;
    bool pendingStart = false;
    bool running = false;
    int starts = 0;
    std::uint32_t waitMs = 0;
    std::uint32_t waitStartTick = 0;
    std::uint64_t waitFrame = 0;
    std::vector<std::uint32_t> waits; // every scriptWait argument, in order
    // Native call being assembled.
    bool callOpen = false;
    std::uint64_t callHash = 0;
    std::vector<std::uint64_t> callArgs;
    std::array<std::uint64_t, 4> result{};
};

// The game folder as the module sees it: the current directory, the folder
// of Veloxan.asi and of GTA5.exe. Paths in it lead to Options::fileRoot.
inline constexpr const char* kGameFolder = "C:\\Games\\Grand Theft Auto V";

struct Options {
    std::uint32_t startTick = 100000;
    std::uint32_t msPerFrame = 16;
    std::string fileRoot = "."; // directory that ".\\" names
    // What ScriptHookV's getGameVersion answers.
    std::int32_t gameVersion = 63;
    // The folder the loader found Veloxan.asi in, as Windows names it (UTF-8
    // here); a folder under kGameFolder, or one too long for MAX_PATH.
    std::string moduleFolder = kGameFolder;
};

// A file the module opened with CreateFileW.
struct OpenFile {
    std::string path; // host path
    bool open = true;
};

class Game {
public:
    Options options;
    std::uint64_t frame = 0;
    std::uint32_t tick = 0;
    Input input;
    World world;
    ScriptState script;
    std::vector<CallRecord> calls;
    std::vector<SoundPlay> sounds;
    std::vector<std::string> faults;
    bool failIniWrites = false;
    std::vector<OpenFile> files; // by handle, from kFirstFileHandle on
    // Faults of the game and the platform: PlaySoundA answers FALSE and plays
    // nothing; every native answers zeros (its effect on the world stays).
    bool failSounds = false;
    bool zeroNativeResults = false;
    // While set, GET_ENTITY_SPEED answers this for every vehicle, whatever
    // the world holds: a reading no sane game gives (NaN, infinite,
    // negative).
    std::optional<float> speedAnswer;
    std::function<void(const std::string&)> onFault; // besides recording it
    std::function<void(const CallRecord&)> onCall;   // timeline hook
    std::function<void()> onFrameEnd;                // after the world moved
    std::unique_ptr<ScriptContext> context;

    // Queries for tests and the timeline.
    std::vector<const CallRecord*> Calls(std::string_view name) const;
    std::vector<const CallRecord*> CallsInFrame(std::string_view name, std::uint64_t f) const;
    std::size_t Count(std::string_view name) const { return Calls(name).size(); }
    const CallRecord* Last(std::string_view name) const;
    // The host path of a file in the game folder, named relative to the
    // current directory (".\\Veloxan.ini") or under kGameFolder.
    std::string IniPath(const char* windowsPath) const;
};

Game& game();

// A fresh game: new world, clock, input, records; any running script is
// abandoned first.
void Reset(const Options& options = {});

// What ScriptHookV does when it loads a script module's DLL_PROCESS_ATTACH
// has registered an entry: the entry starts on the next frame.
void StartScript();
// What ScriptHookV does after the game reloads: the running script is
// abandoned where it waits and its entry starts again on the next frame.
void RestartScript();
void StopScript();

// One game frame: the clock advances, the script runs its pass when its wait
// is over, then the world moves.
void Step();
void RunFrames(std::uint64_t count);
// Runs frames until `done` holds (checked after each frame); false when
// `maxFrames` pass first.
bool RunUntil(const std::function<bool()>& done, std::uint64_t maxFrames);

void Fault(const std::string& message);
void Record(CallRecord record);
// The record of a platform (Windows or ScriptHookV) call made now, in this
// frame at this tick, for Record.
CallRecord PlatformCall(const char* name, std::initializer_list<Value> args = {});

// The handle the simulated loader gives the module.
void* ModuleHandle();
// Where a real loader maps the module (the Windows stand-in), that mapping's
// handle is the module's own; null goes back to the simulated handle.
void SetModuleHandle(void* module);

// ScriptHookV's side of the script interface, shared by every stand-in.
void RegisterScript(void* module, void (*entry)());
// Drops the module's script: it stops where it waits and never runs again.
void UnregisterScript(void* module);
std::int32_t GameVersion();
void ScriptWait(std::uint32_t ms);
void NativeInit(std::uint64_t hash);
void NativePush(std::uint64_t value);
std::uint64_t* NativeCall();

} // namespace sim
