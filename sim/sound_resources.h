#pragma once
// The module's WAVE resources as the simulated game sees them: the same
// resource script and the same generated files that the Windows build embeds,
// so a sound the script does not name is missing here as well.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace sim::sounds {

struct WaveResource {
    std::uint32_t id = 0;
    std::vector<std::uint8_t> bytes; // the whole RIFF/WAVE file
    std::uint32_t durationMs = 0;    // length of the "data" chunk in milliseconds
};

// Length of the "data" chunk of a RIFF/WAVE file in milliseconds, rounded to
// the nearest; none when the bytes are not a file PlaySound could play.
std::optional<std::uint32_t> WaveDurationMs(const std::uint8_t* bytes, std::size_t size);

// The WAVE resource with this ID, or null when the resource script names no
// such resource or its file cannot be read. Loaded once, then cached.
const WaveResource* Find(std::uint32_t id);

// Where the bytes of a resource come from when a real module image holds
// them (the Windows stand-in reads them with FindResource); true and the
// whole file in `bytes` when the module has a WAVE resource of that ID. While
// a source is set, Find asks it instead of the resource script.
using ResourceSource = bool (*)(std::uint32_t id, std::vector<std::uint8_t>& bytes);
void SetResourceSource(ResourceSource source);

} // namespace sim::sounds
