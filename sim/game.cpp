#include "sim/game.h"

#include "sim/native_table.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace sim {

namespace {

// Longest text the game takes from a script; anything longer is a sign of a
// missing terminator.
constexpr std::size_t kMaxNativeText = 4096;

// Any distinct address serves as the module handle the loader hands out.
int moduleHandleObject = 0;
void* moduleHandle = &moduleHandleObject;

} // namespace

Game& game() {
    static Game instance;
    return instance;
}

void* ModuleHandle() { return moduleHandle; }

void SetModuleHandle(void* module) {
    moduleHandle = module != nullptr ? module : &moduleHandleObject;
}

void Fault(const std::string& message) {
    Game& g = game();
    std::string text = "frame " + std::to_string(g.frame) + ": " + message;
    g.faults.push_back(text);
    std::fprintf(stderr, "simulated game fault: %s\n", text.c_str());
    if (g.onFault) {
        g.onFault(text);
    }
}

CallRecord PlatformCall(const char* name, std::initializer_list<Value> args) {
    const Game& g = game();
    CallRecord rec;
    rec.frame = g.frame;
    rec.tick = g.tick;
    rec.name = name;
    rec.args = args;
    return rec;
}

void Record(CallRecord record) {
    Game& g = game();
    if (g.onCall) {
        g.onCall(record);
    }
    g.calls.push_back(std::move(record));
}

// --- Input -------------------------------------------------------------------

void Input::HoldKeyFrames(int vk, std::uint64_t firstFrame, std::uint64_t frameCount) {
    keyHolds.push_back({vk, false, firstFrame, frameCount});
}

void Input::HoldKeyTicks(int vk, std::uint32_t startTick, std::uint32_t ms) {
    keyHolds.push_back({vk, true, startTick, ms});
}

void Input::HoldButtonsFrames(int index, std::uint16_t mask, std::uint64_t firstFrame,
                              std::uint64_t frameCount) {
    buttonHolds.push_back({index, mask, firstFrame, frameCount});
}

bool Input::KeyDown(int vk, std::uint64_t frame, std::uint32_t tick) const {
    if (vk < 0 || vk > 255) {
        return false;
    }
    if (keys[static_cast<std::size_t>(vk)]) {
        return true;
    }
    for (const KeyHold& hold : keyHolds) {
        if (hold.vk != vk) {
            continue;
        }
        if (hold.byTick) {
            if (static_cast<std::uint32_t>(tick - static_cast<std::uint32_t>(hold.first)) <
                hold.count) {
                return true;
            }
        } else if (frame >= hold.first && frame - hold.first < hold.count) {
            return true;
        }
    }
    return false;
}

bool Input::PressedSince(int vk, std::uint64_t sinceFrame, std::uint32_t sinceTick,
                         std::uint64_t frame, std::uint32_t tick) const {
    for (const KeyHold& hold : keyHolds) {
        if (hold.vk != vk || hold.count == 0) {
            continue;
        }
        if (hold.byTick) {
            const auto start = static_cast<std::uint32_t>(hold.first);
            const std::uint32_t window = tick - sinceTick;
            const std::uint32_t startedAgo = tick - start;
            if (startedAgo < window) {
                return true;
            }
        } else if (hold.first > sinceFrame && hold.first <= frame) {
            return true;
        }
    }
    return false;
}

std::uint16_t Input::Buttons(int index, std::uint64_t frame) const {
    std::uint16_t mask = pads.at(static_cast<std::size_t>(index)).buttons;
    for (const ButtonHold& hold : buttonHolds) {
        if (hold.pad == index && frame >= hold.firstFrame &&
            frame - hold.firstFrame < hold.frameCount) {
            mask = static_cast<std::uint16_t>(mask | hold.mask);
        }
    }
    return mask;
}

// A stick counts as moved beyond a quarter of its travel.
constexpr float kStickDeadZone = 0.25f;

std::uint16_t Input::AllButtons(std::uint64_t frame) const {
    std::uint16_t buttons = 0;
    for (int pad = 0; pad < static_cast<int>(pads.size()); ++pad) {
        if (pads.at(static_cast<std::size_t>(pad)).connected) {
            buttons = static_cast<std::uint16_t>(buttons | Buttons(pad, frame));
        }
    }
    return buttons;
}

const Input::Pad* Input::StickPad() const {
    for (const Pad& pad : pads) {
        if (pad.connected &&
            (std::fabs(pad.stickX) > kStickDeadZone || std::fabs(pad.stickY) > kStickDeadZone)) {
            return &pad;
        }
    }
    return nullptr;
}

void Input::UpdateHand(std::uint64_t frame, std::uint32_t tick) {
    bool keyWentDown = false;
    for (int vk = 1; vk < 256; ++vk) {
        const bool down = KeyDown(vk, frame, tick);
        keyWentDown = keyWentDown || (down && !keysLastFrame.at(static_cast<std::size_t>(vk)));
        keysLastFrame.at(static_cast<std::size_t>(vk)) = down;
    }
    const std::uint16_t buttons = AllButtons(frame);
    const bool stickOut = StickPad() != nullptr;
    const bool padMoved = (buttons & ~buttonsLastFrame) != 0 || (stickOut && !stickOutLastFrame);
    buttonsLastFrame = buttons;
    stickOutLastFrame = stickOut;
    if (keyWentDown != padMoved) {
        usingKeyboard = keyWentDown;
    }
}

// --- Queries -------------------------------------------------------------------

std::vector<const CallRecord*> Game::Calls(std::string_view name) const {
    std::vector<const CallRecord*> out;
    for (const CallRecord& c : calls) {
        if (c.name == name) {
            out.push_back(&c);
        }
    }
    return out;
}

std::vector<const CallRecord*> Game::CallsInFrame(std::string_view name, std::uint64_t f) const {
    std::vector<const CallRecord*> out;
    for (const CallRecord& c : calls) {
        if (c.frame == f && c.name == name) {
            out.push_back(&c);
        }
    }
    return out;
}

const CallRecord* Game::Last(std::string_view name) const {
    for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
        if (it->name == name) {
            return &*it;
        }
    }
    return nullptr;
}

std::string Game::IniPath(const char* windowsPath) const {
    const auto slashes = [](std::string path) {
        for (char& c : path) {
            c = c == '\\' ? '/' : c;
        }
        return path;
    };
    std::string path = slashes(windowsPath);
    const std::string folder = slashes(kGameFolder) + '/';
    if (path.rfind("./", 0) == 0) {
        path.erase(0, 2);
    } else if (path.rfind(folder, 0) == 0) {
        path.erase(0, folder.size());
    }
    if (path.empty() || path[0] == '/' || path.find(':') != std::string::npos) {
        Fault("file path outside the game folder: " + std::string(windowsPath));
    }
    return options.fileRoot + "/" + path;
}

// --- Lifecycle -------------------------------------------------------------------

void Reset(const Options& options) {
    Game& g = game();
    if (g.context) {
        g.context->Stop();
    }
    g.options = options;
    g.frame = 0;
    g.tick = options.startTick;
    g.input = Input{};
    g.world = World{};
    g.script = ScriptState{};
    g.calls.clear();
    g.sounds.clear();
    g.faults.clear();
    g.failIniWrites = false;
    g.files.clear();
    g.failSounds = false;
    g.zeroNativeResults = false;
    g.speedAnswer.reset();
    g.onFault = nullptr;
    g.onCall = nullptr;
    g.onFrameEnd = nullptr;
    g.context = MakeDefaultScriptContext();
}

void RegisterScript(void* module, void (*entry)()) {
    Game& g = game();
    Record(PlatformCall("scriptRegister"));
    if (module != ModuleHandle()) {
        Fault("scriptRegister with a module handle that is not the module's own");
    }
    if (entry == nullptr) {
        Fault("scriptRegister without an entry");
    }
    g.script.module = module;
    g.script.entry = entry;
    ++g.script.registrations;
}

void UnregisterScript(void* module) {
    Game& g = game();
    Record(PlatformCall("scriptUnregister"));
    if (module != ModuleHandle()) {
        Fault("scriptUnregister with a module handle that is not the module's own");
        return;
    }
    if (g.context && g.context->OnScript()) {
        Fault("scriptUnregister from the script itself");
        return;
    }
    ++g.script.unregistrations;
    StopScript();
    g.script.entry = nullptr;
    g.script.module = nullptr;
    g.script.pendingStart = false;
}

std::int32_t GameVersion() {
    Game& g = game();
    Record(PlatformCall("getGameVersion"));
    return g.options.gameVersion;
}

void StartScript() {
    Game& g = game();
    if (g.script.entry == nullptr) {
        Fault("no script was registered");
        return;
    }
    g.script.pendingStart = true;
}

void StopScript() {
    Game& g = game();
    if (g.context) {
        g.context->Stop();
    }
    g.script.running = false;
    g.script.callOpen = false;
}

void RestartScript() {
    StopScript();
    StartScript();
}

namespace {

// What the game itself does with the controls a script may disable, after the
// scripts ran in the frame: D-pad up on a pad takes the phone out and B puts it
// away; RB or Space pulls the handbrake of the player's vehicle; keypad 8 and 5
// and the left stick pitch the plane the player flies, and the stick rolls it.
void ApplyGameControls(Game& g) {
    if (!g.input.foreground) {
        return;
    }
    const std::uint16_t buttons = g.input.AllButtons(g.frame);
    World& w = g.world;
    constexpr std::uint16_t kDpadUp = 0x0001;
    constexpr std::uint16_t kRightShoulder = 0x0200;
    constexpr std::uint16_t kButtonB = 0x2000;
    if ((buttons & kDpadUp) != 0 && w.ControlEnabled(kInputPhone)) {
        w.phoneOut = true;
    }
    if ((buttons & kButtonB) != 0 && w.ControlEnabled(kInputCellphoneCancel)) {
        w.phoneOut = false;
    }
    Vehicle* vehicle = w.Find(w.playerVehicle);
    if (vehicle == nullptr) {
        return;
    }
    vehicle->handbrake =
        ((buttons & kRightShoulder) != 0 || g.input.KeyDown(0x20, g.frame, g.tick)) &&
        w.ControlEnabled(kInputVehHandbrake);
    if (vehicle->vehicleClass != VehicleClass::Plane) {
        return;
    }
    if (g.input.KeyDown(0x68, g.frame, g.tick) && w.ControlEnabled(kInputFlyPitchUpOnly)) {
        vehicle->pitch += kPitchPerFrame;
    }
    if (g.input.KeyDown(0x65, g.frame, g.tick) && w.ControlEnabled(kInputFlyPitchDownOnly)) {
        vehicle->pitch -= kPitchPerFrame;
    }
    if (const Input::Pad* pad = g.input.StickPad()) {
        if (w.ControlEnabled(kInputFlyPitchUpDown)) {
            vehicle->pitch += pad->stickY * kPitchPerFrame;
        }
        if (w.ControlEnabled(kInputFlyRollLeftRight)) {
            vehicle->roll += pad->stickX * kPitchPerFrame;
        }
    }
}

bool WaitOver(const Game& g) {
    const ScriptState& s = g.script;
    if (g.frame <= s.waitFrame) {
        return false;
    }
    return static_cast<std::uint32_t>(g.tick - s.waitStartTick) >= s.waitMs;
}

} // namespace

void Step() {
    Game& g = game();
    ++g.frame;
    g.tick += g.options.msPerFrame;
    g.world.BeginFrame(g.frame, g.tick);
    g.input.UpdateHand(g.frame, g.tick);
    if (g.script.pendingStart) {
        g.script.pendingStart = false;
        g.script.running = true;
        ++g.script.starts;
        g.context->Start(g.script.entry);
    } else if (g.script.running && WaitOver(g)) {
        g.context->Resume();
    }
    ApplyGameControls(g);
    // The pause menu stops the game's time; the clock of Windows runs on.
    const float seconds =
        g.world.paused ? 0.0f
                       : static_cast<float>(g.options.msPerFrame) / 1000.0f * g.world.timeScale;
    g.world.Advance(g.tick, seconds);
    if (g.onFrameEnd) {
        g.onFrameEnd();
    }
}

void RunFrames(std::uint64_t count) {
    for (std::uint64_t i = 0; i < count; ++i) {
        Step();
    }
}

bool RunUntil(const std::function<bool()>& done, std::uint64_t maxFrames) {
    for (std::uint64_t i = 0; i < maxFrames; ++i) {
        Step();
        if (done()) {
            return true;
        }
    }
    return false;
}

// --- ScriptHookV's side -------------------------------------------------------------

void ScriptWait(std::uint32_t ms) {
    Game& g = game();
    if (!g.context || !g.context->OnScript()) {
        Fault("scriptWait called outside the script's own context");
        return;
    }
    if (g.script.callOpen) {
        Fault("scriptWait inside an unfinished native call");
        g.script.callOpen = false;
    }
    g.script.waits.push_back(ms);
    g.script.waitMs = ms;
    g.script.waitStartTick = g.tick;
    g.script.waitFrame = g.frame;
    g.context->Yield();
}

void NativeInit(std::uint64_t hash) {
    ScriptState& s = game().script;
    if (s.callOpen) {
        Fault("nativeInit while a native call was still open");
    }
    s.callOpen = true;
    s.callHash = hash;
    s.callArgs.clear();
}

void NativePush(std::uint64_t value) {
    ScriptState& s = game().script;
    if (!s.callOpen) {
        Fault("nativePush64 without nativeInit");
        return;
    }
    if (s.callArgs.size() >= 32) {
        Fault("more than 32 native arguments");
        return;
    }
    s.callArgs.push_back(value);
}

std::uint64_t* NativeCall() {
    Game& g = game();
    ScriptState& s = g.script;
    s.result.fill(0);
    if (!s.callOpen) {
        Fault("nativeCall without nativeInit");
        return s.result.data();
    }
    s.callOpen = false;

    const NativeEntry* entry = FindNative(s.callHash);
    char hex[32];
    std::snprintf(hex, sizeof hex, "0x%016llX", static_cast<unsigned long long>(s.callHash));
    if (entry == nullptr) {
        Fault(std::string("unknown native ") + hex);
        return s.result.data();
    }
    const std::size_t expected = std::strlen(entry->args);
    if (s.callArgs.size() != expected) {
        Fault(std::string(entry->name) + " called with " + std::to_string(s.callArgs.size()) +
              " arguments, expects " + std::to_string(expected));
        return s.result.data();
    }

    CallRecord rec;
    rec.frame = g.frame;
    rec.tick = g.tick;
    rec.hash = entry->hash;
    rec.name = entry->name;
    bool valid = true;
    for (std::size_t k = 0; k < expected; ++k) {
        const std::uint64_t raw = s.callArgs[k];
        const char kind = entry->args[k];
        Value v;
        v.kind = kind == 'b' ? 'i' : kind;
        if (kind == 's') {
            const char* text = reinterpret_cast<const char*>(static_cast<std::uintptr_t>(raw));
            if (text == nullptr) {
                Fault(std::string(entry->name) + ": null text in argument " + std::to_string(k));
                valid = false;
                continue;
            }
            std::size_t length = 0;
            while (length < kMaxNativeText && text[length] != '\0') {
                ++length;
            }
            if (length == kMaxNativeText) {
                Fault(std::string(entry->name) + ": unterminated text in argument " +
                      std::to_string(k));
                valid = false;
                continue;
            }
            v.s = text;
        } else {
            // Whole numbers, flags and floats fill the low 32 bits of a zeroed slot.
            if ((raw >> 32) != 0) {
                Fault(std::string(entry->name) + ": upper 32 bits set in argument " +
                      std::to_string(k));
                valid = false;
            }
            v.i = static_cast<std::int32_t>(static_cast<std::uint32_t>(raw));
            v.f = std::bit_cast<float>(static_cast<std::uint32_t>(raw));
            if (kind == 'b' && v.i != 0 && v.i != 1) {
                Fault(std::string(entry->name) + ": flag argument " + std::to_string(k) +
                      " is neither 0 nor 1");
                valid = false;
            }
        }
        rec.args.push_back(std::move(v));
    }
    Record(rec);
    if (valid) {
        NativeArgs args{s.callArgs};
        NativeResult result{s.result};
        entry->handler(g, args, result);
        if (g.zeroNativeResults) {
            s.result.fill(0);
        }
    }
    return s.result.data();
}

} // namespace sim
