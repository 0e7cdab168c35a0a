// How a boost ends: by its time, by the sound profile's limit, by a crash,
// at a standstill or by a second press; and the slow motion after a crash.

#include "settings/settings.h"
#include "turbo_fixture.h"

#include <algorithm>

namespace {

class BoostEnd : public TurboTest {
protected:
    // Boots with 10 ms frames, so that every limit falls on a frame, and
    // drives a boost in a car at full throttle until it ends. Returns the
    // milliseconds from the launch to the shutdown.
    std::uint32_t DriveBoostToItsEnd(const std::string& ini) {
        ResetGame(100000, 10);
        BootInVehicle(ini);
        Car().throttle = 1.0f;
        sim::RunFrames(100);
        pressFrame = game.frame + 1;
        launchFrame = LaunchBoost();
        launchTick = game.tick;
        RunUntilState(TurboState::Recharging);
        return FirstTick("_STOP_SCREEN_EFFECT", launchFrame) - launchTick;
    }

    std::uint64_t pressFrame = 0;
    std::uint64_t launchFrame = 0;
    std::uint32_t launchTick = 0;
};

TEST_F(BoostEnd, boost_ends_by_time_with_success_message) {
    // 100% makes the limit exactly 10500 ms: a step at 10500 ms goes on.
    EXPECT_EQ(DriveBoostToItsEnd("SFX_type=0\r\nduration=100\r\n"), 10510u);
    EXPECT_EQ(LastMessage(), "Veloxan deactivated successfully.");
    EXPECT_EQ(launchTick - FirstTick("PlaySoundA", pressFrame), 2000u);
    ASSERT_EQ(game.sounds.size(), 2u);
    EXPECT_EQ(game.sounds[0].id, 106u);
    EXPECT_EQ(game.sounds[1].id, 107u);
    EXPECT_TRUE(game.sounds[0].cutOff);
    EXPECT_NEAR(game.sounds[0].durationMs - game.sounds[0].playedMs, 1710u, 15u);
    EXPECT_FALSE(game.world.EffectActive("FocusIn"));
    EXPECT_TRUE(game.world.EffectActive("FocusOut"));
    EXPECT_TRUE(Car().radioEnabled);
}

TEST_F(BoostEnd, lumen_profile_ends_the_boost_after_4500_ms_with_shut_down_message) {
    EXPECT_EQ(DriveBoostToItsEnd(""), 4510u);
    EXPECT_EQ(LastMessage(), "Veloxan has been shut down");
    EXPECT_EQ(launchTick - FirstTick("PlaySoundA", pressFrame), 1250u);
    ASSERT_EQ(game.sounds.size(), 2u);
    EXPECT_EQ(game.sounds[0].id, 108u);
    EXPECT_NEAR(game.sounds[0].durationMs - game.sounds[0].playedMs, 820u, 15u);
}

TEST_F(BoostEnd, lumen_profile_with_a_shorter_duration_ends_by_time) {
    // 40% loads as 0.39999998: the limit is 4199.9995 ms, so 4200 ms is past it.
    EXPECT_EQ(DriveBoostToItsEnd("duration=40\r\n"), 4200u);
    EXPECT_EQ(LastMessage(), "Veloxan deactivated successfully.");
}

TEST_F(BoostEnd, crash_ends_the_boost_and_replays_it_in_slow_motion) {
    BootInVehicle();
    LaunchBoost();
    Car().speed = 40.0f;
    sim::Step();
    Car().speed = 40.0f - 15.41f; // just inside the default 15.4167 m/s
    sim::Step();
    ASSERT_EQ(turboState, TurboState::Boosting);

    Car().speed = 40.0f;
    game.world.ScheduleCollision(car, game.tick, 12.0f);
    sim::Step(); // the impact, after this frame's step
    RunUntilState(TurboState::Recharging);
    const std::uint64_t shutdownFrame = game.frame;
    EXPECT_EQ(LastMessage(), "Veloxan has been shut down");

    ASSERT_TRUE(sim::RunUntil([&] { return game.Count("SET_TIME_SCALE") == 4; }, 200));
    const auto scales = game.Calls("SET_TIME_SCALE");
    EXPECT_EQ(scales[2]->F(0), 0.8f);
    EXPECT_EQ(scales[2]->frame, shutdownFrame + 1);
    EXPECT_EQ(scales[3]->F(0), 1.0f);
    EXPECT_GE(scales[3]->tick - scales[2]->tick, 1500u);
    EXPECT_LT(scales[3]->tick - scales[2]->tick, 1516u);
    // The module waits through it: no key is polled, nothing drawn.
    for (const sim::CallRecord& c : game.calls) {
        if (c.frame > shutdownFrame && c.frame <= scales[3]->frame) {
            EXPECT_NE(c.name, "GetAsyncKeyState");
            EXPECT_NE(c.name, "DRAW_RECT");
        }
        if (c.frame > scales[2]->frame && c.frame < scales[3]->frame) {
            ADD_FAILURE() << c.name << " in the middle of the slow motion";
        }
    }
    EXPECT_EQ(game.world.timeScale, 1.0f);
}

TEST_F(BoostEnd, no_slow_motion_without_a_collision_or_with_slowmo_at_0_04) {
    BootInVehicle("slowmo=4\r\n");
    ASSERT_EQ(Settings.slowmo, 0.04f);
    LaunchBoost();
    Car().speed = 40.0f;
    sim::Step();
    game.world.ScheduleCollision(car, game.tick, 5.0f);
    RunUntilState(TurboState::Ready);
    EXPECT_EQ(game.Count("SET_TIME_SCALE"), 2u);
    EXPECT_EQ(game.Count("HAS_ENTITY_COLLIDED_WITH_ANYTHING"), 0u);

    // A stop without a collision, slow motion allowed: none either.
    Settings.slowmo = 0.2f;
    LaunchBoost();
    Car().speed = 10.0f;
    sim::Step();
    Car().speed = 0.0f;
    sim::Step();
    EXPECT_EQ(turboState, TurboState::Recharging);
    EXPECT_EQ(LastMessage(), "Veloxan has been shut down");
    sim::RunFrames(3);
    EXPECT_EQ(game.Count("SET_TIME_SCALE"), 4u);
}

TEST_F(BoostEnd, duration_lowered_mid_boost_ends_it_at_the_next_step_as_a_timed_end) {
    ResetGame(100000, 10);
    BootInVehicle("SFX_type=0\r\n");
    Car().throttle = 1.0f;
    sim::RunFrames(100);
    LaunchBoost();
    sim::RunFrames(300); // 3000 ms into a 6300 ms boost
    ASSERT_EQ(turboState, TurboState::Boosting);
    Settings.duration = 0.2f; // the player lowers it to 2100 ms, already passed
    sim::Step();
    EXPECT_EQ(turboState, TurboState::Recharging);
    EXPECT_EQ(LastMessage(), "Veloxan deactivated successfully.");
}

TEST_F(BoostEnd, full_sensitivity_ends_the_boost_on_a_fall_of_just_over_5_m_s) {
    BootInVehicle("sensitivity=100\r\n");
    LaunchBoost();
    Car().speed = 40.0f;
    sim::Step();
    Car().speed = 35.01f; // the threshold is (50 - 50) km/h + 5 m/s
    sim::Step();
    ASSERT_EQ(turboState, TurboState::Boosting);
    Car().speed = 34.98f;
    sim::Step();
    EXPECT_EQ(turboState, TurboState::Recharging);
}

TEST_F(BoostEnd, half_slow_motion_setting_runs_time_at_half_speed_after_a_crash) {
    BootInVehicle("slowmo=50\r\n");
    LaunchBoost();
    Car().speed = 40.0f;
    sim::Step();
    game.world.ScheduleCollision(car, game.tick, 12.0f);
    ASSERT_TRUE(sim::RunUntil([&] { return game.Count("SET_TIME_SCALE") == 3; }, 200));
    EXPECT_EQ(game.world.timeScale, 0.5f);
    ASSERT_TRUE(sim::RunUntil([&] { return game.Count("SET_TIME_SCALE") == 4; }, 200));
    const auto scales = game.Calls("SET_TIME_SCALE");
    EXPECT_EQ(scales[2]->F(0), 0.5f);
    EXPECT_EQ(scales[3]->F(0), 1.0f);
    EXPECT_GE(scales[3]->tick - scales[2]->tick, 1500u);
    EXPECT_LT(scales[3]->tick - scales[2]->tick, 1516u);
    EXPECT_EQ(game.world.timeScale, 1.0f);
}

// The shutdown's calls that restore the car, with their arguments.
std::vector<std::string> RestoringCalls(const sim::Game& g, std::uint64_t frame) {
    const std::vector<std::string> names = {"_STOP_SCREEN_EFFECT",
                                            "_GET_SCREEN_EFFECT_IS_ACTIVE",
                                            "_START_SCREEN_EFFECT",
                                            "_ADD_TEXT_COMPONENT_STRING",
                                            "SET_VEHICLE_RADIO_ENABLED",
                                            "PlaySoundA",
                                            "_SET_VEHICLE_ENGINE_POWER_MULTIPLIER"};
    std::vector<std::string> out;
    for (const sim::CallRecord& c : g.calls) {
        if (c.frame != frame || std::find(names.begin(), names.end(), c.name) == names.end()) {
            continue;
        }
        std::string line = c.name;
        const std::size_t shown = c.name == "PlaySoundA" ? 1 : c.args.size(); // id, not flags
        for (std::size_t k = 0; k < shown; ++k) {
            const sim::Value& v = c.args[k];
            line += " " + (v.kind == 's'   ? v.s
                           : v.kind == 'f' ? std::to_string(v.f)
                                           : std::to_string(v.i));
        }
        out.push_back(line);
    }
    return out;
}

TEST_F(BoostEnd, shutdown_restores_the_car_in_order_within_its_own_frame) {
    BootInVehicle();
    LaunchBoost();
    Car().speed = 10.0f;
    sim::Step();
    Car().speed = 0.0f;
    sim::Step();
    ASSERT_EQ(turboState, TurboState::Recharging);
    const std::string c = std::to_string(car);
    const std::vector<std::string> expected = {
        "_SET_VEHICLE_ENGINE_POWER_MULTIPLIER " + c + " 150.000000", // the step, at rest
        "_STOP_SCREEN_EFFECT FocusIn",
        "_GET_SCREEN_EFFECT_IS_ACTIVE FocusOut",
        "_START_SCREEN_EFFECT FocusOut 0 0",
        "_ADD_TEXT_COMPONENT_STRING Veloxan has been shut down",
        "SET_VEHICLE_RADIO_ENABLED " + c + " 1",
        "PlaySoundA 0", // the blow-off, from the module's copy
        "_SET_VEHICLE_ENGINE_POWER_MULTIPLIER " + c + " 1.000000"};
    EXPECT_EQ(RestoringCalls(game, game.frame), expected);
    EXPECT_EQ(game.sounds.back().id, 107u);
    sim::Step(); // the one-frame wait is over: no collision, no slow motion
    EXPECT_EQ(game.CallsInFrame("HAS_ENTITY_COLLIDED_WITH_ANYTHING", game.frame).size(), 1u);
    EXPECT_TRUE(RestoringCalls(game, game.frame).empty());
}

TEST_F(BoostEnd, second_press_cuts_the_speed_and_reports_recharging) {
    BootInVehicle();
    LaunchBoost();
    sim::RunFrames(20);
    Car().speed = 30.0f;
    PressTrigger();
    EXPECT_EQ(game.Last("SET_VEHICLE_FORWARD_SPEED")->F(1), 15.0f);
    EXPECT_TRUE(game.world.EffectActive("RampageOut"));
    sim::Step(); // the shutdown's one-frame wait
    const std::vector<std::string> messages = Messages();
    ASSERT_GE(messages.size(), 2u);
    const std::vector<std::string> tail(messages.end() - 2, messages.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"Veloxan has been shut down", "Veloxan: Recharging..."}));
    EXPECT_NE(RechargeBar(game.frame), nullptr) << "the recharge starts in the same pass";
    EXPECT_EQ(game.sounds.back().id, 107u);

    RunUntilState(TurboState::Ready);
    LaunchBoost();
    sim::RunFrames(20);
    Car().speed = 27.0f; // not above 27: the gentler cut
    PressTrigger();
    EXPECT_NEAR(game.Last("SET_VEHICLE_FORWARD_SPEED")->F(1), 19.2857f, 1e-4f);
    EXPECT_EQ(game.world.screenEffects["RampageOut"].starts, 2);
}

} // namespace
