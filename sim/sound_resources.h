#pragma once
// The module's WAVE resources as the simulated game sees them: the same
// resource script and the same generated files that the Windows build embeds,
// so a sound the script does not name is missing here as well.

#include <cstdint>
#include <vector>

namespace sim::sounds {

struct WaveResource {
    std::uint32_t id = 0;
    std::vector<std::uint8_t> bytes; // the whole RIFF/WAVE file
    std::uint32_t durationMs = 0;    // length of the "data" chunk in milliseconds
};

// The WAVE resource with this ID, or null when the resource script names no
// such resource or its file cannot be read. Loaded once, then cached.
const WaveResource* Find(std::uint32_t id);

} // namespace sim::sounds
