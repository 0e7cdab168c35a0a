#pragma once
// The spellings scenarios use for keyboard keys and gamepad buttons: one word
// each, so that a scenario line splits at its blanks. The names a player
// writes in Veloxan.ini, and the log and --explain print, are the module's
// (src/game/key_names.h).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace simapp {

// A key by name, without case: A-Z, 0-9, shift, ctrl, alt, lshift, lctrl,
// space, enter, tab, backspace, capslock, up, down, left, right, num0-num9,
// f1-f12, or vkNN for any Windows virtual-key code NN (decimal, 1-255).
std::optional<int> KeyFromName(std::string_view name);
// The name a scenario writes for a virtual-key code, which KeyFromName reads
// back: "T", "shift", "num8", "f5", "vk190".
std::string ScenarioKeyName(int vk);

// Buttons joined by '+': dpad-up, dpad-down, dpad-left, dpad-right, start,
// back, ls, rs, lb, rb, a, b, x, y.
std::optional<std::uint16_t> ButtonsFromNames(std::string_view names);
// The names a scenario writes, which ButtonsFromNames reads back:
// "dpad-down+a"; empty for 0. Buttons without a name are left out.
std::string ScenarioButtonNames(std::uint16_t mask);

} // namespace simapp
