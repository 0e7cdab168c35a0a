#include "sim/sound_resources.h"

#include <cctype>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#if !defined(VELOXAN_SOUND_DIR) || !defined(VELOXAN_RC_FILE)
#error "sound_resources.cpp needs VELOXAN_SOUND_DIR and VELOXAN_RC_FILE (see resources.cmake)"
#endif

namespace sim::sounds {

namespace {

std::optional<std::string> ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << f.rdbuf();
    if (f.bad()) {
        return std::nullopt;
    }
    return std::move(text).str();
}

// The script with its comments blanked out. Newlines inside block comments
// are kept so each statement stays on its own line.
std::string StripComments(std::string_view script) {
    std::string out;
    out.reserve(script.size());
    for (std::size_t i = 0; i < script.size(); ++i) {
        if (script.compare(i, 2, "//") == 0) {
            while (i < script.size() && script[i] != '\n') {
                ++i;
            }
            if (i < script.size()) {
                out += '\n';
            }
        } else if (script.compare(i, 2, "/*") == 0) {
            const std::size_t end = script.find("*/", i + 2);
            const std::size_t stop = end == std::string_view::npos ? script.size() : end + 2;
            for (; i < stop; ++i) {
                if (script[i] == '\n') {
                    out += '\n';
                }
            }
            --i;
        } else {
            out += script[i];
        }
    }
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// `<id> WAVE "<file>"` -> id and file; anything else is not ours to read.
// The resource compiler takes type names case-insensitively, so do we.
std::optional<std::pair<std::uint32_t, std::string>> ParseWaveLine(const std::string& line) {
    std::istringstream in(line);
    std::string idText;
    std::string type;
    if (!(in >> idText >> type)) {
        return std::nullopt;
    }
    if (idText.empty() || idText.size() > 5 ||
        idText.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const unsigned long id = std::stoul(idText);
    if (id == 0 || id > 0xFFFF || !EqualsNoCase(type, "WAVE")) {
        return std::nullopt;
    }
    in >> std::ws;
    if (in.get() != '"') {
        return std::nullopt;
    }
    std::string file;
    for (int c = in.get(); c != '"'; c = in.get()) {
        if (c == std::char_traits<char>::eof()) {
            return std::nullopt;
        }
        // In a resource script a doubled backslash is one path separator.
        if (c == '\\' && in.peek() == '\\') {
            in.get();
        }
        file += static_cast<char>(c);
    }
    std::string rest;
    if (file.empty() || (in >> rest)) {
        return std::nullopt;
    }
    return std::make_pair(static_cast<std::uint32_t>(id), file);
}

std::uint32_t U32(const std::uint8_t* b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 |
           static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t U16(const std::uint8_t* b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::optional<std::uint32_t> DurationMs(const std::string& b) {
    return WaveDurationMs(reinterpret_cast<const std::uint8_t*>(b.data()), b.size());
}

std::map<std::uint32_t, WaveResource> LoadAll() {
    std::map<std::uint32_t, WaveResource> table;
    const std::optional<std::string> script = ReadFile(VELOXAN_RC_FILE);
    if (!script) {
        return table;
    }
    std::istringstream lines(StripComments(*script));
    for (std::string line; std::getline(lines, line);) {
        const auto entry = ParseWaveLine(line);
        if (!entry || table.contains(entry->first)) {
            continue;
        }
        const std::optional<std::string> bytes =
            ReadFile(std::string(VELOXAN_SOUND_DIR) + "/" + entry->second);
        if (!bytes) {
            continue;
        }
        const std::optional<std::uint32_t> duration = DurationMs(*bytes);
        if (!duration) {
            continue;
        }
        WaveResource& wave = table[entry->first];
        wave.id = entry->first;
        wave.bytes.assign(bytes->begin(), bytes->end());
        wave.durationMs = *duration;
    }
    return table;
}

ResourceSource resourceSource = nullptr;

const WaveResource* FindInSource(std::uint32_t id) {
    static std::map<std::uint32_t, WaveResource> loaded;
    if (const auto it = loaded.find(id); it != loaded.end()) {
        return &it->second;
    }
    std::vector<std::uint8_t> bytes;
    if (!resourceSource(id, bytes)) {
        return nullptr;
    }
    const std::optional<std::uint32_t> duration =
        DurationMs(std::string(bytes.begin(), bytes.end()));
    if (!duration) {
        return nullptr;
    }
    WaveResource& wave = loaded[id];
    wave.id = id;
    wave.bytes = std::move(bytes);
    wave.durationMs = *duration;
    return &wave;
}

} // namespace

std::optional<std::uint32_t> WaveDurationMs(const std::uint8_t* b, std::size_t size) {
    if (size < 12 || std::memcmp(b, "RIFF", 4) != 0 || std::memcmp(b + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    std::uint32_t rate = 0;
    std::uint16_t blockAlign = 0;
    std::size_t at = 12;
    while (at + 8 <= size) {
        const std::string_view tag(reinterpret_cast<const char*>(b) + at, 4);
        const std::uint32_t length = U32(b, at + 4);
        const std::size_t body = at + 8;
        if (length > size - body) {
            return std::nullopt;
        }
        if (tag == "fmt ") {
            if (length < 16) {
                return std::nullopt;
            }
            rate = U32(b, body + 4);
            blockAlign = U16(b, body + 12);
        } else if (tag == "data") {
            if (rate == 0 || blockAlign == 0) {
                return std::nullopt;
            }
            const std::uint64_t frames = length / blockAlign;
            return static_cast<std::uint32_t>((frames * 1000 + rate / 2) / rate);
        }
        // Chunks are padded to an even length.
        at = body + length + (length & 1u);
    }
    return std::nullopt;
}

void SetResourceSource(ResourceSource source) { resourceSource = source; }

const WaveResource* Find(std::uint32_t id) {
    if (resourceSource != nullptr) {
        return FindInSource(id);
    }
    static const std::map<std::uint32_t, WaveResource> table = LoadAll();
    const auto it = table.find(id);
    return it != table.end() ? &it->second : nullptr;
}

} // namespace sim::sounds
