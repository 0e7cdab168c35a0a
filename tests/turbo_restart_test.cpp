// The game restarts the script in the same module: whatever the abandoned
// pass left behind in the world is undone, and the boost starts from rest.

#include "turbo_fixture.h"

namespace {

using Restart = TurboTest;

std::size_t TurboCallsInFrame(const sim::Game& g, std::uint64_t f) {
    return g.CallsInFrame("SET_TIME_SCALE", f).size() +
           g.CallsInFrame("_SET_VEHICLE_ENGINE_POWER_MULTIPLIER", f).size() +
           g.CallsInFrame("SET_VEHICLE_RADIO_ENABLED", f).size();
}

TEST_F(Restart, restart_undoes_what_the_abandoned_pass_left_in_the_world) {
    BootInVehicle();
    sim::RestartScript();
    sim::Step();
    EXPECT_EQ(TurboCallsInFrame(game, game.frame), 0u) << "nothing to undo at rest";

    // Abandoned mid-boost.
    LaunchBoost();
    sim::RunFrames(5);
    ASSERT_GT(Car().enginePowerMultiplier, 100.0f);
    sim::RestartScript();
    sim::Step();
    EXPECT_EQ(turboState, TurboState::Ready);
    EXPECT_EQ(Car().enginePowerMultiplier, 1.0f);
    EXPECT_TRUE(Car().radioEnabled);

    // Abandoned in the slow motion after a crash.
    sim::RunFrames(15);
    LaunchBoost();
    Car().speed = 40.0f;
    sim::Step();
    game.world.ScheduleCollision(car, game.tick, 5.0f);
    ASSERT_TRUE(sim::RunUntil([&] { return game.world.timeScale < 1.0f; }, 20));
    sim::RunFrames(30);
    sim::RestartScript();
    sim::Step();
    EXPECT_EQ(game.world.timeScale, 1.0f);
    EXPECT_EQ(game.Last("SET_TIME_SCALE")->frame, game.frame);
    EXPECT_EQ(turboState, TurboState::Ready);
    sim::RunFrames(15);
    PressTrigger();
    EXPECT_EQ(LastMessage(), "VELOXAN ACTIVATED") << "no recharge is owed after a restart";
}

} // namespace
