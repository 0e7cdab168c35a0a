// The game or the platform answers oddly in the middle of a boost. Whatever
// the fault, the module sends the game no float that is not finite, keeps
// running, ends in one of its four states and leaves nothing changed in the
// world that the boost changed; once the fault is over, the next boost
// starts as usual.

#include "turbo_fixture.h"

#include <cmath>
#include <limits>
#include <map>
#include <string>

namespace {

class GameFault;

// What the module may send while the fault lasts, besides the rule of every
// row (no float argument that is not finite).
enum class Sent {
    Anything,
    // The speed reads unusable through a cancel, a launch, the boost's steps
    // and its end by the time limit: no speed is set and no engine power but
    // the restoring 1.0, while the flames, the class tests and the log go on.
    NothingFromTheSpeed,
};

struct FaultCase {
    const char* name;
    const char* ini;
    void (*inject)(GameFault&);
    void (*clear)(GameFault&);
    Sent sent;
    sim::VehicleClass vehicleClass;
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

constexpr std::uint16_t kButtonA = 0x1000;
constexpr std::uint16_t kDpadDown = 0x0002;

class GameFault : public TurboTest, public ::testing::WithParamInterface<FaultCase> {
public:
    sim::Game& Game() { return game; }
    sim::Vehicle& Boosted() { return Car(); }
    std::int32_t BoostedHandle() const { return car; }
    void Press() { HoldKey(VK_T, 1); }

    // The game answers `speed` for every vehicle; the player cancels the
    // running boost at once and, recharged, starts the next one 300 frames
    // later.
    void ReadSpeedThroughCancelAndLaunch(float speed) {
        game.speedAnswer = speed;
        Press();
        game.input.HoldKeyFrames(VK_T, game.frame + 300, 1);
    }

    int padReads = 0;
};

void Nothing(GameFault&) {}
void SaneSpeed(GameFault& f) { f.Game().speedAnswer.reset(); }

constexpr auto kCar = sim::VehicleClass::Car;
// The boost's time limit, 2100 ms, falls inside the fault.
constexpr const char* kShortBoost = "duration=20\r\n";

const FaultCase kFaults[] = {
    // GET_VEHICLE_PED_IS_USING answers 0, or a handle that names nothing,
    // and the player presses the trigger.
    {"vehicle_handle_becomes_0", "",
     [](GameFault& f) {
         f.Game().world.playerVehicle = 0;
         f.Press();
     },
     Nothing, Sent::Anything, kCar},
    {"vehicle_handle_becomes_invalid", "",
     [](GameFault& f) {
         f.Game().world.playerVehicle = 0x7FFF0001;
         f.Press();
     },
     Nothing, Sent::Anything, kCar},
    {"vehicle_deleted", "",
     [](GameFault& f) {
         f.Game().world.LeaveVehicle();
         f.Game().world.vehicles.erase(f.BoostedHandle());
     },
     Nothing, Sent::Anything, kCar},
    // Each in a class that the boost pushes directly.
    {"speed_reads_nan", kShortBoost,
     [](GameFault& f) {
         f.ReadSpeedThroughCancelAndLaunch(std::numeric_limits<float>::quiet_NaN());
     },
     SaneSpeed, Sent::NothingFromTheSpeed, sim::VehicleClass::Plane},
    {"speed_reads_infinite", kShortBoost,
     [](GameFault& f) {
         f.ReadSpeedThroughCancelAndLaunch(std::numeric_limits<float>::infinity());
     },
     SaneSpeed, Sent::NothingFromTheSpeed, sim::VehicleClass::Boat},
    {"speed_reads_negative", kShortBoost,
     [](GameFault& f) { f.ReadSpeedThroughCancelAndLaunch(-20.0f); }, SaneSpeed,
     Sent::NothingFromTheSpeed, sim::VehicleClass::Heli},
    {"natives_answer_zeros", "", [](GameFault& f) { f.Game().zeroNativeResults = true; },
     [](GameFault& f) { f.Game().zeroNativeResults = false; }, Sent::Anything, kCar},
    {"player_dies", "",
     [](GameFault& f) {
         // Thrown from the car, and a new character after the respawn.
         f.Game().world.LeaveVehicle();
         f.Game().world.playerPed = 0x202;
     },
     Nothing, Sent::Anything, kCar},
    {"play_sound_fails", "", [](GameFault& f) { f.Game().failSounds = true; },
     [](GameFault& f) { f.Game().failSounds = false; }, Sent::Anything, kCar},
    // A + D-pad down cancels; the pad goes between the chord's two reads.
    {"pad_disconnects_mid_chord", "KEY_GAMEPAD=4096\r\nKEY_GAMEPAD_2=2\r\n",
     [](GameFault& f) {
         sim::Game& g = f.Game();
         g.input.HoldButtonsFrames(0, kButtonA | kDpadDown, g.frame + 1, 3);
         g.onCall = [&f](const sim::CallRecord& call) {
             if (call.name == "XInputGetState" && ++f.padReads == 2) {
                 f.Game().input.ConnectPad(0, false);
             }
         };
     },
     [](GameFault& f) {
         f.Game().onCall = nullptr;
         f.Game().input.ConnectPad(0);
     },
     Sent::Anything, kCar},
};

// The calls of frames `from` to `to` against what the row allows.
void ExpectSentDuringFault(const sim::Game& game, Sent sent, std::uint64_t from, std::uint64_t to) {
    std::map<std::string, int> counts;
    for (const sim::CallRecord& call : game.calls) {
        if (call.frame < from || call.frame > to) {
            continue;
        }
        ++counts[call.name];
        for (const sim::Value& arg : call.args) {
            EXPECT_TRUE(arg.kind != 'f' || std::isfinite(arg.f))
                << call.name << " got " << arg.f << " in frame " << call.frame;
        }
        if (sent == Sent::NothingFromTheSpeed) {
            EXPECT_NE(call.name, "SET_VEHICLE_FORWARD_SPEED") << "in frame " << call.frame;
            EXPECT_TRUE(call.name != "_SET_VEHICLE_ENGINE_POWER_MULTIPLIER" || call.F(1) == 1.0f)
                << "engine power " << call.F(1) << " in frame " << call.frame;
        }
    }
    if (sent == Sent::NothingFromTheSpeed) {
        EXPECT_GT(counts["_START_SCREEN_EFFECT"], 0) << "the cancel and the launch";
        EXPECT_EQ(counts["SHAKE_GAMEPLAY_CAM"], 1) << "one launch";
        EXPECT_GT(counts["GET_ENTITY_MODEL"], 0) << "the class tests of the boost's steps";
        EXPECT_GT(counts["START_PARTICLE_FX_NON_LOOPED_AT_COORD"], 0) << "the flames";
    }
}

TEST_P(GameFault, the_module_runs_on_and_leaves_the_world_as_it_was) {
    const FaultCase& fault = GetParam();
    game.input.ConnectPad(0);
    BootInVehicle(fault.ini, fault.vehicleClass);
    Car().throttle = 1.0f;
    LaunchBoost();
    sim::RunFrames(10);
    ASSERT_GT(Car().enginePowerMultiplier, 100.0f);

    const std::uint64_t faultFrom = game.frame + 1;
    fault.inject(*this);
    sim::RunFrames(600); // past any boost limit and its slow motion
    fault.clear(*this);
    ExpectSentDuringFault(game, fault.sent, faultFrom, game.frame);
    if (fault.sent == Sent::NothingFromTheSpeed) {
        EXPECT_NE(ReadGameFile("Veloxan.log").find(" boost ended: time, peak 0.0 m/s (0 km/h)"),
                  std::string::npos)
            << "the boost launched during the fault ends by its time limit, its peak untouched";
    }
    game.world.EnterVehicle(game.world.AddVehicle());
    sim::RunFrames(300); // a whole recharge

    const auto state = static_cast<std::int32_t>(turboState);
    EXPECT_TRUE(state >= 0 && state <= 3) << state;
    EXPECT_FALSE(game.CallsInFrame("GetAsyncKeyState", game.frame).empty())
        << "the main loop still runs";
    for (const auto& [handle, v] : game.world.vehicles) {
        EXPECT_EQ(v.enginePowerMultiplier, 1.0f) << "vehicle " << handle;
        EXPECT_TRUE(v.radioEnabled) << "vehicle " << handle;
    }
    EXPECT_EQ(game.world.timeScale, 1.0f);
    EXPECT_FALSE(game.world.EffectActive("FocusIn"));

    ASSERT_EQ(turboState, TurboState::Ready);
    PressTrigger();
    EXPECT_EQ(LastMessage(), "VELOXAN ACTIVATED");
}

INSTANTIATE_TEST_SUITE_P(Turbo, GameFault, ::testing::ValuesIn(kFaults),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
