// veloxan-sim: loads the module into the simulated game and drives it through
// a short built-in scenario, printing a readable timeline of what the module
// told the game.

#include "host/script_main.h"
#include "sim/game.h"
#include "turbo/turbo.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

double Seconds(const sim::Game& g) {
    return static_cast<double>(g.tick - g.options.startTick) / 1000.0;
}

void PrintLine(const sim::Game& g, const std::string& what) {
    const sim::Vehicle* v = nullptr;
    for (const auto& [handle, vehicle] : g.world.vehicles) {
        if (handle == g.world.playerVehicle) {
            v = &vehicle;
        }
    }
    std::printf("%7.3f s  frame %5llu  %-10s  %6.2f m/s  %s\n", Seconds(g),
                static_cast<unsigned long long>(g.frame), StateName(turboState),
                v != nullptr ? static_cast<double>(v->speed) : 0.0, what.c_str());
}

// Which recorded calls make a line of the timeline, and how they read.
void OnCall(const sim::CallRecord& c) {
    const sim::Game& g = sim::game();
    static const std::set<std::string> quiet = {"GetAsyncKeyState", "XInputGetState"};
    if (quiet.count(c.name) != 0) {
        return;
    }
    std::string line;
    if (c.name == "_ADD_TEXT_COMPONENT_STRING" && !g.world.notificationEntry) {
        return; // drawn text: too frequent for a timeline
    } else if (c.name == "_ADD_TEXT_COMPONENT_STRING") {
        line = "notification: \"" + c.S(0) + "\"";
    } else if (c.name == "GetPrivateProfileIntA") {
        line = "INI read " + c.S(1);
    } else if (c.name == "WritePrivateProfileStringA") {
        line = "INI write " + c.S(1) + "=" + c.S(2);
    } else if (c.name == "PlaySoundA") {
        line = "sound resource " + std::to_string(c.I(0));
    } else if (c.name == "scriptRegister") {
        line = "module registered its script";
    } else if (c.name == "SET_TIME_SCALE") {
        line = "time scale " + std::to_string(c.F(0));
    } else if (c.name == "_START_SCREEN_EFFECT") {
        line = "screen effect " + c.S(0) + " starts";
    } else if (c.name == "_STOP_SCREEN_EFFECT") {
        line = "screen effect " + c.S(0) + " stops";
    } else if (c.name == "SHAKE_GAMEPLAY_CAM") {
        line = "camera shake " + c.S(0) + " " + std::to_string(c.F(1));
    } else if (c.name == "SET_VEHICLE_FORWARD_SPEED") {
        line = "forward speed set to " + std::to_string(c.F(1)) + " m/s";
    } else if (c.name == "SET_VEHICLE_RADIO_ENABLED") {
        line = std::string("radio ") + (c.I(1) != 0 ? "on" : "off");
    } else {
        return;
    }
    PrintLine(g, line);
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
    g.onFault = [](const std::string&) { std::exit(2); };

    const std::int32_t car = g.world.AddVehicle();
    std::printf("Veloxan in the simulated game; folder %s\n", folder.c_str());
    DllMain(static_cast<HINSTANCE>(sim::ModuleHandle()), DLL_PROCESS_ATTACH, nullptr);
    sim::StartScript();
    sim::RunFrames(30);

    PrintLine(g, "player gets into a car and drives off");
    g.world.EnterVehicle(car);
    g.world.Get(car).throttle = 1.0f;
    sim::RunFrames(120);

    PrintLine(g, "player presses T");
    g.input.HoldKeyFrames(kKeyT, g.frame + 1, 6);
    sim::RunFrames(60);

    sim::StopScript();
    std::printf("done: %llu frames, %zu calls recorded\n", static_cast<unsigned long long>(g.frame),
                g.calls.size());
    return g.faults.empty() ? 0 : 1;
}
