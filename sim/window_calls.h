#pragma once
// The foreground window and the process that owns it, as the simulated game
// answers them: the game's own window while Input::foreground holds, another
// program's window otherwise, and none while Input::noWindowInFront holds.

#include <cstdint>

namespace sim::platform {

// The simulated game's process, as GetCurrentProcessId answers it on the host.
inline constexpr std::uint32_t kGameProcessId = 0x1F40;

void* ForegroundWindow();
// GetWindowThreadProcessId: the owner of `window`, with `gameProcessId` for
// the game's own window (the real process id under wine).
std::uint32_t WindowThreadProcessId(void* window, std::uint32_t* processId,
                                    std::uint32_t gameProcessId);
std::uint32_t CurrentProcessId();

} // namespace sim::platform
