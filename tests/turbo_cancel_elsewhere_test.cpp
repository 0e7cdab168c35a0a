// The player leaves the boosted car and presses the trigger on foot or in
// another vehicle: the speed cut goes to the vehicle the player uses now, the
// radio and engine power come back on the car the boost changed.

#include "turbo_fixture.h"

namespace {

struct Elsewhere {
    const char* name;
    bool inAnotherVehicle;
};

void PrintTo(const Elsewhere& p, std::ostream* os) { *os << p.name; }

class CancelElsewhere : public TurboTest, public ::testing::WithParamInterface<Elsewhere> {};

TEST_P(CancelElsewhere, restores_the_boosted_car_and_cuts_the_speed_of_the_one_in_use) {
    BootInVehicle();
    LaunchBoost();
    sim::RunFrames(5);
    ASSERT_GT(Car().enginePowerMultiplier, 100.0f);
    ASSERT_FALSE(Car().radioEnabled);

    std::int32_t other = 0;
    game.world.LeaveVehicle();
    if (GetParam().inAnotherVehicle) {
        other = game.world.AddVehicle();
        game.world.Get(other).speed = 20.0f;
        game.world.EnterVehicle(other);
    }
    sim::RunFrames(3);
    const float speedAtPress = other != 0 ? game.world.Get(other).speed : 0.0f;
    PressTrigger();
    const std::uint64_t cancelFrame = game.frame;
    sim::RunFrames(3);

    EXPECT_EQ(turboState, TurboState::Recharging);
    EXPECT_EQ(Car().enginePowerMultiplier, 1.0f);
    EXPECT_TRUE(Car().radioEnabled);

    const auto cuts = game.CallsInFrame("SET_VEHICLE_FORWARD_SPEED", cancelFrame);
    ASSERT_EQ(cuts.size(), 1u);
    EXPECT_EQ(cuts[0]->I(0), other);
    if (other != 0) {
        // Near 20 m/s, not above 27: divided by 1.4.
        EXPECT_NEAR(cuts[0]->F(1), speedAtPress / 1.4f, 0.001f);
        EXPECT_EQ(game.world.Get(other).enginePowerMultiplier, 1.0f);
        EXPECT_TRUE(game.world.Get(other).radioEnabled);
    }
    for (const char* restore :
         {"SET_VEHICLE_RADIO_ENABLED", "_SET_VEHICLE_ENGINE_POWER_MULTIPLIER"}) {
        const auto calls = game.CallsInFrame(restore, cancelFrame);
        ASSERT_EQ(calls.size(), 1u) << restore;
        EXPECT_EQ(calls[0]->I(0), car) << restore;
    }
}

INSTANTIATE_TEST_SUITE_P(Turbo, CancelElsewhere,
                         ::testing::Values(Elsewhere{"on_foot", false},
                                           Elsewhere{"in_another_vehicle", true}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(TurboTest, a_press_in_another_vehicle_during_spool_up_leaves_no_radio_off) {
    // The press moves the boost to the new vehicle; the radio the activation
    // turned off is the first car's.
    BootInVehicle();
    PressTrigger();
    ASSERT_EQ(turboState, TurboState::SpoolUp);
    const std::int32_t other = game.world.AddVehicle();
    game.world.EnterVehicle(other);
    sim::RunFrames(15);
    PressTrigger();
    RunUntilState(TurboState::Boosting);
    sim::RunFrames(5);
    EXPECT_GT(game.world.Get(other).enginePowerMultiplier, 100.0f);
    PressTrigger();
    sim::RunFrames(2);
    EXPECT_TRUE(Car().radioEnabled);
    EXPECT_TRUE(game.world.Get(other).radioEnabled);
    EXPECT_EQ(game.world.Get(other).enginePowerMultiplier, 1.0f);
}

} // namespace
