#pragma once
// The natives the simulated game knows: hash, public name, argument kinds in
// push order, result kinds and a handler that answers from the world model.
// Argument kinds: 'i' whole number or handle, 'b' flag (0 or 1), 'f' float,
// 's' text. The result is written the same way, one kind per slot: "" for
// none, "fff" for a 3D vector. A hash not in the table is a fault, never a
// silent zero.

#include "sim/world.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace sim {

class Game;

struct NativeArgs {
    const std::vector<std::uint64_t>& raw;
    std::int32_t I(std::size_t k) const {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(raw[k]));
    }
    bool B(std::size_t k) const { return (raw[k] & 0xFFFFFFFFu) != 0; }
    float F(std::size_t k) const;
    const char* S(std::size_t k) const {
        return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(raw[k]));
    }
};

struct NativeResult {
    std::array<std::uint64_t, 4>& slots;
    void Int(std::int32_t v) { slots[0] = static_cast<std::uint32_t>(v); }
    void Flag(bool v) { slots[0] = v ? 1u : 0u; }
    void Float(float v);
    void Vector(Vec3 v);
};

using NativeHandler = void (*)(Game&, const NativeArgs&, NativeResult&);

struct NativeEntry {
    std::uint64_t hash;
    const char* name;
    const char* args;
    const char* result;
    NativeHandler handler;
};

const NativeEntry* FindNative(std::uint64_t hash);

// The whole table, for checks against a native database.
std::span<const NativeEntry> AllNatives();

} // namespace sim
