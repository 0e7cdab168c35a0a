#pragma once
// RIFF/WAVE output with an 18-byte "fmt " chunk (WAVEFORMATEX, cbSize 0)
// followed directly by "data", which is the layout the module's resources use.
// Bytes are written explicitly little-endian so the host's byte order and
// struct padding never reach the file.

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace soundgen {

// Interleaved stereo, nominally in [-1, 1].
struct StereoBuffer {
    std::vector<double> samples;
    std::size_t Frames() const { return samples.size() / 2; }
};

enum class SampleFormat { Pcm16, Float32 };

// Round half away from zero, then clamp: the same integer on every machine,
// and never the wrap-around a plain cast would give for out-of-range input.
inline std::int16_t ToPcm16(double v) {
    const double scaled = v * 32767.0;
    double rounded = scaled >= 0.0 ? std::floor(scaled + 0.5) : std::ceil(scaled - 0.5);
    if (rounded > 32767.0) {
        rounded = 32767.0;
    } else if (rounded < -32768.0) {
        rounded = -32768.0;
    }
    return static_cast<std::int16_t>(rounded);
}

inline float ToFloat32(double v) {
    if (v > 1.0) {
        v = 1.0;
    } else if (v < -1.0) {
        v = -1.0;
    }
    return static_cast<float>(v);
}

inline void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFFu));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFFu));
    }
}

inline void PutTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(tag[i]));
    }
}

inline std::vector<std::uint8_t> EncodeWave(const StereoBuffer& buffer, std::uint32_t sampleRate,
                                            SampleFormat format) {
    constexpr std::uint16_t kChannels = 2;
    const bool isFloat = format == SampleFormat::Float32;
    const std::uint16_t bits = isFloat ? 32 : 16;
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(kChannels * bits / 8);
    const auto dataBytes = static_cast<std::uint32_t>(buffer.Frames() * blockAlign);

    std::vector<std::uint8_t> out;
    out.reserve(46 + dataBytes);
    PutTag(out, "RIFF");
    PutU32(out, 4 + (8 + 18) + (8 + dataBytes));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, 18);
    PutU16(out, isFloat ? 3 : 1); // WAVE_FORMAT_IEEE_FLOAT : WAVE_FORMAT_PCM
    PutU16(out, kChannels);
    PutU32(out, sampleRate);
    PutU32(out, sampleRate * blockAlign);
    PutU16(out, blockAlign);
    PutU16(out, bits);
    PutU16(out, 0); // cbSize
    PutTag(out, "data");
    PutU32(out, dataBytes);
    for (const double s : buffer.samples) {
        if (isFloat) {
            PutU32(out, std::bit_cast<std::uint32_t>(ToFloat32(s)));
        } else {
            PutU16(out, static_cast<std::uint16_t>(ToPcm16(s)));
        }
    }
    return out;
}

} // namespace soundgen
