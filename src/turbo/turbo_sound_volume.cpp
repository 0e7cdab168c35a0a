#include "turbo/turbo_sound_volume.h"

#include "host/own_module.h"
#include "platform/platform.h"
#include "settings/settings.h"
#include "turbo/turbo_effects.h"

#include <bit>
#include <cstring>
#include <new>

namespace {

// One recording at the player's level. Allocated at the first start below
// full volume and never freed, not even at unload: a recording that is still
// playing must not read freed memory. size is 0 while the resource plays.
struct QuietCopy {
    std::int32_t id;
    std::uint8_t* bytes;
    std::uint32_t capacity;
    std::uint32_t size;
};

// Written only by PrepareTurboSounds; read by QuietTurboSound.
QuietCopy copies[] = {{kSpoolSoundOrca, nullptr, 0, 0},
                      {kShutdownSound, nullptr, 0, 0},
                      {kSpoolSoundLumen, nullptr, 0, 0}};
// The volume the copies hold, and whether they play.
std::int32_t copiesVolume = 100;
bool playCopies = false;

std::uint32_t Read32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

std::uint16_t Read16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

void ScalePcm16(std::uint8_t* data, std::uint32_t bytes, std::int32_t volume) {
    const std::int32_t square = volume * volume;
    for (std::uint32_t k = 0; k + 2 <= bytes; k += 2) {
        const std::int32_t scaled = static_cast<std::int16_t>(Read16(data + k)) * square;
        // Division truncates toward zero: adding half the divisor away from
        // zero first rounds halves away from zero.
        const std::int32_t sample = (scaled < 0 ? scaled - 5000 : scaled + 5000) / 10000;
        data[k] = static_cast<std::uint8_t>(sample);
        data[k + 1] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(sample) >> 8);
    }
}

void ScaleFloat32(std::uint8_t* data, std::uint32_t bytes, std::int32_t volume) {
    const float factor = static_cast<float>(volume * volume) / 10000.0f;
    for (std::uint32_t k = 0; k + 4 <= bytes; k += 4) {
        const std::uint32_t sample =
            std::bit_cast<std::uint32_t>(std::bit_cast<float>(Read32(data + k)) * factor);
        for (std::uint32_t b = 0; b < 4; ++b) {
            data[k + b] = static_cast<std::uint8_t>(sample >> (8 * b));
        }
    }
}

} // namespace

// Once per start of the script, like its caller.
[[gnu::cold]] bool ScaleWaveImage(std::uint8_t* wave, std::uint32_t size, std::int32_t volume) {
    if (size < 12 || std::memcmp(wave, "RIFF", 4) != 0 || std::memcmp(wave + 8, "WAVE", 4) != 0) {
        return false;
    }
    std::uint16_t format = 0;
    std::uint16_t bits = 0;
    // 64 bits: a chunk's padding byte must not wrap the walk back to the start.
    for (std::uint64_t at = 12; at + 8 <= size;) {
        const std::uint32_t length = Read32(wave + at + 4);
        const std::uint64_t body = at + 8;
        if (length > size - body) {
            return false;
        }
        if (std::memcmp(wave + at, "fmt ", 4) == 0 && length >= 16) {
            format = Read16(wave + body);
            bits = Read16(wave + body + 14);
        } else if (std::memcmp(wave + at, "data", 4) == 0) {
            if (format == 1 && bits == 16) {
                ScalePcm16(wave + body, length, volume);
            } else if (format == 3 && bits == 32) {
                ScaleFloat32(wave + body, length, volume);
            } else {
                return false;
            }
            return true;
        }
        at = body + length + (length & 1u);
    }
    return false;
}

// Runs once per start of the script: built for size.
[[gnu::cold]] void PrepareTurboSounds() {
    const std::int32_t volume = Settings.SFX_volume;
    playCopies = volume < 100;
    if (!playCopies || volume == copiesVolume) {
        return;
    }
    if (copiesVolume != 100) {
        // A recording may still play from the copies about to change.
        StopTurboSound();
    }
    copiesVolume = volume;
    HMODULE module = OwnModule();
    for (QuietCopy& copy : copies) {
        copy.size = 0;
        // The cast is the Windows convention: a resource is named by its number.
        // NOLINTNEXTLINE(performance-no-int-to-ptr)
        HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(copy.id), "WAVE");
        if (info == nullptr) {
            continue;
        }
        const auto* source =
            static_cast<const std::uint8_t*>(LockResource(LoadResource(module, info)));
        const DWORD size = SizeofResource(module, info);
        if (copy.bytes == nullptr) {
            copy.bytes = new (std::nothrow) std::uint8_t[size];
            copy.capacity = copy.bytes != nullptr ? size : 0;
        }
        if (source == nullptr || size > copy.capacity) {
            continue;
        }
        std::memcpy(copy.bytes, source, size);
        if (ScaleWaveImage(copy.bytes, size, volume)) {
            copy.size = size;
        }
    }
}

const char* QuietTurboSound(std::int32_t id) {
    for (const QuietCopy& copy : copies) {
        if (playCopies && copy.id == id && copy.size != 0) {
            return reinterpret_cast<const char*>(copy.bytes);
        }
    }
    return nullptr;
}
