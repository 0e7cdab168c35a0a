#pragma once
// The call contract with the game's script natives, in one typed place.
// A native is declared once, by hash and signature (see natives.h), and
// called like a function: arguments are packed into the 64-bit slots the
// game expects and the result is read straight from the returned slots.

#include "game/script_hook.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace native {

// A 3D vector result: three 8-byte slots, each a float in its low half.
struct Vector3 {
    float x;
    float y;
    float z;
};

using Ped = std::int32_t;
using Vehicle = std::int32_t;
using Entity = std::int32_t;
using Hash = std::uint32_t;

namespace detail {

// Whole numbers, handles and flags travel in the low 32 bits of a zeroed
// slot; a negative number is not sign-extended (-1 goes as 0x00000000FFFFFFFF).
inline void Push(std::int32_t value) { nativePush64(static_cast<std::uint32_t>(value)); }
inline void Push(std::uint32_t value) { nativePush64(value); }
inline void Push(bool value) { nativePush64(value ? 1u : 0u); }
inline void Push(float value) { nativePush64(std::bit_cast<std::uint32_t>(value)); }
inline void Push(const char* text) { nativePush64(reinterpret_cast<std::uintptr_t>(text)); }

inline std::uint32_t Low32(const std::uint64_t* slots, std::size_t index) {
    std::uint32_t low = 0;
    std::memcpy(&low, reinterpret_cast<const unsigned char*>(slots) + 8 * index, sizeof low);
    return low;
}

template <typename R>
R Read(const std::uint64_t* slots);
template <>
inline std::int32_t Read<std::int32_t>(const std::uint64_t* slots) {
    return static_cast<std::int32_t>(Low32(slots, 0));
}
template <>
inline std::uint32_t Read<std::uint32_t>(const std::uint64_t* slots) {
    return Low32(slots, 0);
}
template <>
inline bool Read<bool>(const std::uint64_t* slots) {
    return Low32(slots, 0) != 0;
}
template <>
inline float Read<float>(const std::uint64_t* slots) {
    return std::bit_cast<float>(Low32(slots, 0));
}
template <>
inline Vector3 Read<Vector3>(const std::uint64_t* slots) {
    return {std::bit_cast<float>(Low32(slots, 0)), std::bit_cast<float>(Low32(slots, 1)),
            std::bit_cast<float>(Low32(slots, 2))};
}

} // namespace detail

template <std::uint64_t Hash, typename Signature>
struct Native;

// Arguments convert to the declared parameter types at the call, so a
// literal 0 passed for a float parameter still goes as a float.
template <std::uint64_t Hash, typename R, typename... Params>
struct Native<Hash, R(Params...)> {
    static constexpr std::uint64_t hash = Hash;

    R operator()(Params... args) const {
        nativeInit(Hash);
        (detail::Push(args), ...);
        if constexpr (std::is_void_v<R>) {
            nativeCall();
        } else {
            return detail::Read<R>(nativeCall());
        }
    }
};

} // namespace native
