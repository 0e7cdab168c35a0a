#include "sim/app/scenario_keys.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace simapp {

namespace {

struct NamedKey {
    const char* name;
    int vk;
};

constexpr NamedKey kKeys[] = {
    {"backspace", 8}, {"tab", 9},      {"enter", 13},    {"shift", 16},
    {"ctrl", 17},     {"alt", 18},     {"capslock", 20}, {"space", 32},
    {"left", 0x25},   {"up", 0x26},    {"right", 0x27},  {"down", 0x28},
    {"lshift", 160},  {"rshift", 161}, {"lctrl", 162},   {"rctrl", 163},
};

struct NamedButton {
    const char* name;
    std::uint16_t mask;
};

constexpr NamedButton kButtons[] = {
    {"dpad-up", 0x0001}, {"dpad-down", 0x0002}, {"dpad-left", 0x0004}, {"dpad-right", 0x0008},
    {"start", 0x0010},   {"back", 0x0020},      {"ls", 0x0040},        {"rs", 0x0080},
    {"lb", 0x0100},      {"rb", 0x0200},        {"a", 0x1000},         {"b", 0x2000},
    {"x", 0x4000},       {"y", 0x8000},
};

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// A whole decimal number from `first` to the end, within [low, high].
std::optional<int> WholeNumber(std::string_view text, int low, int high) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<int> KeyFromName(std::string_view name) {
    const std::string key = Lower(name);
    if (key.size() == 1 && ((key[0] >= 'a' && key[0] <= 'z') || (key[0] >= '0' && key[0] <= '9'))) {
        return std::toupper(static_cast<unsigned char>(key[0]));
    }
    for (const NamedKey& k : kKeys) {
        if (key == k.name) {
            return k.vk;
        }
    }
    if (key.size() == 4 && key.rfind("num", 0) == 0 && key[3] >= '0' && key[3] <= '9') {
        return 0x60 + (key[3] - '0');
    }
    if (key.size() >= 2 && key[0] == 'f') {
        if (const auto n = WholeNumber(std::string_view(key).substr(1), 1, 12)) {
            return 0x70 + *n - 1;
        }
    }
    if (key.rfind("vk", 0) == 0) {
        return WholeNumber(std::string_view(key).substr(2), 1, 255);
    }
    return std::nullopt;
}

std::string ScenarioKeyName(int vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) {
        return std::string(1, static_cast<char>(vk));
    }
    for (const NamedKey& k : kKeys) {
        if (vk == k.vk) {
            return k.name;
        }
    }
    if (vk >= 0x60 && vk <= 0x69) {
        return "num" + std::to_string(vk - 0x60);
    }
    if (vk >= 0x70 && vk <= 0x7B) {
        return "f" + std::to_string(vk - 0x70 + 1);
    }
    return "vk" + std::to_string(vk);
}

std::optional<std::uint16_t> ButtonsFromNames(std::string_view names) {
    std::uint16_t mask = 0;
    std::size_t start = 0;
    while (start <= names.size()) {
        const std::size_t plus = std::min(names.find('+', start), names.size());
        const std::string part = Lower(names.substr(start, plus - start));
        bool known = false;
        for (const NamedButton& b : kButtons) {
            if (part == b.name) {
                mask = static_cast<std::uint16_t>(mask | b.mask);
                known = true;
            }
        }
        if (!known) {
            return std::nullopt;
        }
        start = plus + 1;
    }
    return mask;
}

std::string ScenarioButtonNames(std::uint16_t mask) {
    std::string out;
    for (const NamedButton& b : kButtons) {
        if ((mask & b.mask) != 0) {
            out += (out.empty() ? "" : "+") + std::string(b.name);
        }
    }
    return out;
}

} // namespace simapp
