#include "host/key_input.h"

std::uint32_t keysHeldAcrossPause[8] = {};

bool KeyDown(int virtualKey) {
    std::uint32_t& word = keysHeldAcrossPause[(virtualKey >> 5) & 7];
    const std::uint32_t bit = 1u << (virtualKey & 31);
    if (!KeyHeld(virtualKey)) {
        word &= ~bit;
        return false;
    }
    return (word & bit) == 0;
}
