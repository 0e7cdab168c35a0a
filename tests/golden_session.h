#pragma once
// One session of a player whose Veloxan.ini knows none of the keys that came
// after version 2.2.0: a boost, a walk through the menu (open, move, a slider,
// the sound, close) and a pad boost while the menu is open. The record of
// every native and platform call it makes, kept in tests/data/, is what a
// later module must still do with such a file, call for call and frame for
// frame. The host tests and the wine scenarios share this script.

#include "sim/game.h"
#include "version.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace golden {

// Every key this file holds was read by 2.2.0 already.
inline constexpr const char* kIni = "[Veloxan]\r\n"
                                    "KEY_PC=84\r\n"
                                    "KEY_PC_MENU=16\r\n"
                                    "KEY_GAMEPAD=2\r\n"
                                    "duration=10\r\n"
                                    "sensitivity=25\r\n"
                                    "power=40\r\n"
                                    "boost=35\r\n"
                                    "slowmo=20\r\n"
                                    "SFX_type=1\r\n"
                                    "New_Install=1\r\n"
                                    "display_notifications=1\r\n";

// The keys read at load since 2.3.0; a file without them reads each as its
// default.
inline constexpr const char* kNewKeys[] = {
    "KEY_MENU_UP",   "KEY_MENU_DOWN",    "KEY_MENU_LEFT", "KEY_MENU_RIGHT",  "KEY_MENU_SELECT",
    "KEY_MENU_BACK", "KEY_GAMEPAD_MENU", "SFX_volume",    "SFX_follow_game", "LANGUAGE"};

// Each is read once, as a number or, for LANGUAGE, as text; the file leaves
// them out, so the seven key settings among them (the six menu keys and
// KEY_GAMEPAD_MENU) are read once more as text.
inline constexpr std::size_t kNewKeyReads = std::size(kNewKeys) + 7;

// Either read of one: the number, then, since 2.4.0, the text when the
// number is 0.
inline bool IsNewSettingRead(const sim::CallRecord& c) {
    if ((c.name != "GetPrivateProfileIntA" || c.args.size() != 4) &&
        (c.name != "GetPrivateProfileStringA" || c.args.size() != 5)) {
        return false;
    }
    for (const char* key : kNewKeys) {
        if (c.S(1) == key) {
            return true;
        }
    }
    return false;
}

// Before the module starts: a pad it finds at pad index 0.
inline void Prepare(sim::Game& g) { g.input.ConnectPad(0); }

// From the first frame after the start on.
inline void Play(sim::Game& g) {
    constexpr int kT = 0x54;
    constexpr int kShift = 0x10;
    constexpr int kNumpad2 = 0x62;
    constexpr int kNumpad4 = 0x64;
    constexpr int kNumpad6 = 0x66;
    const auto hold = [&g](int vk, std::uint64_t frames) {
        g.input.HoldKeyFrames(vk, g.frame + 1, frames);
    };
    const auto run = [](std::uint64_t frames) { sim::RunFrames(frames); };

    run(10); // the first-run notice
    const std::int32_t car = g.world.AddVehicle(sim::VehicleClass::Car, 2);
    g.world.Get(car).speed = 15.0f;
    g.world.Get(car).throttle = 1.0f;
    g.world.EnterVehicle(car);
    hold(kT, 1);
    run(400); // spool-up, boost, blow-off and the whole recharge

    hold(kT, 1);
    hold(kShift, 1);
    run(14); // the menu opens and slides in
    hold(kNumpad2, 1);
    run(14); // Initial Boost
    hold(kNumpad6, 4);
    run(14); // the slider steps on each of the four frames
    for (int row = 0; row < 4; ++row) {
        hold(kNumpad2, 1);
        run(14); // down to the sound row
    }
    hold(kNumpad4, 1);
    run(14); // the Orca profile
    g.input.HoldButtonsFrames(0, 0x0002, g.frame + 1, 1);
    run(14); // D-pad down boosts, menu open or not
    hold(kT, 1);
    hold(kShift, 1);
    run(240); // the menu closes and saves; the boost runs its course
}

// One call as the record shows it. The log's line lengths are left out: its
// start report names more settings as the module learns them.
inline std::string Describe(const sim::CallRecord& c) {
    std::string line = c.name;
    if (c.name == "WriteFile") {
        return line;
    }
    for (const sim::Value& v : c.args) {
        char number[32];
        if (v.kind == 's') {
            // The menu's credit line names the version; the record does not.
            std::string text = v.s;
            const std::size_t at = text.find(VELOXAN_VERSION_SHORT);
            if (at != std::string::npos) {
                text.replace(at, std::strlen(VELOXAN_VERSION_SHORT), "v<version>");
            }
            line += " \"" + text + "\"";
            continue;
        }
        if (v.kind == 'f') {
            std::snprintf(number, sizeof number, " %.9g", static_cast<double>(v.f));
        } else {
            std::snprintf(number, sizeof number, " %d", v.i);
        }
        line += number;
    }
    return line;
}

// 64-bit FNV-1a: the record keeps each frame's calls as this digest.
inline std::uint64_t Digest(const std::string& text) {
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (const char c : text) {
        h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
    }
    return h;
}

// Frame by frame: "@N n=COUNT DIGEST", the digest taken over the frame's
// calls in order, natives and platform calls, each as Describe gives it; a
// frame that repeats the one before it call for call reads "@N =". Below a
// frame line, its platform calls in full whenever they differ from the frame
// before, so the keys, pads, reads, writes and sounds stay readable. Calls for
// which `skip` holds are left out and counted.
inline std::string Format(const std::vector<sim::CallRecord>& calls,
                          const std::function<bool(const sim::CallRecord&)>& skip,
                          std::size_t& skipped) {
    std::string out;
    std::string previousBlock;
    std::string previousPlatform;
    std::string block;
    std::string platform;
    std::size_t count = 0;
    std::uint64_t frame = 0;
    bool open = false;
    const auto flush = [&] {
        if (!open) {
            return;
        }
        char head[64];
        if (block == previousBlock) {
            std::snprintf(head, sizeof head, "@%llu =\n", static_cast<unsigned long long>(frame));
        } else {
            std::snprintf(head, sizeof head, "@%llu n=%zu %016llx\n",
                          static_cast<unsigned long long>(frame), count,
                          static_cast<unsigned long long>(Digest(block)));
        }
        out += head;
        if (block != previousBlock && platform != previousPlatform) {
            out += platform;
        }
        previousBlock = block;
        previousPlatform = platform;
    };
    skipped = 0;
    for (const sim::CallRecord& c : calls) {
        if (skip && skip(c)) {
            ++skipped;
            continue;
        }
        if (!open || c.frame != frame) {
            flush();
            frame = c.frame;
            block.clear();
            platform.clear();
            count = 0;
            open = true;
        }
        const std::string line = Describe(c) + "\n";
        block += line;
        ++count;
        if (c.hash == 0) {
            platform += "  " + line;
        }
    }
    flush();
    return out;
}

// Every call of one frame as Describe gives it, for a failure's report.
inline std::string FrameCalls(const std::vector<sim::CallRecord>& calls, std::uint64_t frame) {
    std::string out;
    for (const sim::CallRecord& c : calls) {
        if (c.frame == frame) {
            out += Describe(c) + "\n";
        }
    }
    return out;
}

// Where the two records first part, with a few lines of each around it and
// every call of that frame as it is made now.
inline std::string FirstDifference(const std::string& expected, const std::string& actual,
                                   const std::vector<sim::CallRecord>& calls) {
    const auto lines = [](const std::string& text) {
        std::vector<std::string> out;
        std::size_t at = 0;
        while (at < text.size()) {
            const std::size_t end = text.find('\n', at);
            out.push_back(text.substr(at, end - at));
            at = end == std::string::npos ? text.size() : end + 1;
        }
        return out;
    };
    const std::vector<std::string> a = lines(expected);
    const std::vector<std::string> b = lines(actual);
    std::size_t k = 0;
    while (k < a.size() && k < b.size() && a[k] == b[k]) {
        ++k;
    }
    std::string out = "first difference at line " + std::to_string(k + 1) + "\n";
    const std::size_t from = k > 3 ? k - 3 : 0;
    for (const auto& [name, text] : {std::make_pair("golden", &a), std::make_pair("now", &b)}) {
        out += std::string("--- ") + name + ":\n";
        for (std::size_t i = from; i < k + 4 && i < text->size(); ++i) {
            out += (*text)[i] + "\n";
        }
    }
    for (std::size_t i = k < b.size() ? k + 1 : b.size(); i-- > 0;) {
        if (b[i].rfind('@', 0) == 0) {
            const std::uint64_t frame = std::stoull(b[i].substr(1));
            out += "--- every call of frame " + std::to_string(frame) + " now:\n" +
                   FrameCalls(calls, frame);
            break;
        }
    }
    return out;
}

} // namespace golden
