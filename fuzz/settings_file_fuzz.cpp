// Any bytes a player's editor can leave in Veloxan.ini, read by LoadSettings
// through the host build's profile functions. The settings that come out lie
// in their documented ranges, and a save followed by a load gives back what
// memory held. A finding aborts with the field, so that libFuzzer keeps the
// input that caused it. A key the file names reads as a key of the table.

#include "game/key_names.h"
#include "settings/settings.h"
#include "sim/game.h"
#include "sim/ini_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

namespace {

std::string folder;

[[noreturn]] void Finding(const char* what, const char* field) {
    std::fprintf(stderr, "settings fuzz: %s: %s\n", what, field);
    std::abort();
}

// Shift, Ctrl and Alt are one key with their sides, as the module counts them.
bool SameKey(std::int32_t a, std::int32_t b) {
    const auto generic = [](std::int32_t c) {
        return c >= 0xA0 && c <= 0xA5 ? 0x10 + (c - 0xA0) / 2 : c;
    };
    return a != 0 && b != 0 && (a == b || generic(a) == b || a == generic(b));
}

// Every key setting the file gives as a name (its number reads 0, its text is
// more than digits) holds a key or buttons the tables name, or 0.
void CheckNamedKeys(const SettingsRecord& s) {
    const struct {
        const char* name;
        std::int32_t value;
        bool pad;
    } keys[] = {{"KEY_PC", s.KEY_PC, false},
                {"KEY_PC_2", s.KEY_PC_2, false},
                {"KEY_PC_MENU", s.KEY_PC_MENU, false},
                {"KEY_GAMEPAD", s.KEY_GAMEPAD, true},
                {"KEY_GAMEPAD_2", s.KEY_GAMEPAD_2, true},
                {"KEY_MENU_UP", s.KEY_MENU_UP, false},
                {"KEY_MENU_DOWN", s.KEY_MENU_DOWN, false},
                {"KEY_MENU_LEFT", s.KEY_MENU_LEFT, false},
                {"KEY_MENU_RIGHT", s.KEY_MENU_RIGHT, false},
                {"KEY_MENU_SELECT", s.KEY_MENU_SELECT, false},
                {"KEY_MENU_BACK", s.KEY_MENU_BACK, false},
                {"KEY_GAMEPAD_MENU", s.KEY_GAMEPAD_MENU, true}};
    const std::string path = folder + "/Veloxan.ini";
    for (const auto& k : keys) {
        const std::string text = sim::ini::ReadString(path, "Veloxan", k.name, "");
        if (sim::ini::ReadInt(path, "Veloxan", k.name, 0) != 0 ||
            text.find_first_not_of(" \t0123456789") == std::string::npos || k.value == 0) {
            continue;
        }
        std::int32_t named = 0;
        for (std::size_t b = 0; b < kPadButtonNameCount; ++b) {
            named |= kPadButtonNames[b].mask;
        }
        if (k.pad ? (k.value & ~named) != 0 : NameOfKey(k.value) == nullptr) {
            Finding("a key read from a name is not one the table names", k.name);
        }
    }
}

void CheckRanges(const SettingsRecord& s) {
    const struct {
        const char* name;
        float value;
    } fractions[] = {{"duration", s.duration},
                     {"sensitivity", s.sensitivity},
                     {"power", s.power},
                     {"boost", s.boost},
                     {"slowmo", s.slowmo}};
    for (const auto& f : fractions) {
        if (!(f.value > 0.0f && f.value <= 1.0f)) {
            Finding("fraction outside (0, 1]", f.name);
        }
    }
    const struct {
        const char* name;
        std::uint32_t value;
    } flags[] = {{"SFX_type", s.SFX_type},
                 {"New_Install", s.New_Install},
                 {"display_notifications", s.display_notifications},
                 {"SFX_follow_game", s.SFX_follow_game}};
    for (const auto& f : flags) {
        if (f.value > 1) {
            Finding("flag neither 0 nor 1", f.name);
        }
    }
    // A menu key is a virtual-key code, and one of the trigger's keys (Shift,
    // Ctrl and Alt with their sides) only when it is its keypad key, which a
    // trigger key on the keypad shares as it always did: only the file's own
    // code is refused for that. No two menu keys are one key.
    const struct {
        const char* name;
        std::int32_t value;
        std::int32_t keypad;
    } menuKeys[] = {
        {"KEY_MENU_UP", s.KEY_MENU_UP, 0x68},         {"KEY_MENU_DOWN", s.KEY_MENU_DOWN, 0x62},
        {"KEY_MENU_LEFT", s.KEY_MENU_LEFT, 0x64},     {"KEY_MENU_RIGHT", s.KEY_MENU_RIGHT, 0x66},
        {"KEY_MENU_SELECT", s.KEY_MENU_SELECT, 0x65}, {"KEY_MENU_BACK", s.KEY_MENU_BACK, 0x60}};
    for (const auto& k : menuKeys) {
        if (k.value < 1 || k.value > 254) {
            Finding("menu key outside 1 to 254", k.name);
        }
        const bool triggerKey = SameKey(k.value, s.KEY_PC) || SameKey(k.value, s.KEY_PC_2) ||
                                SameKey(k.value, s.KEY_PC_MENU);
        if (triggerKey && k.value != k.keypad) {
            Finding("menu key is a trigger key", k.name);
        }
        for (const auto& other : menuKeys) {
            if (&other != &k && SameKey(k.value, other.value)) {
                Finding("two menu keys on one key", k.name);
            }
        }
    }
    // The D-pad, A and B: the menu's own commands on the pad.
    constexpr std::int32_t kMenuCommandButtons = 0x000F | 0x1000 | 0x2000;
    if (s.KEY_GAMEPAD_MENU < 0 || s.KEY_GAMEPAD_MENU > 0xFFFF ||
        (s.KEY_GAMEPAD_MENU & (s.KEY_GAMEPAD | s.KEY_GAMEPAD_2 | kMenuCommandButtons)) != 0) {
        Finding("pad menu buttons outside 0 to 0xFFFF, shared with the trigger or the menu",
                "KEY_GAMEPAD_MENU");
    }
    if (s.SFX_volume < 1 || s.SFX_volume > 100) {
        Finding("volume outside 1 to 100", "SFX_volume");
    }
}

void CheckSame(const SettingsRecord& held, const SettingsRecord& loaded) {
    // The file holds whole percentages: a fraction comes back as the same
    // percentage, to within the rounding of N * 0.01 (the fallback 0.6 comes
    // back as 60 * 0.01f, 0.59999996). A lost percent is 0.01.
    const auto same = [](float a, float b) { return std::fabs(a - b) <= 1e-6f; };
    if (!same(held.duration, loaded.duration)) {
        Finding("save and load changed", "duration");
    }
    if (!same(held.sensitivity, loaded.sensitivity)) {
        Finding("save and load changed", "sensitivity");
    }
    if (!same(held.power, loaded.power)) {
        Finding("save and load changed", "power");
    }
    if (!same(held.boost, loaded.boost)) {
        Finding("save and load changed", "boost");
    }
    if (!same(held.slowmo, loaded.slowmo)) {
        Finding("save and load changed", "slowmo");
    }
    if (held.SFX_type != loaded.SFX_type || held.New_Install != loaded.New_Install ||
        held.display_notifications != loaded.display_notifications) {
        Finding("save and load changed", "a flag");
    }
    if (held.KEY_PC != loaded.KEY_PC || held.KEY_PC_2 != loaded.KEY_PC_2 ||
        held.KEY_PC_MENU != loaded.KEY_PC_MENU || held.KEY_GAMEPAD != loaded.KEY_GAMEPAD ||
        held.KEY_GAMEPAD_2 != loaded.KEY_GAMEPAD_2) {
        Finding("save and load changed", "a key binding");
    }
    // Never written: the file keeps what the player gave, so a load reads the same.
    if (held.KEY_MENU_UP != loaded.KEY_MENU_UP || held.KEY_MENU_DOWN != loaded.KEY_MENU_DOWN ||
        held.KEY_MENU_LEFT != loaded.KEY_MENU_LEFT ||
        held.KEY_MENU_RIGHT != loaded.KEY_MENU_RIGHT ||
        held.KEY_MENU_SELECT != loaded.KEY_MENU_SELECT ||
        held.KEY_MENU_BACK != loaded.KEY_MENU_BACK ||
        held.KEY_GAMEPAD_MENU != loaded.KEY_GAMEPAD_MENU || held.SFX_volume != loaded.SFX_volume) {
        Finding("save and load changed", "a menu key, the pad menu or the volume");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Every input rewrites the file several times: a disk file system that
    // flushes each truncated file on close would make that the whole cost.
    char inMemory[] = "/dev/shm/veloxan-fuzz-XXXXXX";
    char onDisk[] = "/tmp/veloxan-fuzz-XXXXXX";
    const char* made = mkdtemp(inMemory);
    if (made == nullptr) {
        made = mkdtemp(onDisk);
    }
    if (made == nullptr) {
        Finding("no temporary folder", onDisk);
    }
    folder = made;
    sim::game().options.fileRoot = folder;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    sim::Game& g = sim::game();
    {
        std::ofstream out(folder + "/Veloxan.ini", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    LoadSettings();
    CheckRanges(Settings);
    CheckNamedKeys(Settings);
    SaveSettings();
    const SettingsRecord held = Settings;
    LoadSettings();
    CheckRanges(Settings);
    CheckSame(held, Settings);
    if (!g.faults.empty()) {
        Finding("simulated game fault", g.faults.front().c_str());
    }
    // The game records every platform call; one input's record is enough.
    g.calls.clear();
    return 0;
}
