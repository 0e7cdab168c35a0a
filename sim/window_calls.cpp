#include "sim/window_calls.h"

#include "sim/game.h"

#include <cstdint>

namespace sim::platform {

namespace {

// Window handles are opaque: any two distinct values serve.
const auto kGameWindow = reinterpret_cast<void*>(std::uintptr_t{0x000A0042});
const auto kOtherWindow = reinterpret_cast<void*>(std::uintptr_t{0x000B0017});
constexpr std::uint32_t kGameThreadId = 0x2A10;
constexpr std::uint32_t kOtherThreadId = 0x3B24;
// Another program, whatever the game's own id.
std::uint32_t OtherProcessId(std::uint32_t gameProcessId) { return gameProcessId ^ 0x5000u; }

} // namespace

void* ForegroundWindow() {
    Record(PlatformCall("GetForegroundWindow"));
    const Input& input = game().input;
    if (input.noWindowInFront) {
        return nullptr;
    }
    return input.foreground ? kGameWindow : kOtherWindow;
}

std::uint32_t WindowThreadProcessId(void* window, std::uint32_t* processId,
                                    std::uint32_t gameProcessId) {
    Record(PlatformCall("GetWindowThreadProcessId"));
    std::uint32_t owner = 0;
    std::uint32_t thread = 0;
    if (window == kGameWindow) {
        owner = gameProcessId;
        thread = kGameThreadId;
    } else if (window == kOtherWindow) {
        owner = OtherProcessId(gameProcessId);
        thread = kOtherThreadId;
    } else {
        Fault("GetWindowThreadProcessId on a window the game never gave out");
    }
    if (processId != nullptr) {
        *processId = owner;
    }
    return thread;
}

std::uint32_t CurrentProcessId() {
    Record(PlatformCall("GetCurrentProcessId"));
    return kGameProcessId;
}

} // namespace sim::platform
