#include "sim/platform_calls.h"

#include "sim/game.h"
#include "sim/ini_file.h"
#include "sim/sound_resources.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <set>
#include <string>

namespace sim::platform {

namespace {

constexpr std::uint32_t kDeviceNotConnected = 1167;
constexpr std::uint32_t kBadArguments = 160;
constexpr std::uint32_t kSndResource = 0x00040004;
constexpr std::uint32_t kSndAsync = 0x0001;
constexpr std::uint32_t kSndMemory = 0x0004;
constexpr std::uint32_t kFromAddress = 0x4;

// Resource handles given out by FindWaveResource: the resources themselves.
std::set<const void*> resourceHandles;

const sounds::WaveResource* Resource(const void* info, const char* function) {
    if (resourceHandles.count(info) == 0) {
        Fault(std::string(function) + " with a handle FindResourceA did not give");
        return nullptr;
    }
    return static_cast<const sounds::WaveResource*>(info);
}

// Which of the module's recordings an image in memory is, 0 for none known: a
// copy of a resource has its length and the bytes of its header (only the
// samples may be scaled); the rest of a recording lies inside a copy that
// played before.
std::uint32_t RecordingOf(const std::uint8_t* bytes, std::size_t size, std::size_t& insideAt) {
    constexpr std::size_t kHeader = 36; // RIFF, WAVE and a plain fmt chunk
    for (const SoundPlay& earlier : game().sounds) {
        const sounds::WaveResource* resource = sounds::Find(earlier.id);
        if (earlier.id == 0 || resource == nullptr) {
            continue;
        }
        // The copy that the earlier image was, or lay inside.
        const std::uint8_t* copy = earlier.wave - earlier.insideCopyAt;
        if (bytes > copy && bytes < copy + resource->bytes.size()) {
            insideAt = static_cast<std::size_t>(bytes - copy);
            return earlier.id;
        }
    }
    for (std::uint32_t id = 100; id < 120; ++id) {
        const sounds::WaveResource* wave = sounds::Find(id);
        if (wave != nullptr && wave->bytes.size() == size && size >= kHeader &&
            std::memcmp(wave->bytes.data(), bytes, kHeader) == 0) {
            return id;
        }
    }
    return 0;
}

// A RIFF/WAVE image in the module's memory: its length from its own header.
void PlayImage(SoundPlay& play, const char* name, const void* module) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(name);
    if (module != nullptr || (play.flags & ~(kSndMemory | kSndAsync)) != 0 ||
        (play.flags & kSndAsync) == 0) {
        Fault("PlaySoundA: a sound in memory plays with SND_MEMORY | SND_ASYNC and no module");
        return;
    }
    if (name == nullptr || std::memcmp(bytes, "RIFF", 4) != 0) {
        Fault("PlaySoundA: SND_MEMORY names no RIFF/WAVE image");
        return;
    }
    std::uint32_t riff = 0;
    std::memcpy(&riff, bytes + 4, 4);
    const std::size_t size = std::size_t{riff} + 8;
    const std::optional<std::uint32_t> duration = sounds::WaveDurationMs(bytes, size);
    if (!duration) {
        Fault("PlaySoundA: SND_MEMORY names no whole RIFF/WAVE image");
        return;
    }
    play.found = true;
    play.durationMs = *duration;
    play.playedMs = *duration;
    play.wave = bytes;
    play.waveBytes = size;
    play.id = RecordingOf(bytes, size, play.insideCopyAt);
}

void CutOffPlayingSound(Game& g) {
    if (g.sounds.empty()) {
        return;
    }
    SoundPlay& previous = g.sounds.back();
    const std::uint32_t elapsed = g.tick - previous.tick;
    if (!previous.cutOff && elapsed < previous.durationMs) {
        previous.playedMs = elapsed;
        previous.cutOff = true;
    }
}

} // namespace

std::uint32_t TickCount() { return game().tick; }

std::int16_t AsyncKeyState(int vk) {
    Game& g = game();
    CallRecord rec = PlatformCall("GetAsyncKeyState");
    rec.args.push_back(IntValue(vk));
    Record(rec);
    const bool down = g.input.KeyDown(vk, g.frame, g.tick);
    // Like Windows, bit 0 tells whether the key went down since the last
    // query, even when it is up again now; only bit 15 says that it is down.
    std::uint16_t result = down ? 0x8000 : 0;
    if (vk >= 0 && vk < 256) {
        const auto k = static_cast<std::size_t>(vk);
        Input& in = g.input;
        if ((down && !in.seenDown[k]) ||
            in.PressedSince(vk, in.lastQueryFrame[k], in.lastQueryTick[k], g.frame, g.tick)) {
            result |= 1;
        }
        in.seenDown[k] = down;
        in.lastQueryFrame[k] = g.frame;
        in.lastQueryTick[k] = g.tick;
    }
    return static_cast<std::int16_t>(result);
}

std::uint32_t PadState(std::uint32_t index, void* state) {
    Game& g = game();
    CallRecord rec = PlatformCall("XInputGetState");
    rec.args.push_back(IntValue(index));
    Record(rec);
    if (state == nullptr) {
        Fault("XInputGetState without a state record");
        return kBadArguments;
    }
    if (index > 3) {
        return kBadArguments;
    }
    Input::Pad& pad = g.input.pads[index];
    if (!pad.connected) {
        return kDeviceNotConnected;
    }
    // XINPUT_STATE: packet number, then buttons, triggers and thumbsticks.
    // The sticks rest slightly off centre, as real ones do.
    unsigned char bytes[16] = {};
    ++pad.packet;
    const std::uint16_t buttons = g.input.Buttons(static_cast<int>(index), g.frame);
    std::memcpy(bytes, &pad.packet, 4);
    std::memcpy(bytes + 4, &buttons, 2);
    std::int16_t thumbs[4] = {312, -207, 95, -88};
    if (pad.stickX != 0.0f || pad.stickY != 0.0f) {
        thumbs[0] = static_cast<std::int16_t>(std::lround(pad.stickX * 32767.0f));
        thumbs[1] = static_cast<std::int16_t>(std::lround(pad.stickY * 32767.0f));
    }
    std::memcpy(bytes + 8, thumbs, 8);
    std::memcpy(state, bytes, 16);
    return 0;
}

std::uint32_t ProfileInt(const char* section, const char* key, std::int32_t fallback,
                         const char* file) {
    Game& g = game();
    CallRecord rec = PlatformCall("GetPrivateProfileIntA");
    rec.args = {TextValue(section), TextValue(key), IntValue(fallback), TextValue(file)};
    Record(rec);
    if (section == nullptr || key == nullptr || file == nullptr) {
        Fault("GetPrivateProfileIntA with a null section, key or file");
        return static_cast<std::uint32_t>(fallback);
    }
    return ini::ReadInt(g.IniPath(file), section, key, fallback);
}

std::uint32_t ProfileString(const char* section, const char* key, const char* fallback,
                            char* buffer, std::uint32_t size, const char* file) {
    Game& g = game();
    CallRecord rec = PlatformCall("GetPrivateProfileStringA");
    rec.args = {TextValue(section), TextValue(key), TextValue(fallback), IntValue(size),
                TextValue(file)};
    Record(rec);
    if (section == nullptr || key == nullptr || file == nullptr || buffer == nullptr || size == 0) {
        // Null section or key would list the file's sections or keys: never meant here.
        Fault("GetPrivateProfileStringA with a null section, key, buffer or file");
        return 0;
    }
    const std::string text =
        ini::ReadString(g.IniPath(file), section, key, fallback != nullptr ? fallback : "");
    const std::size_t copied = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
    return static_cast<std::uint32_t>(copied);
}

bool WriteProfileString(const char* section, const char* key, const char* value, const char* file) {
    Game& g = game();
    CallRecord rec = PlatformCall("WritePrivateProfileStringA");
    rec.args = {TextValue(section), TextValue(key), TextValue(value), TextValue(file)};
    Record(rec);
    if (section == nullptr || key == nullptr || value == nullptr || file == nullptr) {
        // Null key or value would delete a section or key: never meant here.
        Fault("WritePrivateProfileStringA with a null argument");
        return false;
    }
    if (g.failIniWrites) {
        return false;
    }
    return ini::WriteString(g.IniPath(file), section, key, value);
}

bool PlaySound(const char* name, void* module, std::uint32_t flags) {
    Game& g = game();
    const auto raw = reinterpret_cast<std::uintptr_t>(name);
    CallRecord rec = PlatformCall("PlaySoundA");
    rec.args = {IntValue(static_cast<std::int64_t>(raw <= 0xFFFF ? raw : 0)), IntValue(flags)};
    Record(rec);

    if (name == nullptr && module == nullptr && flags == 0) {
        // PlaySound(NULL, NULL, 0) stops the waveform sound the process is
        // playing; nothing new starts.
        CutOffPlayingSound(g);
        return true;
    }
    if (g.failSounds) {
        return false;
    }

    SoundPlay play;
    play.frame = g.frame;
    play.tick = g.tick;
    play.flags = flags;
    if ((flags & kSndResource) == kSndMemory) {
        PlayImage(play, name, module);
    } else if ((flags & kSndResource) != kSndResource || raw > 0xFFFF || raw == 0) {
        Fault("PlaySoundA: the module plays only its own resources by ID, or images in memory");
    } else if (module != ModuleHandle()) {
        Fault("PlaySoundA: the handle is not the module's own");
    } else {
        play.id = static_cast<std::uint32_t>(raw);
        if (const sounds::WaveResource* wave = sounds::Find(play.id)) {
            play.found = true;
            play.durationMs = wave->durationMs;
            play.playedMs = wave->durationMs;
            play.wave = wave->bytes.data();
            play.waveBytes = wave->bytes.size();
        } else {
            Fault("PlaySoundA: the module has no WAVE resource " + std::to_string(play.id));
        }
    }
    // A new sound of the module replaces the one still playing.
    CutOffPlayingSound(g);
    g.sounds.push_back(play);
    return play.found;
}

void* FindWaveResource(const void* module, const char* name, const char* type) {
    const auto raw = reinterpret_cast<std::uintptr_t>(name);
    const bool byNumber = raw != 0 && raw <= 0xFFFF;
    const bool typeByName = reinterpret_cast<std::uintptr_t>(type) > 0xFFFF;
    Record(PlatformCall("FindResourceA", {IntValue(byNumber ? static_cast<std::int64_t>(raw) : 0),
                                          typeByName ? TextValue(type) : IntValue(0)}));
    if (module != ModuleHandle()) {
        Fault("FindResourceA in a module that is not the module's own");
        return nullptr;
    }
    if (!byNumber || !typeByName || std::string(type) != "WAVE") {
        Fault("FindResourceA: the module's sounds are WAVE resources named by number");
        return nullptr;
    }
    const sounds::WaveResource* wave = sounds::Find(static_cast<std::uint32_t>(raw));
    if (wave == nullptr) {
        return nullptr;
    }
    resourceHandles.insert(wave);
    return const_cast<sounds::WaveResource*>(wave);
}

void* LoadWaveResource(const void* module, void* info) {
    Record(PlatformCall("LoadResource"));
    if (module != ModuleHandle()) {
        Fault("LoadResource in a module that is not the module's own");
    }
    // As on Windows, the loaded resource's handle is the resource itself here.
    return Resource(info, "LoadResource") != nullptr ? info : nullptr;
}

void* LockWaveResource(void* loaded) {
    Record(PlatformCall("LockResource"));
    const sounds::WaveResource* wave = Resource(loaded, "LockResource");
    // Read-only memory on Windows: the module copies what it changes.
    return wave != nullptr ? const_cast<std::uint8_t*>(wave->bytes.data()) : nullptr;
}

std::uint32_t WaveResourceSize(const void* module, void* info) {
    Record(PlatformCall("SizeofResource"));
    if (module != ModuleHandle()) {
        Fault("SizeofResource in a module that is not the module's own");
    }
    const sounds::WaveResource* wave = Resource(info, "SizeofResource");
    return wave != nullptr ? static_cast<std::uint32_t>(wave->bytes.size()) : 0;
}

bool ModuleHandleFromAddress(std::uint32_t flags, const void* address, void** module) {
    CallRecord rec = PlatformCall("GetModuleHandleExW");
    rec.args = {IntValue(flags)};
    Record(rec);
    if (module == nullptr) {
        Fault("GetModuleHandleExW without a handle variable");
        return false;
    }
    if (*module != nullptr) {
        Fault("GetModuleHandleExW: the handle variable was not cleared first");
    }
    if ((flags & kFromAddress) == 0 || address == nullptr) {
        *module = nullptr;
        return false;
    }
    *module = ModuleHandle();
    return true;
}

} // namespace sim::platform
