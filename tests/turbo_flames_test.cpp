// Flames at the exhaust bones during a boost.

#include "turbo_fixture.h"

#include <iterator>

namespace {

using Flames = TurboTest;

const char* const kBones[] = {"exhaust",   "exhaust_2", "exhaust_3", "exhaust_4",
                              "exhaust_5", "exhaust_6", "exhaust_7"};

// 4 x 2.71^(-0.0035 t) + 0.9 at t ms after the launch, worked out once:
// 4.9 at the launch, settling towards 0.9.
struct ScaleAt {
    std::uint32_t ms;
    float scale;
};
constexpr ScaleAt kFlameScales[] = {
    {10, 4.7628342f}, {200, 2.8905885f}, {500, 1.5988174f}, {1000, 1.0220865f}};

TEST_F(Flames, every_boost_step_bursts_seven_flames_that_shrink_from_the_launch) {
    ResetGame(100000, 10);
    BootInVehicle("", sim::VehicleClass::Car, 2);
    Car().heading = 30.0f;
    Car().pitch = 4.0f;
    const std::uint64_t launchFrame = LaunchBoost();
    const std::uint32_t launchTick = game.tick;
    const sim::Vec3 origin = Car().position;
    sim::Step();
    const std::uint64_t f = game.frame;

    // A car with two exhausts still gets all seven names tried.
    const auto bones = game.CallsInFrame("_GET_ENTITY_BONE_INDEX", f);
    ASSERT_EQ(bones.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(bones[i]->S(1), kBones[i]);
    }
    EXPECT_EQ(game.CallsInFrame("GET_WORLD_POSITION_OF_ENTITY_BONE", f).size(), 7u);
    EXPECT_EQ(game.CallsInFrame("HAS_NAMED_PTFX_ASSET_LOADED", f).size(), 7u);
    EXPECT_EQ(game.CallsInFrame("REQUEST_NAMED_PTFX_ASSET", f).size(), 7u);
    EXPECT_EQ(game.CallsInFrame("_SET_PTFX_ASSET_NEXT_CALL", f).size(), 7u);
    EXPECT_EQ(game.CallsInFrame("DOES_PARTICLE_FX_LOOPED_EXIST", f).size(), 7u);

    ASSERT_EQ(game.world.particleStarts.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
        const sim::ParticleStart& p = game.world.particleStarts[i];
        EXPECT_EQ(p.asset, "scr_carsteal4");
        EXPECT_EQ(p.effect, "scr_carsteal5_car_muzzle_flash");
        EXPECT_EQ(p.rotX, 0.0f);
        EXPECT_EQ(p.rotY, 4.0f);
        EXPECT_EQ(p.rotZ, -60.0f);
        EXPECT_NEAR(p.scale, kFlameScales[0].scale, 1e-6f);
        EXPECT_EQ(p.result, 0) << "the asset is still loading";
        const bool hasBone = i < 2;
        EXPECT_EQ(p.x == origin.x && p.y == origin.y && p.z == origin.z, !hasBone) << i;
    }

    // Once loaded, no more requests; the flames settle towards 0.9.
    sim::RunFrames(99);
    EXPECT_EQ(game.tick - launchTick, 1000u);
    EXPECT_EQ(game.CallsInFrame("REQUEST_NAMED_PTFX_ASSET", game.frame).size(), 0u);
    EXPECT_EQ(game.world.particleStarts.back().result, 1);
    std::size_t checked = 0;
    for (const sim::ParticleStart& p : game.world.particleStarts) {
        EXPECT_GT(p.scale, 0.9f);
        for (const ScaleAt& at : kFlameScales) {
            if (p.frame == launchFrame + at.ms / 10) {
                EXPECT_NEAR(p.scale, at.scale, 1e-6f) << at.ms << " ms after the launch";
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 7 * std::size(kFlameScales));
}

TEST_F(Flames, slots_carry_into_the_next_boost_and_a_live_effect_there_holds_its_flash) {
    BootInVehicle();
    LaunchBoost();
    sim::RunFrames(10);
    PressTrigger();
    RunUntilState(TurboState::Ready);

    // The slots hold the last start's answer, 1; another script runs a
    // looped effect under that handle.
    game.world.loopedParticleFx.insert(1);
    const std::size_t startsBefore = game.world.particleStarts.size();
    LaunchBoost();
    sim::Step();
    const auto tests = game.CallsInFrame("DOES_PARTICLE_FX_LOOPED_EXIST", game.frame);
    ASSERT_EQ(tests.size(), 7u);
    for (const sim::CallRecord* t : tests) {
        EXPECT_EQ(t->I(0), 1);
    }
    EXPECT_EQ(game.world.particleStarts.size(), startsBefore);
    EXPECT_TRUE(game.CallsInFrame("GET_ENTITY_HEADING", game.frame).empty());

    game.world.loopedParticleFx.clear();
    sim::Step();
    EXPECT_EQ(game.world.particleStarts.size(), startsBefore + 7);
}

TEST_F(Flames, each_exhaust_bone_tests_the_answer_of_its_own_last_start) {
    BootInVehicle();
    // The seven starts of a frame answer 11 to 17, in bone order.
    game.world.particleStartAnswers = {11, 12, 13, 14, 15, 16, 17};
    LaunchBoost();
    sim::RunFrames(2);
    const auto tests = game.CallsInFrame("DOES_PARTICLE_FX_LOOPED_EXIST", game.frame);
    ASSERT_EQ(tests.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(tests[i]->I(0), static_cast<std::int32_t>(11 + i)) << kBones[i];
    }
}

} // namespace
