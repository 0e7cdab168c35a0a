#include "sim/app/explain.h"

#include "game/key_names.h"
#include "settings/settings.h"
#include "sim/game.h"
#include "turbo/boost_tuning.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iterator>

namespace simapp {

namespace {

constexpr double kMsToKmh = 3.6;

std::string Format(const char* format, double a, double b = 0.0) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

// A key as Veloxan.ini may name it, with its code: "T (84)".
std::string KeyName(std::int32_t vk) {
    const char* name = NameOfKey(vk);
    return std::string(name != nullptr ? name : "unnamed key") + " (" + std::to_string(vk) + ")";
}

std::string KeyOrNone(std::int32_t vk) { return vk == 0 ? "none" : KeyName(vk); }

// Pad buttons as Veloxan.ini may name them, with the mask: "LB+A (4352)".
std::string ButtonNames(std::int32_t mask) {
    std::string names;
    std::int32_t named = 0;
    for (std::size_t k = 0; k < kPadButtonNameCount; ++k) {
        if ((mask & kPadButtonNames[k].mask) != 0) {
            names += (names.empty() ? "" : "+") + std::string(kPadButtonNames[k].name);
            named |= kPadButtonNames[k].mask;
        }
    }
    if ((mask & ~named) != 0) {
        names += (names.empty() ? "" : "+") + std::string("unnamed buttons");
    }
    return (names.empty() ? "none" : names) + " (" + std::to_string(mask) + ")";
}

// The menu's keys in the order up, down, left, right, select, back.
std::string MenuKeys() {
    const std::int32_t keys[] = {Settings.KEY_MENU_UP,     Settings.KEY_MENU_DOWN,
                                 Settings.KEY_MENU_LEFT,   Settings.KEY_MENU_RIGHT,
                                 Settings.KEY_MENU_SELECT, Settings.KEY_MENU_BACK};
    const char* roles[] = {"up ", "down ", "left ", "right ", "select ", "back "};
    bool keypad = true;
    std::string named;
    for (std::size_t k = 0; k < std::size(keys); ++k) {
        keypad = keypad && keys[k] >= 0x60 && keys[k] <= 0x69;
        named += (k == 0 ? "" : ", ") + std::string(roles[k]) + KeyName(keys[k]);
    }
    return keypad ? named + " (Num Lock on)" : named;
}

// The square law: 40 log10 of the fraction.
std::string Volume() {
    const double fraction = Settings.SFX_volume / 100.0;
    return Format("%.0f%%: ", fraction * 100.0) +
           (Settings.SFX_volume >= 100 ? std::string("0 dB, the recordings as they are")
                                       : Format("%.1f dB, the recordings' samples x %.4f",
                                                40.0 * std::log10(fraction), fraction * fraction));
}

} // namespace

void Explain(const std::string& iniPath, const std::string& gameDir, std::ostream& out) {
    namespace fs = std::filesystem;
    fs::create_directories(gameDir);
    fs::copy_file(iniPath, gameDir + "/Veloxan.ini", fs::copy_options::overwrite_existing);
    sim::Options options;
    options.fileRoot = gameDir;
    sim::Reset(options);
    LoadSettings();

    const double limit = static_cast<double>(BoostTimeLimitMs());
    const bool lumen = Settings.SFX_type != 0;
    const double lasts = lumen ? std::min(limit, static_cast<double>(kLumenBoostLimitMs)) : limit;
    auto row = [&out](const std::string& what, const std::string& value) {
        out << "  " << what << std::string(what.size() < 36 ? 36 - what.size() : 1, ' ') << value
            << "\n";
    };
    out << "What " << iniPath << " means:\n";
    row("sound profile", lumen ? "1 Lumen" : "0 Orca");
    row("boost length (duration)",
        Format("%.2f s", limit / 1000.0) +
            (lumen ? Format(", but the Lumen sound ends it after %.1f s: lasts %.2f s",
                            kLumenBoostLimitMs / 1000.0, lasts / 1000.0)
                   : ""));
    row("spool-up before the launch", Format("%.2f s", SpoolUpWaitMs() / 1000.0));
    const double gain = static_cast<double>(LaunchSpeedGain());
    row("launch speed gain (boost)", Format("%.2f m/s = %.1f km/h", gain, gain * kMsToKmh));
    row("launch camera shake amplitude",
        Format("%.3f", static_cast<double>(LaunchShakeAmplitude())));
    const double crash = static_cast<double>(CrashThreshold());
    row("crash ends the boost (sensitivity)",
        Format("speed %.1f km/h below the boost's peak", crash * kMsToKmh));
    std::string curve;
    for (int kmh : {0, 50, 100, 150, 200}) {
        const double m =
            static_cast<double>(EnginePowerMultiplier(static_cast<float>(kmh / kMsToKmh)));
        curve += (curve.empty() ? "" : ", ") + std::to_string(kmh) + Format(" km/h x%.1f", m);
    }
    row("engine power multiplier (power)", curve);
    row("slow motion after a crash (slowmo)",
        SlowMotionEnabled()
            ? Format("on: time runs at %.0f%% for %.1f s",
                     static_cast<double>(SlowMotionTimeScale()) * 100.0, kSlowMotionMs / 1000.0)
            : std::string("off"));
    row("notifications", Settings.display_notifications != 0 ? "shown" : "hidden");
    row("turbo key", KeyOrNone(Settings.KEY_PC) +
                         (Settings.KEY_PC_2 != 0 ? " + " + KeyName(Settings.KEY_PC_2) : ""));
    row("menu", Settings.KEY_PC_MENU == 0
                    ? "cannot be opened (no KEY_PC_MENU)"
                    : KeyName(Settings.KEY_PC_MENU) + " + " + KeyOrNone(Settings.KEY_PC) +
                          "; rows with " + MenuKeys());
    const std::string padTrigger =
        ButtonNames(Settings.KEY_GAMEPAD) +
        (Settings.KEY_GAMEPAD_2 != 0 ? " together with " + ButtonNames(Settings.KEY_GAMEPAD_2)
                                     : "");
    row("gamepad turbo", padTrigger);
    row("gamepad menu", Settings.KEY_GAMEPAD_MENU == 0
                            ? std::string("off (no KEY_GAMEPAD_MENU)")
                            : "hold " + ButtonNames(Settings.KEY_GAMEPAD_MENU) + ", press " +
                                  padTrigger + "; rows with the D-pad, A select, B back");
    row("sound volume (SFX_volume)", Volume());
    row("first-run notice", Settings.New_Install != 0 ? "shown until the menu is opened" : "off");
}

} // namespace simapp
