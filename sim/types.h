#pragma once
// Records the simulated game keeps of what the module did, for tests and for
// the simulator's timeline.

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

// One decoded argument of a native or platform call.
struct Value {
    char kind = 'i'; // 'i' whole number, handle or flag; 'f' float; 's' text
    std::int32_t i = 0;
    float f = 0.0f;
    std::string s;
};

// A whole number, handle or flag, as the record shows it.
inline Value IntValue(std::int64_t v) {
    Value out;
    out.i = static_cast<std::int32_t>(v);
    return out;
}

inline Value TextValue(const char* s) {
    Value out;
    out.kind = 's';
    out.s = s != nullptr ? s : "(null)";
    return out;
}

struct CallRecord {
    std::uint64_t frame = 0;
    std::uint32_t tick = 0;
    std::uint64_t hash = 0; // 0 for a platform (Windows) call
    std::string name;
    std::vector<Value> args;

    std::int32_t I(std::size_t k) const { return args.at(k).i; }
    float F(std::size_t k) const { return args.at(k).f; }
    const std::string& S(std::size_t k) const { return args.at(k).s; }
};

// Text properties set by the SET_TEXT_* natives; they apply to the next text
// drawn and are then reset, as in the game.
struct TextStyle {
    std::int32_t font = 0;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    std::int32_t colour[4] = {255, 255, 255, 255};
    float wrapStart = 0.0f;
    float wrapEnd = 1.0f;
    bool centre = false;
    bool outline = false;
    std::int32_t dropShadow[5] = {0, 0, 0, 0, 0};
    std::int32_t edge[5] = {0, 0, 0, 0, 0};
    bool dropShadowSet = false;
    bool edgeSet = false;
};

struct DrawnRect {
    float x = 0, y = 0, width = 0, height = 0;
    std::int32_t red = 0, green = 0, blue = 0, alpha = 0;
};

struct DrawnText {
    float x = 0, y = 0;
    std::string text;
    TextStyle style;
};

// One item of a frame's draw list, in the order the module drew it.
struct DrawItem {
    enum Kind { Rect, Text } kind = Rect;
    DrawnRect rect;
    DrawnText text;
};

struct FeedItem {
    std::int32_t handle = 0;
    std::string text;
    TextStyle style;
    std::uint64_t postedFrame = 0;
    bool removed = false;
    std::uint64_t removedFrame = 0;
};

struct SoundPlay {
    std::uint64_t frame = 0;
    std::uint32_t tick = 0;
    std::uint32_t id = 0; // resource ID, 0 when the name was not an ID
    std::uint32_t flags = 0;
    bool found = false; // the module holds a WAVE resource of that ID
    std::uint32_t durationMs = 0;
    // Milliseconds the sound had played when a later sound replaced it; equal
    // to durationMs when it ran to its end.
    std::uint32_t playedMs = 0;
    bool cutOff = false;
    const std::uint8_t* wave =
        nullptr; // the bytes the module named: its resource's or its own copy
    // For an image inside a copy played before (the rest of a recording,
    // with a header of its own in front): where it begins in that copy.
    std::size_t insideCopyAt = 0;
    std::size_t waveBytes = 0;
};

struct ParticleStart {
    std::uint64_t frame = 0;
    std::string asset; // asset selected for this start, empty when none was
    std::string effect;
    float x = 0, y = 0, z = 0, rotX = 0, rotY = 0, rotZ = 0, scale = 0;
    std::int32_t result = 0;
};

} // namespace sim
