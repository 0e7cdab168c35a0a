#include "turbo/turbo_sound.h"

#include "game/game_state.h"
#include "game/log.h"
#include "game/natives.h"
#include "game/own_module.h"
#include "platform/platform.h"
#include "settings/settings.h"

#include <bit>
#include <cstring>
#include <new>

namespace {

// Where a RIFF/WAVE image keeps its format and its samples.
struct WaveLayout {
    std::uint32_t fmtAt = 0; // the fmt chunk's body
    std::uint32_t fmtLength = 0;
    std::uint32_t dataAt = 0; // the data chunk's body
    std::uint32_t dataLength = 0;
    std::uint16_t format = 0;
    std::uint16_t blockAlign = 0;
    std::uint32_t bytesPerSecond = 0;
    std::uint16_t bits = 0;
};

// The header written in front of the rest of a recording to resume it:
// RIFF and WAVE, the fmt chunk as the recording has it, the data chunk's head.
constexpr std::uint32_t kResumeHeaderMax = 96;
constexpr std::uint32_t ResumeHeaderLength(const WaveLayout& wave) { return 28 + wave.fmtLength; }

// One recording, as it plays. The copy is allocated at the first start of the
// script and never freed, not even at unload: a recording that is still
// playing must not read freed or unmapped memory. size is 0 while there is
// no copy to play, and the resource plays instead. The resource stays mapped
// as long as the module's code can run, so a copy is scaled again from it.
struct Recording {
    std::int32_t id = 0;
    std::uint8_t* bytes = nullptr;
    std::uint32_t capacity = 0;
    std::uint32_t size = 0;
    WaveLayout wave;
    std::uint32_t durationMs = 0;
    const std::uint8_t* resource = nullptr;
    // The level its samples hold, in thousandths (1000: as the resource).
    std::int32_t level = 0;
};

Recording recordings[] = {{kSpoolSoundOrca, nullptr, 0, 0, {}, 0, nullptr, 0},
                          {kShutdownSound, nullptr, 0, 0, {}, 0, nullptr, 0},
                          {kSpoolSoundLumen, nullptr, 0, 0, {}, 0, nullptr, 0}};
bool copiesMade = false;

// The game's sound-effects level, 0 to 10: written at each start and after
// each pause (AskGameEffectsLevel), read wherever a recording would play.
std::int32_t gameLevel = 10;
// The game's last answer outside 0 to 10, logged once.
std::int32_t refusedAnswer = 10;

// The recording that plays, if any: started, as the module's clock counts,
// at startTick (earlier than the call for a resumed one). Paused: the one
// the pause stopped, and how far it had played.
Recording* playing = nullptr;
std::uint32_t startTick = 0;
Recording* paused = nullptr;
std::uint32_t pausedAtMs = 0;

// The resume header, written over bytes of a copy that have already played;
// they are put back before anything may play them again.
Recording* patched = nullptr;
std::uint32_t patchAt = 0;
std::uint32_t patchLength = 0;
std::uint8_t patchSaved[kResumeHeaderMax];

std::uint32_t Read32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

std::uint16_t Read16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

// A chunk's four-letter tag, without its terminating zero.
void WriteTag(std::uint8_t* at, const char (&tag)[5]) {
    for (std::size_t k = 0; k < 4; ++k) {
        at[k] = static_cast<std::uint8_t>(tag[k]);
    }
}

void Write32(std::uint8_t* at, std::uint32_t value) {
    for (std::uint32_t b = 0; b < 4; ++b) {
        at[b] = static_cast<std::uint8_t>(value >> (8 * b));
    }
}

// False for an image that is not whole, or has no fmt chunk before its data.
[[gnu::cold]] bool ReadLayout(const std::uint8_t* wave, std::uint32_t size, WaveLayout& out) {
    if (size < 12 || std::memcmp(wave, "RIFF", 4) != 0 || std::memcmp(wave + 8, "WAVE", 4) != 0) {
        return false;
    }
    WaveLayout layout;
    // 64 bits: a chunk's padding byte must not wrap the walk back to the start.
    for (std::uint64_t at = 12; at + 8 <= size;) {
        const std::uint32_t length = Read32(wave + at + 4);
        const auto body = static_cast<std::uint32_t>(at + 8);
        if (length > size - body) {
            return false;
        }
        if (std::memcmp(wave + at, "fmt ", 4) == 0 && length >= 16) {
            layout.fmtAt = body;
            layout.fmtLength = length;
            layout.format = Read16(wave + body);
            layout.bytesPerSecond = Read32(wave + body + 8);
            layout.blockAlign = Read16(wave + body + 12);
            layout.bits = Read16(wave + body + 14);
        } else if (std::memcmp(wave + at, "data", 4) == 0) {
            layout.dataAt = body;
            layout.dataLength = length;
            out = layout;
            return layout.fmtLength != 0;
        }
        at = std::uint64_t{body} + length + (length & 1u);
    }
    return false;
}

// The level that plays, in thousandths: (SFX_volume / 100) x (level / 10).
std::int32_t LevelThatPlays() { return Settings.SFX_volume * gameLevel; }

// `level` in thousandths: the samples are scaled by (level / 1000)^2. At
// level 10 x volume this is exactly the (volume / 100)^2 of the volume alone.
// A copy is scaled again in the pass before it plays, a boost's first among
// them: kept out of the cold code built for size, whose 64-bit divide per
// sample costs ten times the multiply that replaces it here.
[[gnu::noinline, gnu::hot]] void ScalePcm16(std::uint8_t* data, std::uint32_t bytes,
                                            std::int32_t level) {
    const std::int64_t square = std::int64_t{level} * level;
    for (std::uint32_t k = 0; k + 2 <= bytes; k += 2) {
        const std::int64_t scaled = static_cast<std::int16_t>(Read16(data + k)) * square;
        // Division truncates toward zero: adding half the divisor away from
        // zero first rounds halves away from zero. Without a branch, which a
        // recording's signs would mispredict half the time.
        const std::int64_t half = 500000 - (1000000 & (scaled >> 63));
        const auto sample = static_cast<std::int32_t>((scaled + half) / 1000000);
        data[k] = static_cast<std::uint8_t>(sample);
        data[k + 1] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(sample) >> 8);
    }
}

[[gnu::noinline, gnu::hot]] void ScaleFloat32(std::uint8_t* data, std::uint32_t bytes,
                                              std::int32_t level) {
    // level^2 and 10^6 are exact in single precision, and the quotient is the
    // correctly rounded one of (volume^2 / 10^4) at game level 10.
    const float factor = static_cast<float>(level * level) / 1000000.0f;
    for (std::uint32_t k = 0; k + 4 <= bytes; k += 4) {
        Write32(data + k,
                std::bit_cast<std::uint32_t>(std::bit_cast<float>(Read32(data + k)) * factor));
    }
}

// Puts back the bytes a resume header covered. Only when nothing plays from
// that copy's header any more: after the sound was stopped or replaced.
// Rare, like the pauses and the ends of a boost that call them: built for size.
[[gnu::cold]] void RestorePatch() {
    if (patched != nullptr) {
        std::memcpy(patched->bytes + patchAt, patchSaved, patchLength);
        patched = nullptr;
    }
}

[[gnu::cold]] void StopSound() {
    // A null sound stops the process's waveform sound; no module goes with
    // it. After a pause stopped it, nothing of the module's plays: no call.
    if (playing != nullptr) {
        PlaySoundA(nullptr, nullptr, 0);
    }
    playing = nullptr;
    RestorePatch();
}

Recording* Find(std::int32_t id) {
    for (Recording& recording : recordings) {
        if (recording.id == id) {
            return &recording;
        }
    }
    return nullptr;
}

// Once per start: why recording `id` has no copy, in the log.
[[gnu::cold]] void LogNoCopy(std::int32_t id, const char* why) {
    LogBegin("sound ");
    LogNumber(id);
    LogText(": no copy (");
    LogText(why);
    LogText("), it plays from the resource at full level");
    LogEnd();
}

// The samples of an image whose layout is read, scaled by (level / 1000)^2;
// false, with nothing changed, for a sample format of another kind.
[[gnu::cold]] bool ScaleSamples(std::uint8_t* wave, const WaveLayout& layout, std::int32_t level) {
    if (layout.format == 1 && layout.bits == 16) {
        ScalePcm16(wave + layout.dataAt, layout.dataLength, level);
    } else if (layout.format == 3 && layout.bits == 32) {
        ScaleFloat32(wave + layout.dataAt, layout.dataLength, level);
    } else {
        return false;
    }
    return true;
}

// The copy's samples from the resource again, at `level` (in thousandths; 0
// leaves them as the resource's, since nothing plays then). False, with the
// copy given up and logged, for a sample format that cannot be scaled.
[[gnu::cold]] bool FillCopy(Recording& recording, std::int32_t level) {
    std::memcpy(recording.bytes, recording.resource, recording.size);
    const std::int32_t samples = level != 0 ? level : 1000;
    if (samples < 1000 && !ScaleSamples(recording.bytes, recording.wave, samples)) {
        recording.size = 0;
        LogNoCopy(recording.id, "samples neither 16-bit PCM nor 32-bit float");
        return false;
    }
    recording.level = samples;
    return true;
}

// A copy that must be scaled again before it plays at `level`.
bool Stale(const Recording& recording, std::int32_t level) {
    return recording.size != 0 && level != 0 && recording.level != level;
}

// Scales a stale copy again from its resource, in place. A copy may still be
// sounding, or carry a resume header: that sound stops first.
[[gnu::cold]] void Rescale(Recording& recording, std::int32_t level) {
    if (!Stale(recording, level)) {
        return;
    }
    if (patched == &recording ||
        (playing == &recording && ModuleTick() - startTick < recording.durationMs)) {
        StopSound();
    }
    FillCopy(recording, level);
}

// Fills the copy of one recording at `level`, or logs why it cannot.
[[gnu::cold]] void MakeCopy(HMODULE module, Recording& recording, std::int32_t level) {
    recording.size = 0;
    // The cast is the Windows convention: a resource is named by its number.
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(recording.id), "WAVE");
    const auto* source =
        info != nullptr ? static_cast<const std::uint8_t*>(LockResource(LoadResource(module, info)))
                        : nullptr;
    if (source == nullptr) {
        LogNoCopy(recording.id, "no resource");
        return;
    }
    const DWORD size = SizeofResource(module, info);
    if (recording.bytes == nullptr) {
        recording.bytes = new (std::nothrow) std::uint8_t[size];
        recording.capacity = recording.bytes != nullptr ? size : 0;
    }
    if (size > recording.capacity) {
        LogNoCopy(recording.id, "no memory");
        return;
    }
    WaveLayout wave;
    if (!ReadLayout(source, size, wave) || wave.bytesPerSecond == 0) {
        LogNoCopy(recording.id, "not a whole WAVE image");
        return;
    }
    recording.resource = source;
    recording.size = size;
    recording.wave = wave;
    if (!FillCopy(recording, level)) {
        return;
    }
    recording.durationMs =
        static_cast<std::uint32_t>(std::uint64_t{wave.dataLength} * 1000u / wave.bytesPerSecond);
}

} // namespace

// Once per start of the script, like its caller.
[[gnu::cold]] bool ScaleWaveImage(std::uint8_t* wave, std::uint32_t size, std::int32_t volume,
                                  std::int32_t effectsLevel) {
    WaveLayout layout;
    return ReadLayout(wave, size, layout) && ScaleSamples(wave, layout, volume * effectsLevel);
}

// Runs once per start of the script: built for size.
[[gnu::cold]] void PrepareTurboSounds() {
    // A restart ends the pause it came in, if any: what that pause stopped
    // stays stopped.
    paused = nullptr;
    const std::int32_t level = LevelThatPlays();
    bool stale = !copiesMade;
    for (const Recording& recording : recordings) {
        stale = stale || Stale(recording, level);
    }
    if (!stale) {
        return;
    }
    if (copiesMade) {
        // A recording may still play from the copies about to change.
        StopSound();
    }
    copiesMade = true;
    HMODULE module = OwnModule();
    for (Recording& recording : recordings) {
        MakeCopy(module, recording, level);
    }
}

[[gnu::cold]] void AskGameEffectsLevel(bool afterPause) {
    if (!afterPause) {
        // Each start logs a bad answer again, as its report is read alone.
        refusedAnswer = 10;
    }
    std::int32_t level = 10;
    if (Settings.SFX_follow_game != 0) {
        const std::int32_t answer = native::GET_PROFILE_SETTING(300);
        if (answer >= 0 && answer <= 10) {
            level = answer;
        } else if (answer != refusedAnswer) {
            refusedAnswer = answer;
            LogBegin("game sound effects level read ");
            LogNumber(answer);
            LogText(": outside 0 to 10, taken as 10");
            LogEnd();
        }
    }
    if (level == gameLevel) {
        return;
    }
    gameLevel = level;
    if (afterPause) {
        LogBegin("game sound effects level ");
        LogNumber(level);
        LogText(": the sounds play at ");
        LogFixed(static_cast<float>(LevelThatPlays()) * 0.1f, 1);
        LogText("%");
        LogEnd();
    }
}

[[gnu::cold]] std::int32_t GameEffectsLevel() { return gameLevel; }

[[gnu::cold]] void TurboSoundLevelChanged(std::int32_t now) {
    if (Recording* recording = Find(now)) {
        Rescale(*recording, LevelThatPlays());
    }
}

[[gnu::cold]] std::int32_t TurboSoundLevel() {
    const std::int32_t level = LevelThatPlays();
    for (const Recording& recording : recordings) {
        if (recording.size == 0 && level != 0) {
            return 1000;
        }
    }
    return level;
}

[[gnu::cold]] const char* TurboSoundCopy(std::int32_t id) {
    const Recording* recording = Find(id);
    return recording != nullptr && recording->size != 0
               ? reinterpret_cast<const char*>(recording->bytes)
               : nullptr;
}

// The cast is the Windows convention: a resource is named by its number.
// NOLINTBEGIN(performance-no-int-to-ptr)
[[gnu::cold]] void PlayTurboSound(std::int32_t id) {
    Recording* recording = Find(id);
    const std::int32_t level = LevelThatPlays();
    if (level == 0) {
        // The game's effects are off: the module is silent with them, and
        // makes no call for a recording that would not be heard.
        StopTurboSound();
        return;
    }
    if (recording != nullptr) {
        Rescale(*recording, level);
    }
    if (patched != nullptr && patched == recording) {
        // The copy must be whole again before it plays from its start.
        StopSound();
    }
    if (const char* copy = TurboSoundCopy(id)) {
        // The copy lives as long as the process, so it may play on its own.
        PlaySoundA(copy, nullptr, SND_MEMORY | SND_ASYNC);
    } else {
        PlaySoundA(MAKEINTRESOURCEA(id), OwnModule(), SND_RESOURCE | SND_APPLICATION | SND_ASYNC);
    }
    // The new sound replaced whatever played: no header of ours is read now.
    RestorePatch();
    playing = recording;
    startTick = ModuleTick();
    paused = nullptr;
}
// NOLINTEND(performance-no-int-to-ptr)

[[gnu::cold]] void StopTurboSound() {
    StopSound();
    paused = nullptr;
}

[[gnu::cold]] void PauseTurboSound() {
    // Only what this pause stops may play on after it.
    paused = nullptr;
    if (playing == nullptr) {
        return;
    }
    const std::uint32_t played = ModuleTick() - startTick;
    if (playing->size == 0) {
        // From the resource, which cannot resume: it stops with the game.
        StopSound();
        return;
    }
    if (played >= playing->durationMs) {
        // It has ended on its own; nothing to stop or to play again.
        playing = nullptr;
        return;
    }
    Recording* recording = playing;
    StopSound();
    paused = recording;
    pausedAtMs = played;
}

[[gnu::cold]] void ResumeTurboSound() {
    Recording* recording = paused;
    paused = nullptr;
    const std::int32_t level = LevelThatPlays();
    if (recording == nullptr || level == 0) {
        return;
    }
    // The player may have moved the game's slider in the pause menu.
    Rescale(*recording, level);
    if (recording->size == 0) {
        return;
    }
    const WaveLayout& wave = recording->wave;
    const std::uint32_t header = ResumeHeaderLength(wave);
    std::uint32_t skip =
        static_cast<std::uint32_t>(std::uint64_t{pausedAtMs} * wave.bytesPerSecond / 1000u);
    if (wave.blockAlign != 0) {
        skip -= skip % wave.blockAlign;
    }
    if (skip >= wave.dataLength || header > kResumeHeaderMax) {
        return;
    }
    // The header goes right in front of the first sample still to play, over
    // samples already heard; the original header and chunks before the data
    // are at least as long, so it never starts before the copy.
    const std::uint32_t rest = wave.dataLength - skip;
    std::uint8_t head[kResumeHeaderMax];
    WriteTag(head, "RIFF");
    Write32(head + 4, header - 8 + rest);
    WriteTag(head + 8, "WAVE");
    WriteTag(head + 12, "fmt ");
    Write32(head + 16, wave.fmtLength);
    std::memcpy(head + 20, recording->bytes + wave.fmtAt, wave.fmtLength);
    WriteTag(head + 20 + wave.fmtLength, "data");
    Write32(head + 24 + wave.fmtLength, rest);
    patchAt = wave.dataAt + skip - header;
    patchLength = header;
    std::uint8_t* at = recording->bytes + patchAt;
    std::memcpy(patchSaved, at, header);
    std::memcpy(at, head, header);
    patched = recording;
    PlaySoundA(reinterpret_cast<const char*>(at), nullptr, SND_MEMORY | SND_ASYNC);
    playing = recording;
    startTick = ModuleTick() - pausedAtMs;
}
