// The recharge after a boost: the bar, the pause on foot, and the way back
// to Ready.

#include "turbo_fixture.h"

namespace {

using Recharge = TurboTest;

TEST_F(Recharge, recharge_draws_223_bars_in_a_vehicle_and_completes_on_the_224th_step) {
    BootInVehicle();
    LaunchBoost();
    sim::RunFrames(5);
    PressTrigger(); // cancel: the recharge starts after the shutdown's wait
    sim::Step();
    std::vector<sim::DrawnRect> bars;
    const auto countBar = [&] {
        if (const sim::DrawnRect* bar = RechargeBar(game.frame)) {
            bars.push_back(*bar);
        }
    };
    countBar();
    while (bars.size() < 100) {
        sim::Step();
        countBar();
    }

    // On foot the count and the bar pause; another vehicle resumes them.
    game.world.LeaveVehicle();
    for (int i = 0; i < 30; ++i) {
        sim::Step();
        EXPECT_EQ(RechargeBar(game.frame), nullptr);
    }
    game.world.EnterVehicle(game.world.AddVehicle());
    while (bars.size() < 223) {
        sim::Step();
        countBar();
    }
    EXPECT_EQ(turboState, TurboState::Recharging);

    // Full while on foot: it completes on the first step back in a vehicle.
    game.world.LeaveVehicle();
    sim::RunFrames(10);
    EXPECT_EQ(turboState, TurboState::Recharging);
    game.world.EnterVehicle(car);
    sim::Step();
    EXPECT_EQ(turboState, TurboState::Ready);
    EXPECT_EQ(RechargeBar(game.frame), nullptr);
    EXPECT_EQ(LastMessage(), "Turbo Boost System Online");

    const sim::DrawnRect& first = bars.front();
    EXPECT_EQ(first.x, 0.5f);
    EXPECT_EQ(first.height, 0.007f);
    EXPECT_FLOAT_EQ(first.width, 0.0045f * 0.15f);
    EXPECT_EQ(first.red, 219);
    EXPECT_EQ(first.green, -126);
    EXPECT_EQ(first.blue, 10);
    EXPECT_EQ(first.alpha, 150);
    const sim::DrawnRect& last = bars.back();
    EXPECT_FLOAT_EQ(last.width, 1.0035f * 0.15f);
    EXPECT_EQ(last.red, 0);
    EXPECT_EQ(last.green, 128);
    EXPECT_EQ(bars[110].red, 110); // 5000 of 10000: half way
    EXPECT_EQ(bars[110].green, 0);

    // Ready again: the next press activates at once.
    sim::RunFrames(15);
    PressTrigger();
    EXPECT_EQ(LastMessage(), "VELOXAN ACTIVATED");
}

TEST_F(Recharge, press_during_recharge_reports_it_and_a_wreck) {
    BootInVehicle();
    LaunchBoost();
    sim::RunFrames(5);
    PressTrigger();
    sim::RunFrames(20);
    const std::size_t before = Messages().size();
    PressTrigger();
    EXPECT_EQ(Messages().size(), before + 1);
    EXPECT_EQ(LastMessage(), "Veloxan: Recharging...");

    Car().driveable = false;
    sim::RunFrames(15);
    PressTrigger();
    const std::vector<std::string> messages = Messages();
    ASSERT_EQ(messages.size(), before + 3);
    EXPECT_EQ(messages[before + 1], "Veloxan: Recharging...");
    EXPECT_EQ(messages[before + 2], "Veloxan: Your vehicle is totaled!");
    EXPECT_EQ(turboState, TurboState::Recharging);

    // On foot a press says nothing.
    game.world.LeaveVehicle();
    sim::RunFrames(15);
    PressTrigger();
    EXPECT_EQ(Messages().size(), before + 3);
}

} // namespace
