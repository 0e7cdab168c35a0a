// The game or the platform answers oddly in the middle of a boost. Whatever
// the fault, the module keeps running, ends in one of its four states and
// leaves nothing changed in the world that the boost changed; once the fault
// is over, the next boost starts as usual.

#include "turbo_fixture.h"

#include <limits>

namespace {

class GameFault;

struct FaultCase {
    const char* name;
    const char* ini;
    void (*inject)(GameFault&);
    void (*clear)(GameFault&);
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

    // The game answers `speed` for the boosted car from the next frame on.
    void ForceSpeed(float speed) {
        game.onFrameEnd = [this, speed] {
            if (sim::Vehicle* v = game.world.Find(car)) {
                v->speed = speed;
            }
        };
    }

    int padReads = 0;
};

void Nothing(GameFault&) {}

const FaultCase kFaults[] = {
    // GET_VEHICLE_PED_IS_USING answers 0, or a handle that names nothing,
    // and the player presses the trigger.
    {"vehicle_handle_becomes_0", "",
     [](GameFault& f) {
         f.Game().world.playerVehicle = 0;
         f.Press();
     },
     Nothing},
    {"vehicle_handle_becomes_invalid", "",
     [](GameFault& f) {
         f.Game().world.playerVehicle = 0x7FFF0001;
         f.Press();
     },
     Nothing},
    {"vehicle_deleted", "",
     [](GameFault& f) {
         f.Game().world.LeaveVehicle();
         f.Game().world.vehicles.erase(f.BoostedHandle());
     },
     Nothing},
    {"speed_reads_nan", "",
     [](GameFault& f) { f.ForceSpeed(std::numeric_limits<float>::quiet_NaN()); },
     [](GameFault& f) { f.Game().onFrameEnd = nullptr; }},
    {"speed_reads_infinite", "",
     [](GameFault& f) { f.ForceSpeed(std::numeric_limits<float>::infinity()); },
     [](GameFault& f) { f.Game().onFrameEnd = nullptr; }},
    {"natives_answer_zeros", "", [](GameFault& f) { f.Game().zeroNativeResults = true; },
     [](GameFault& f) { f.Game().zeroNativeResults = false; }},
    {"player_dies", "",
     [](GameFault& f) {
         // Thrown from the car, and a new character after the respawn.
         f.Game().world.LeaveVehicle();
         f.Game().world.playerPed = 0x202;
     },
     Nothing},
    {"play_sound_fails", "", [](GameFault& f) { f.Game().failSounds = true; },
     [](GameFault& f) { f.Game().failSounds = false; }},
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
     }},
};

TEST_P(GameFault, the_module_runs_on_and_leaves_the_world_as_it_was) {
    const FaultCase& fault = GetParam();
    game.input.ConnectPad(0);
    BootInVehicle(fault.ini);
    Car().throttle = 1.0f;
    LaunchBoost();
    sim::RunFrames(10);
    ASSERT_GT(Car().enginePowerMultiplier, 100.0f);

    fault.inject(*this);
    sim::RunFrames(600); // past any boost limit and its slow motion
    fault.clear(*this);
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
