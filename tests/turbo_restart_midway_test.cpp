// A restart of the script during the spool-up, the boost or the recharge:
// what the abandoned boost had started in the world ends with it, and the
// next boost starts from scratch.

#include "turbo_fixture.h"

namespace {

struct Midway {
    const char* name;
    TurboState state;
    std::uint64_t framesIn;
};

void PrintTo(const Midway& p, std::ostream* os) { *os << p.name; }

class RestartMidway : public TurboTest, public ::testing::WithParamInterface<Midway> {};

TEST_P(RestartMidway, stops_the_effect_and_the_recording_and_turns_the_radio_back_on) {
    BootInVehicle();
    PressTrigger();
    RunUntilState(GetParam().state);
    sim::RunFrames(GetParam().framesIn);
    ASSERT_FALSE(Car().radioEnabled);
    ASSERT_EQ(game.sounds.size(), 1u);
    ASSERT_FALSE(game.sounds[0].cutOff);

    sim::RestartScript();
    sim::Step();
    const std::uint64_t restartFrame = game.frame;

    EXPECT_EQ(turboState, TurboState::Ready);
    EXPECT_TRUE(Car().radioEnabled);
    EXPECT_EQ(Car().enginePowerMultiplier, 1.0f);
    EXPECT_FALSE(game.world.EffectActive("FocusIn"));
    ASSERT_EQ(game.sounds.size(), 1u) << "the stop starts no sound of its own";
    EXPECT_TRUE(game.sounds[0].cutOff);
    EXPECT_EQ(game.sounds[0].playedMs, game.tick - game.sounds[0].tick);
    const auto stops = game.CallsInFrame("PlaySoundA", restartFrame);
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_EQ(stops[0]->I(0), 0) << "a null sound";
    EXPECT_EQ(stops[0]->I(1), 0) << "no flags";
}

INSTANTIATE_TEST_SUITE_P(Turbo, RestartMidway,
                         ::testing::Values(Midway{"during_spool_up", TurboState::SpoolUp, 20},
                                           Midway{"mid_boost", TurboState::Boosting, 20}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(TurboTest, restart_after_a_change_of_vehicle_turns_the_radio_on_where_it_went_off) {
    BootInVehicle();
    PressTrigger(); // activated in car A: its radio goes off
    ASSERT_FALSE(Car().radioEnabled);
    const std::int32_t carB = game.world.AddVehicle();
    game.world.EnterVehicle(carB);
    sim::RunFrames(15);
    PressTrigger(); // in car B, during the spool-up
    ASSERT_EQ(turboState, TurboState::SpoolUp);
    RunUntilState(TurboState::Boosting);
    sim::RunFrames(10);
    ASSERT_GT(game.world.Get(carB).enginePowerMultiplier, 100.0f) << "the launch took car B";

    sim::RestartScript();
    sim::Step();
    EXPECT_TRUE(Car().radioEnabled) << "car A";
    EXPECT_TRUE(game.world.Get(carB).radioEnabled);
    EXPECT_EQ(game.world.Get(carB).enginePowerMultiplier, 1.0f);
}

TEST_F(TurboTest, restart_mid_recharge_leaves_the_next_recharge_a_full_one) {
    BootInVehicle();
    LaunchBoost();
    sim::RunFrames(5);
    PressTrigger();
    sim::RunFrames(100); // 100 of the 224 steps
    ASSERT_EQ(turboState, TurboState::Recharging);
    sim::RestartScript();
    sim::Step();
    ASSERT_EQ(turboState, TurboState::Ready);

    sim::RunFrames(15);
    LaunchBoost();
    sim::RunFrames(5);
    PressTrigger();
    ASSERT_EQ(turboState, TurboState::Recharging);
    std::uint64_t bars = 0;
    while (turboState == TurboState::Recharging && bars < 400) {
        sim::Step();
        bars += RechargeBar(game.frame) != nullptr ? 1 : 0;
    }
    EXPECT_EQ(bars, 223u);
    EXPECT_EQ(turboState, TurboState::Ready);
}

} // namespace
