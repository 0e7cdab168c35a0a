#pragma once
// Names for keyboard keys and gamepad buttons, as scenarios write them and as
// --explain prints them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace simapp {

// A key by name, without case: A-Z, 0-9, shift, ctrl, alt, lshift, lctrl,
// space, enter, tab, backspace, capslock, up, down, left, right, num0-num9,
// f1-f12, or vkNN for any Windows virtual-key code NN (decimal, 1-255).
std::optional<int> KeyFromName(std::string_view name);
// A player's name for a virtual-key code: "T", "Shift", "Numpad 8", "F5".
std::string KeyName(int vk);
// The name a scenario writes for a virtual-key code, which KeyFromName reads
// back: "T", "shift", "num8", "f5", "vk190".
std::string ScenarioKeyName(int vk);

// Buttons joined by '+': dpad-up, dpad-down, dpad-left, dpad-right, start,
// back, ls, rs, lb, rb, a, b, x, y.
std::optional<std::uint16_t> ButtonsFromNames(std::string_view names);
// "D-pad down", "A + B"; "none" for 0.
std::string ButtonNames(std::int32_t mask);
// The names a scenario writes, which ButtonsFromNames reads back:
// "dpad-down+a"; empty for 0. Buttons without a name are left out.
std::string ScenarioButtonNames(std::uint16_t mask);

} // namespace simapp
