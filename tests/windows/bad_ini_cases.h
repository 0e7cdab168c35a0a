#pragma once
// The bad Veloxan.ini files of the wine scenario "bad_ini", each with what the
// module holds after reading it through Windows' profile functions. The INI
// differential reads the same files through the host build's profile layer.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace bad_ini {

enum class Setup { File, ReadOnlyFile, Folder };

// What the module holds after reading the file. A menu key of 0 leaves the
// menu shut, so only the boost fraction (through the launch) is seen then.
struct Held {
    float duration = 0.6f;
    float sensitivity = 0.25f;
    float power = 0.4f;
    float boost = 0.35f;
    float slowmo = 0.2f;
    bool lumen = true;         // SFX_type 1
    bool notice = false;       // New_Install 1
    bool notifications = true; // display_notifications 1
    int keyPc = 84;
    int keyMenu = 0;
    std::uint16_t keyGamepad = 2;
};

struct Case {
    const char* name;
    Setup setup;
    std::string (*file)();
    Held held;
};

// Deterministic bytes of every value, CR, LF and NUL included.
inline std::string Junk(std::size_t size, std::uint32_t seed) {
    std::string bytes(size, '\0');
    std::uint32_t x = seed;
    for (char& c : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x >> 24);
    }
    return bytes;
}

inline std::string Utf16Le(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (const char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

inline constexpr std::size_t kTenMegabytes = 10u << 20;

inline std::string TenMegabytes() {
    std::string text = "[Other]\r\n";
    text.reserve(kTenMegabytes + 64);
    char line[64];
    for (int n = 0; text.size() < kTenMegabytes; ++n) {
        std::snprintf(line, sizeof line, "filler%07d=a line of nothing much\r\n", n);
        text += line;
    }
    return text + "[Veloxan]\r\nKEY_PC_MENU=16\r\nduration=90\r\n";
}

// Held: duration, sensitivity, power, boost, slowmo, lumen, notice,
// notifications, KEY_PC, KEY_PC_MENU, KEY_GAMEPAD.
inline const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        // Past 2^32 the value wraps: 2^32 + 72, 2^32 + 50, 2^64 + 100, 3 x 2^32 + 30,
        // 2^32 + 4096.
        {"huge_numbers",
         Setup::File,
         [] {
             return std::string("[Veloxan]\r\nKEY_PC_MENU=16\r\nKEY_PC=4294967368\r\n"
                                "duration=4294967346\r\nsensitivity=99999999999999999999\r\n"
                                "power=18446744073709551716\r\nboost=4294967295\r\n"
                                "slowmo=12884901918\r\nNew_Install=4294967297\r\n"
                                "display_notifications=8589934592\r\nSFX_type=4294967296\r\n"
                                "KEY_GAMEPAD=4294971392\r\n");
         },
         {0.5f, 0.25f, 1.0f, 0.35f, 0.3f, false, true, false, 72, 16, 4096}},
        // A sign is taken modulo 2^32: -1 is 4294967295, -(2^32 - 70) is 70.
        {"negative_numbers",
         Setup::File,
         [] {
             return std::string("[Veloxan]\r\nKEY_PC_MENU=16\r\nduration=-60\r\nsensitivity=-0\r\n"
                                "power=-4294967226\r\nboost=-1\r\nslowmo=- 40\r\n"
                                "New_Install=-1\r\ndisplay_notifications=-1\r\nSFX_type=-1\r\n");
         },
         {0.6f, 0.25f, 0.7f, 0.35f, 0.2f, true, false, true, 84, 16}},
        {"text",
         Setup::File,
         [] {
             return std::string(
                 "[Veloxan]\r\nKEY_PC_MENU=16\r\nKEY_PC=\"72\"\r\nduration=long\r\n"
                 "sensitivity=15%\r\npower=0x32\r\nboost=45 percent\r\n"
                 "slowmo=thirty\r\nNew_Install=yes\r\n"
                 "display_notifications=off\r\nSFX_type=Orca\r\nKEY_GAMEPAD=0x1000\r\n");
         },
         {0.6f, 0.15f, 0.5f, 0.45f, 0.2f, false, false, false, 72, 16, 4096}},
        // Empty is missing: each key gives its default, not 0.
        {"empty_values",
         Setup::File,
         [] {
             return std::string("[Veloxan]\r\nKEY_PC_MENU = 16\r\nKEY_PC=\r\nduration=\r\n"
                                "sensitivity=   \r\npower=\"\"\r\nboost\r\nslowmo=\r\n"
                                "New_Install=\r\ndisplay_notifications=\r\nSFX_type=\r\n");
         },
         {0.6f, 0.25f, 0.4f, 0.35f, 0.2f, true, false, true, 84, 16}},
        {"duplicate_keys",
         Setup::File,
         [] {
             return std::string("[Veloxan]\r\nKEY_PC_MENU=16\r\nKEY_PC=72\r\nduration=80\r\n"
                                "SFX_type=0\r\nduration=30\r\nKEY_PC=84\r\nSFX_type=1\r\n"
                                "KEY_PC_MENU=17\r\n");
         },
         {0.8f, 0.25f, 0.4f, 0.35f, 0.2f, false, false, true, 72, 16}},
        {"duplicate_sections",
         Setup::File,
         [] {
             return std::string("[Veloxan]\r\nKEY_PC_MENU=16\r\npower=70\r\n[Other]\r\n"
                                "duration=20\r\n[VELOXAN]\r\npower=20\r\nboost=50\r\n"
                                "New_Install=1\r\n");
         },
         {0.6f, 0.25f, 0.7f, 0.35f, 0.2f, true, false, true, 84, 16}},
        {"no_section_header",
         Setup::File,
         [] {
             return std::string(
                 "KEY_PC=72\r\nKEY_PC_MENU=16\r\nduration=90\r\nboost=50\r\nNew_Install=1\r\n");
         },
         {}},
        {"keys_before_the_header",
         Setup::File,
         [] {
             return std::string(
                 "KEY_PC=72\r\nduration=90\r\n[Veloxan]\r\nKEY_PC_MENU=16\r\npower=70\r\n");
         },
         {0.6f, 0.25f, 0.7f, 0.35f, 0.2f, true, false, true, 84, 16}},
        {"mixed_line_ends_no_final_newline",
         Setup::File,
         [] {
             return std::string("[Veloxan]\nKEY_PC_MENU=16\r\nduration=90\npower=70\r\n\n"
                                "boost=50\r\n\r\nsensitivity=40\rSFX_type=0\nslowmo=30");
         },
         {0.9f, 0.4f, 0.7f, 0.5f, 0.3f, false, false, true, 84, 16}},
        {"utf8_byte_order_mark",
         Setup::File,
         [] {
             return std::string(
                 "\xEF\xBB\xBF[Veloxan]\r\nKEY_PC_MENU=16\r\nduration=90\r\nSFX_type=0\r\n");
         },
         {0.9f, 0.25f, 0.4f, 0.35f, 0.2f, false, false, true, 84, 16}},
        {"utf16",
         Setup::File,
         [] {
             return Utf16Le("[Veloxan]\r\nKEY_PC=72\r\nKEY_PC_MENU=16\r\nduration=90\r\n"
                            "SFX_type=0\r\nNew_Install=1\r\n");
         },
         {0.9f, 0.25f, 0.4f, 0.35f, 0.2f, false, true, true, 72, 16}},
        {"ten_megabytes",
         Setup::File,
         TenMegabytes,
         {0.9f, 0.25f, 0.4f, 0.35f, 0.2f, true, false, true, 84, 16}},
        {"binary_junk", Setup::File, [] { return Junk(64 << 10, 2463534242u); }, {}},
        {"section_in_binary_junk",
         Setup::File,
         [] {
             return Junk(16 << 10, 88172645u) +
                    "\r\n[Veloxan]\r\nKEY_PC_MENU=16\r\nduration=90\r\n" +
                    Junk(16 << 10, 521288629u);
         },
         {0.9f, 0.25f, 0.4f, 0.35f, 0.2f, true, false, true, 84, 16}},
        // The menu's saves fail; the record keeps what the menu set. Besides
        // the attribute, the game holds the file open against writers: wine
        // run as root writes over the attribute alone.
        {"read_only",
         Setup::ReadOnlyFile,
         [] {
             return std::string("[Veloxan]\r\nKEY_PC_MENU=16\r\nduration=60\r\nNew_Install=1\r\n");
         },
         {0.6f, 0.25f, 0.4f, 0.35f, 0.2f, true, true, true, 84, 16}},
        {"folder", Setup::Folder, nullptr, {}},
    };
    return cases;
}

} // namespace bad_ini
