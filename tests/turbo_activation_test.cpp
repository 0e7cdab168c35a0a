// Pressing the trigger: who gets a boost, who gets a message, and the
// spool-up that follows an activation.

#include "turbo_fixture.h"

namespace {

using Activation = TurboTest;

TEST_F(Activation, press_activates_only_a_driveable_vehicle_the_player_sits_in) {
    Boot();
    car = game.world.AddVehicle();

    PressTrigger(); // on foot
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(turboState, TurboState::Ready);
    EXPECT_EQ(game.Count("IS_VEHICLE_DRIVEABLE"), 0u);
    EXPECT_TRUE(game.sounds.empty());

    game.world.EnterVehicle(car);
    Car().driveable = false;
    sim::RunFrames(15);
    PressTrigger();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Veloxan: Your vehicle is totaled!"});
    EXPECT_EQ(turboState, TurboState::Ready);
    EXPECT_TRUE(Car().radioEnabled);
    EXPECT_TRUE(game.sounds.empty());

    Car().driveable = true;
    sim::RunFrames(15);
    PressTrigger();
    const std::uint64_t pressFrame = game.frame;
    EXPECT_EQ(LastMessage(), "VELOXAN ACTIVATED");
    EXPECT_EQ(turboState, TurboState::SpoolUp);
    EXPECT_FALSE(Car().radioEnabled);
    // The spool-up sound starts in the frame of the press, from the module's
    // copy of its resource: the default profile is 1.
    ASSERT_EQ(game.sounds.size(), 1u);
    EXPECT_EQ(game.sounds[0].id, 108u);
    EXPECT_EQ(game.sounds[0].frame, pressFrame);
    EXPECT_EQ(game.sounds[0].flags, 0x5u) << "SND_MEMORY | SND_ASYNC";

    // A press while spooling neither cancels nor restarts; a wrecked vehicle
    // only earns the message.
    sim::RunFrames(15);
    Car().driveable = false;
    PressTrigger();
    Car().driveable = true;
    EXPECT_EQ(LastMessage(), "Veloxan: Your vehicle is totaled!");
    EXPECT_EQ(game.sounds.size(), 1u);
    RunUntilState(TurboState::Boosting);
    EXPECT_EQ(FirstTick("SET_TIME_SCALE", pressFrame) - game.sounds[0].tick, 1264u)
        << "the first frame at least 1250 ms after the spool-up began";
}

// The counter reads 0 when the spool-up begins: the step after must not take
// that for a spool-up that never started.
TEST_F(Activation, spool_up_begun_at_tick_zero_runs_once_to_its_launch) {
    ResetGame(0u - 1600u, 16);
    Boot();
    car = game.world.AddVehicle();
    PressTrigger(); // on foot, so the key wait runs from a tick before 0
    sim::RunFrames(99 - game.frame);
    game.world.EnterVehicle(car);
    PressTrigger();
    ASSERT_EQ(game.tick, 0u);
    ASSERT_EQ(turboState, TurboState::SpoolUp);

    RunUntilState(TurboState::Boosting);
    EXPECT_EQ(game.tick, 1264u);
    ASSERT_EQ(game.sounds.size(), 1u);
    EXPECT_EQ(game.sounds[0].tick, 0u);
    EXPECT_EQ(game.Count("SET_TIME_SCALE"), 2u);
}

} // namespace
