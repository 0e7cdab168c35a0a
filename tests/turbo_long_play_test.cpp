// The boost's timers at the ticks of long play: across the 2^32 wrap, after
// a day of uptime and near the top of the counter, where a float no longer
// holds every millisecond (past 2^24 ms, about 4.7 hours) and only the
// unsigned difference, converted once, is exact. Frames of 10 ms put every
// limit on a frame.

#include "turbo_fixture.h"

#include <algorithm>

namespace {

struct LongPlay {
    const char* name;
    std::uint32_t pressTick;
    const char* ini;
    std::uint32_t spoolMs;  // press to launch
    std::uint32_t boostMs;  // launch to shutdown
    const char* endMessage; // which limit ended it
};

void PrintTo(const LongPlay& p, std::ostream* os) { *os << p.name; }

constexpr std::uint32_t kWrap = 0xFFFFFFFFu;
constexpr std::uint32_t kDayMs = 86400000u;

class BoostTimersInLongPlay : public TurboTest, public ::testing::WithParamInterface<LongPlay> {
protected:
    // Scale of the first flash started `ms` after the launch.
    float FlashScaleAt(std::uint64_t launchFrame, std::uint64_t ms) const {
        const std::uint64_t frame = launchFrame + ms / 10;
        const auto& starts = game.world.particleStarts;
        const auto it =
            std::find_if(starts.begin(), starts.end(),
                         [frame](const sim::ParticleStart& p) { return p.frame == frame; });
        return it == starts.end() ? 0.0f : it->scale;
    }
};

TEST_P(BoostTimersInLongPlay, spool_up_limits_and_flame_decay_keep_their_milliseconds) {
    const LongPlay& p = GetParam();
    ResetGame(p.pressTick - 1010u, 10);
    BootInVehicle(p.ini);
    Car().throttle = 1.0f;
    sim::RunFrames(99);
    PressTrigger();
    ASSERT_EQ(game.tick, p.pressTick);
    RunUntilState(TurboState::Boosting);
    const std::uint64_t launchFrame = game.frame;
    const std::uint32_t launchTick = game.tick;
    RunUntilState(TurboState::Recharging);

    EXPECT_EQ(launchTick - p.pressTick, p.spoolMs);
    EXPECT_EQ(FirstTick("_STOP_SCREEN_EFFECT", launchFrame) - launchTick, p.boostMs);
    EXPECT_EQ(LastMessage(), p.endMessage);
    // 4 x 2.71^(-0.0035 t) + 0.9: 2.89 after 200 ms, 1.022 after 1000 ms.
    EXPECT_NEAR(FlashScaleAt(launchFrame, 200), 2.890f, 0.002f);
    EXPECT_NEAR(FlashScaleAt(launchFrame, 1000), 1.022f, 0.001f);
}

INSTANTIATE_TEST_SUITE_P(Turbo, BoostTimersInLongPlay,
                         ::testing::Values(
                             // Lumen: 1250 ms spool-up, then the recording's 4500 ms limit.
                             LongPlay{"lumen_wraps_during_spool_up", kWrap - 600u,
                                      "duration=100\r\n", 1250, 4510, "Veloxan has been shut down"},
                             LongPlay{"lumen_crosses_2_pow_31_during_spool_up", 0x80000000u - 600u,
                                      "duration=100\r\n", 1250, 4510, "Veloxan has been shut down"},
                             // Orca: 2000 ms spool-up, then 60 % of 10500 ms.
                             LongPlay{"orca_wraps_mid_boost", kWrap - 5000u, "SFX_type=0\r\n", 2000,
                                      6310, "Veloxan deactivated successfully."},
                             // A day in, a float rounds these ticks to 8 ms: 6300 ms of boost
                             // would read 6304 and end the boost a frame early.
                             LongPlay{"orca_after_a_day", kDayMs + 3u, "SFX_type=0\r\n", 2000, 6310,
                                      "Veloxan deactivated successfully."}),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
