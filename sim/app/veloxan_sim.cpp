// veloxan-sim: loads the module into the simulated game and drives it through
// a short built-in scenario, printing a readable timeline of what the module
// told the game.

#include "host/script_main.h"
#include "menu/menu_item.h"
#include "sim/app/menu_tour.h"
#include "sim/game.h"
#include "turbo/turbo.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>

namespace {

constexpr int kKeyT = 0x54;

const char* StateName(TurboState state) {
    switch (state) {
    case TurboState::Ready:
        return "Ready";
    case TurboState::Recharging:
        return "Recharging";
    case TurboState::SpoolUp:
        return "SpoolUp";
    case TurboState::Boosting:
        return "Boosting";
    }
    return "?";
}

const char* SoundName(std::int32_t id) {
    switch (id) {
    case 106:
        return "spool-up and boost, profile 0";
    case 107:
        return "blow-off";
    case 108:
        return "spool-up and boost, profile 1";
    default:
        return "unknown";
    }
}

double Seconds(const sim::Game& g) {
    return static_cast<double>(g.tick - g.options.startTick) / 1000.0;
}

const sim::Vehicle* PlayerVehicle(const sim::Game& g) {
    auto it = g.world.vehicles.find(g.world.playerVehicle);
    return it == g.world.vehicles.end() ? nullptr : &it->second;
}

void PrintLine(const sim::Game& g, const std::string& what) {
    const sim::Vehicle* v = PlayerVehicle(g);
    std::printf("%7.3f s  frame %5llu  %-10s  %6.2f m/s  %s\n", Seconds(g),
                static_cast<unsigned long long>(g.frame), StateName(turboState),
                v != nullptr ? static_cast<double>(v->speed) : 0.0, what.c_str());
}

std::string Number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", static_cast<double>(value));
    return text;
}

// Which recorded calls make a line of the timeline, and how they read. The
// per-frame ones (engine power, flames, the recharge bar) are summed up by
// the status lines instead.
void OnCall(const sim::CallRecord& c) {
    const sim::Game& g = sim::game();
    std::string line;
    if (c.name == "_ADD_TEXT_COMPONENT_STRING" && g.world.notificationEntry) {
        line = "notification: \"" + c.S(0) + "\"";
    } else if (c.name == "GetPrivateProfileIntA") {
        line = "INI read " + c.S(1);
    } else if (c.name == "WritePrivateProfileStringA") {
        line = "INI write " + c.S(1) + "=" + c.S(2);
    } else if (c.name == "PlaySoundA") {
        line = "sound " + std::to_string(c.I(0)) + " (" + SoundName(c.I(0)) + ") starts";
    } else if (c.name == "scriptRegister") {
        line = "module registered its script";
    } else if (c.name == "SET_TIME_SCALE") {
        line = "time scale " + Number(c.F(0));
    } else if (c.name == "_START_SCREEN_EFFECT") {
        line = "screen effect " + c.S(0) + " starts";
    } else if (c.name == "_STOP_SCREEN_EFFECT") {
        line = "screen effect " + c.S(0) + " stops";
    } else if (c.name == "SHAKE_GAMEPLAY_CAM") {
        line = "camera shake " + c.S(0) + ", amplitude " + Number(c.F(1));
    } else if (c.name == "SET_VEHICLE_FORWARD_SPEED") {
        line = "forward speed set to " + Number(c.F(1)) + " m/s";
    } else if (c.name == "SET_VEHICLE_ON_GROUND_PROPERLY") {
        line = "vehicle settled on its wheels";
    } else if (c.name == "SET_VEHICLE_RADIO_ENABLED") {
        line = std::string("radio ") + (c.I(1) != 0 ? "on" : "off");
    } else if (c.name == "_SET_VEHICLE_ENGINE_POWER_MULTIPLIER" && c.F(1) == 1.0f) {
        line = "engine power back to normal";
    } else {
        return;
    }
    PrintLine(g, line);
}

// One line every half second while the boost runs or recharges: what the
// per-frame calls add up to.
void PrintStatus(const sim::Game& g) {
    if (turboState == TurboState::Boosting) {
        const sim::CallRecord* power = g.Last("_SET_VEHICLE_ENGINE_POWER_MULTIPLIER");
        std::size_t flames = 0;
        for (const sim::ParticleStart& p : g.world.particleStarts) {
            flames += p.frame == g.frame ? 1 : 0;
        }
        PrintLine(g, "engine power x" + Number(power != nullptr ? power->F(1) : 0.0f) + ", " +
                         std::to_string(flames) + " exhaust flames this frame");
    } else if (turboState == TurboState::Recharging) {
        for (const sim::DrawItem& item : g.world.DrawList(g.frame)) {
            if (item.kind == sim::DrawItem::Rect && item.rect.y == 0.98f) {
                PrintLine(g, "recharge bar " + Number(item.rect.width / 0.15f * 100.0f) +
                                 "% (red " + std::to_string(item.rect.red) + ", green " +
                                 std::to_string(item.rect.green) + ")");
            }
        }
    }
}

// Runs frames until `done`, reporting each change of state and a status line
// every 500 ms of game clock.
bool RunWatching(const std::function<bool()>& done, std::uint64_t maxFrames) {
    sim::Game& g = sim::game();
    TurboState shown = turboState;
    std::uint32_t lastStatus = g.tick;
    for (std::uint64_t i = 0; i < maxFrames; ++i) {
        sim::Step();
        if (turboState != shown) {
            PrintLine(g, std::string("state ") + StateName(shown) + " -> " + StateName(turboState));
            shown = turboState;
        }
        if (g.tick - lastStatus >= 500u) {
            PrintStatus(g);
            lastStatus = g.tick;
        }
        if (done()) {
            return true;
        }
    }
    return false;
}

bool NoticeOnScreen(const sim::Game& g) {
    for (const sim::DrawItem& item : g.world.DrawList(g.frame)) {
        if (item.kind == sim::DrawItem::Text &&
            item.text.text == "Press SHIFT + T to enter SETUP") {
            return true;
        }
    }
    return false;
}

void PrintNotice(const sim::Game& g) {
    PrintLine(g, NoticeOnScreen(g)
                     ? "first-run notice on screen: \"Press SHIFT + T to enter SETUP\""
                     : "first-run notice gone");
}

// Native calls the module makes per frame, by what it was doing: the cost of
// the module to the game, frame by frame.
struct FrameLoad {
    std::uint64_t frames = 0;
    std::uint64_t natives = 0;
    std::uint64_t most = 0;
};
std::map<std::string, FrameLoad> frameLoads;
std::size_t callsSeen = 0;

void CountFrame() {
    const sim::Game& g = sim::game();
    std::uint64_t natives = 0;
    for (; callsSeen < g.calls.size(); ++callsSeen) {
        natives += g.calls[callsSeen].hash != 0 ? 1 : 0;
    }
    const std::string phase = rootPage.isOpen ? std::string("menu open, ") + StateName(turboState)
                                              : StateName(turboState);
    FrameLoad& load = frameLoads[phase];
    ++load.frames;
    load.natives += natives;
    load.most = std::max(load.most, natives);
}

void PrintFrameLoads() {
    std::printf("\nnative calls per frame:\n");
    for (const auto& [phase, load] : frameLoads) {
        std::printf("  %-22s %5llu frames  %6.1f on average  %4llu at most\n", phase.c_str(),
                    static_cast<unsigned long long>(load.frames),
                    static_cast<double>(load.natives) / static_cast<double>(load.frames),
                    static_cast<unsigned long long>(load.most));
    }
}

void PrintSounds(const sim::Game& g) {
    std::printf("\nsounds played:\n");
    for (const sim::SoundPlay& s : g.sounds) {
        std::printf("  %3u  %-30s  %5u of %5u ms%s\n", s.id,
                    SoundName(static_cast<std::int32_t>(s.id)), s.playedMs, s.durationMs,
                    s.cutOff ? "  (cut off by the next sound)" : "");
    }
}

// The module's own account of the drive, as a player would attach it to a
// bug report.
void PrintLog(const std::string& folder) {
    std::ifstream log(folder + "/Veloxan.log", std::ios::binary);
    std::printf("\nVeloxan.log in the game folder:\n");
    std::string line;
    while (std::getline(log, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::printf("  %s\n", line.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "veloxan-sim-game";
    std::filesystem::create_directories(folder);
    {
        // The settings a player starts with: Shift opens the menu with T.
        std::ofstream ini(folder + "/Veloxan.ini", std::ios::binary);
        ini << "[Veloxan]\r\nKEY_PC=84\r\nKEY_PC_MENU=16\r\nNew_Install=1\r\n";
    }

    sim::Options options;
    options.fileRoot = folder;
    options.msPerFrame = 16;
    sim::Reset(options);
    sim::Game& g = sim::game();
    g.onCall = OnCall;
    g.onFrameEnd = CountFrame;
    g.onFault = [](const std::string&) { std::exit(2); };

    const std::int32_t car = g.world.AddVehicle();
    std::printf("Veloxan in the simulated game; folder %s\n", folder.c_str());
    DllMain(static_cast<HINSTANCE>(sim::ModuleHandle()), DLL_PROCESS_ATTACH, nullptr);
    sim::StartScript();
    sim::RunFrames(30);
    PrintNotice(g);

    PrintLine(g, "player gets into a car and drives off");
    g.world.EnterVehicle(car);
    g.world.Get(car).throttle = 1.0f;
    sim::RunFrames(120);

    PrintLine(g, "player presses T");
    g.input.HoldKeyFrames(kKeyT, g.frame + 1, 6);
    const bool boosted =
        RunWatching([] { return turboState == TurboState::Recharging; }, 60 * 20) &&
        RunWatching([] { return turboState == TurboState::Ready; }, 60 * 20);
    RunWatching([] { return false; }, 30);
    PrintSounds(g);

    // --- Menu tour --------------------------------------------------------
    RunMenuTour();
    PrintNotice(g);

    sim::StopScript();
    PrintFrameLoads();
    PrintLog(folder);
    std::printf("\ndone: %llu frames, %zu calls recorded%s\n",
                static_cast<unsigned long long>(g.frame), g.calls.size(),
                boosted ? "" : "; the boost did not run its course");
    return g.faults.empty() && boosted ? 0 : 1;
}
