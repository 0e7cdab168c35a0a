// The game paused or busy at each moment of the module's life: what the
// module sends and draws while the state holds, and what it does after.

#include "menu/menu_controller.h"
#include "menu/menu_item.h"
#include "sim/sound_resources.h"
#include "turbo_fixture.h"

#include <cmath>
#include <string>

namespace {

enum class Moment { Idle, SpoolUp, Boost, SlowMotionWait, MenuOpen, MenuSliding, Notice, Recharge };

// Held when the pause ends, with the pad menu on for B: the B that closes the
// pause menu, or the trigger held through it.
enum class Held { None, TriggerKey, PadB };

struct StateCase {
    const char* name;
    Moment moment;
    bool* (*state)(sim::World&); // the field that the case turns on
    Held held;
};

bool* Paused(sim::World& w) { return &w.paused; }
bool* Switch(sim::World& w) { return &w.playerSwitch; }
bool* Cutscene(sim::World& w) { return &w.cutscene; }
bool* Faded(sim::World& w) { return &w.fadedOut; }
bool* Dead(sim::World& w) { return &w.dead; }
bool* Arrested(sim::World& w) { return &w.arrested; }
bool* NoControl(sim::World& w) { return &w.controlOff; }

// Every moment paused, and busy by one of the six states in turn.
const StateCase kCases[] = {
    {"idle_paused", Moment::Idle, Paused, Held::None},
    {"idle_cutscene", Moment::Idle, Cutscene, Held::None},
    {"spool_up_paused", Moment::SpoolUp, Paused, Held::None},
    {"spool_up_switch", Moment::SpoolUp, Switch, Held::None},
    {"boost_paused", Moment::Boost, Paused, Held::None},
    {"boost_dead", Moment::Boost, Dead, Held::None},
    {"slow_motion_paused", Moment::SlowMotionWait, Paused, Held::None},
    {"slow_motion_faded", Moment::SlowMotionWait, Faded, Held::None},
    {"menu_open_paused", Moment::MenuOpen, Paused, Held::None},
    {"menu_open_cutscene", Moment::MenuOpen, Cutscene, Held::None},
    {"menu_sliding_paused", Moment::MenuSliding, Paused, Held::None},
    {"menu_sliding_no_control", Moment::MenuSliding, NoControl, Held::None},
    {"notice_paused", Moment::Notice, Paused, Held::None},
    {"notice_arrested", Moment::Notice, Arrested, Held::None},
    {"recharge_paused", Moment::Recharge, Paused, Held::None},
    {"recharge_switch", Moment::Recharge, Switch, Held::None},
    {"idle_paused_trigger_held_at_its_end", Moment::Idle, Paused, Held::TriggerKey},
    {"menu_open_paused_b_held_at_its_end", Moment::MenuOpen, Paused, Held::PadB},
};

void PrintTo(const StateCase& c, std::ostream* os) { *os << c.name; }

constexpr std::uint64_t kStateFrames = 120; // 1.92 s at 16 ms a frame, past a slow motion

class GameStates : public TurboTest, public ::testing::WithParamInterface<StateCase> {
protected:
    void Reach(Moment moment, Held held) {
        if (held == Held::PadB) {
            game.input.ConnectPad(0);
        }
        BootInVehicle(std::string("KEY_PC_MENU=16\r\nSFX_type=0\r\nNew_Install=") +
                      (moment == Moment::Notice ? "1" : "0") + "\r\n" +
                      (held == Held::PadB ? "KEY_GAMEPAD_MENU=RB\r\n" : ""));
        sim::RunFrames(20);
        switch (moment) {
        case Moment::SpoolUp:
            PressTrigger();
            sim::RunFrames(30);
            break;
        case Moment::Boost:
            LaunchBoost();
            sim::RunFrames(10);
            break;
        case Moment::SlowMotionWait:
            LaunchBoost();
            Car().speed = 40.0f;
            sim::Step();
            game.world.ScheduleCollision(car, game.tick, 12.0f);
            ASSERT_TRUE(sim::RunUntil(
                [&] { return turboState == TurboState::Recharging && game.world.timeScale < 1.0f; },
                100));
            break;
        case Moment::MenuOpen:
        case Moment::MenuSliding:
            HoldKey(VK_T, 1);
            HoldKey(VK_SHIFT_KEY, 1);
            sim::RunFrames(moment == Moment::MenuOpen ? 20 : 3);
            ASSERT_TRUE(rootPage.isOpen);
            break;
        case Moment::Recharge:
            LaunchBoost();
            PressTrigger();
            sim::RunFrames(10);
            ASSERT_EQ(turboState, TurboState::Recharging);
            break;
        case Moment::Idle:
        case Moment::Notice:
            break;
        }
    }

    bool Drawn(std::uint64_t from, std::uint64_t to) const {
        for (std::uint64_t f = from; f <= to; ++f) {
            if (!game.world.DrawList(f).empty()) {
                return true;
            }
        }
        return false;
    }
};

TEST_P(GameStates, the_module_holds_still_or_steps_aside_and_goes_on_after) {
    const StateCase& c = GetParam();
    Reach(c.moment, c.held);
    const bool paused = c.state == Paused;
    const TurboState before = turboState;
    const float slide = slideOffset;
    const float recharge = rechargeProgress;
    const std::size_t soundsBefore = game.sounds.size();
    const std::size_t savesBefore = game.Count("WritePrivateProfileStringA");
    const std::uint32_t spoolUpStart = game.sounds.empty() ? 0 : game.sounds.back().tick;
    const float power = Car().enginePowerMultiplier;
    // A recording of the module still plays at the first paused pass: the
    // spool-up's, or the blow-off just after a cancel. After a slow motion's
    // wait the blow-off has played out.
    const bool sounding =
        c.moment == Moment::SpoolUp || c.moment == Moment::Boost || c.moment == Moment::Recharge;

    const std::uint64_t first = game.frame + 1;
    *c.state(game.world) = true;
    // Presses of the trigger, then of the menu chord, while the state holds.
    game.input.HoldKeyFrames(VK_T, first + 30, 2);
    game.input.HoldKeyFrames(VK_T, first + 60, 2);
    game.input.HoldKeyFrames(VK_SHIFT_KEY, first + 60, 2);
    sim::RunFrames(kStateFrames);
    const std::uint64_t last = game.frame;
    const std::uint64_t settled = first + (c.moment == Moment::SlowMotionWait ? 100 : 0);

    for (const sim::CallRecord& call : game.calls) {
        if (call.frame < settled || call.frame > last) {
            continue;
        }
        if (paused) {
            EXPECT_NE(call.name, "GetAsyncKeyState") << "frame " << call.frame;
            EXPECT_NE(call.name, "XInputGetState") << "frame " << call.frame;
            EXPECT_TRUE(call.hash == 0 || call.name == "IS_PAUSE_MENU_ACTIVE")
                << call.name << " in paused frame " << call.frame;
        }
        EXPECT_NE(call.name, "SET_VEHICLE_FORWARD_SPEED") << "frame " << call.frame;
    }
    if (c.moment != Moment::MenuOpen && c.moment != Moment::MenuSliding) {
        EXPECT_FALSE(Drawn(settled, last)) << "nothing drawn while the state holds";
    }

    if (paused) {
        EXPECT_EQ(turboState, before);
        EXPECT_EQ(slideOffset, slide);
        EXPECT_EQ(rechargeProgress, recharge);
        EXPECT_EQ(Car().enginePowerMultiplier, power);
        EXPECT_EQ(game.CallsInFrame("PlaySoundA", first).size(), sounding ? 1u : 0u)
            << "the first paused pass stops a recording that plays";
        // Pressed in the pause menu, held as it closes, let go later.
        if (c.held == Held::TriggerKey) {
            game.input.HoldKeyFrames(VK_T, game.frame, 10);
        } else if (c.held == Held::PadB) {
            game.input.HoldButtonsFrames(0, XINPUT_GAMEPAD_B, game.frame, 10);
        }
        game.world.paused = false;
        sim::Step();
        if (c.held != Held::None) {
            sim::RunFrames(20);
            EXPECT_EQ(turboState, before) << "held across the pause's end: no boost";
            EXPECT_EQ(rootPage.isOpen, c.moment == Moment::MenuOpen) << "nor back";
            // Let go, it counts again.
            if (c.held == Held::TriggerKey) {
                PressTrigger();
                EXPECT_EQ(turboState, TurboState::SpoolUp);
            } else {
                game.input.HoldButtonsFrames(0, XINPUT_GAMEPAD_B, game.frame + 1, 1);
                sim::Step();
                EXPECT_FALSE(rootPage.isOpen);
            }
            return;
        }
        EXPECT_EQ(game.sounds.size(), soundsBefore + (sounding ? 1 : 0));
        if (sounding) {
            // The rest of the same recording, from where it stopped: at most
            // a frame of it lost or heard twice.
            const sim::SoundPlay& stopped = game.sounds[soundsBefore - 1];
            const sim::SoundPlay& rest = game.sounds.back();
            EXPECT_EQ(rest.id, stopped.id);
            EXPECT_EQ(rest.frame, game.frame);
            const std::vector<std::uint8_t>& wave = sim::sounds::Find(rest.id)->bytes;
            const std::uint32_t bytesPerSecond = wave[28] | wave[29] << 8 | wave[30] << 16;
            const double restAtMs = rest.insideCopyAt * 1000.0 / bytesPerSecond;
            EXPECT_NEAR(restAtMs, stopped.playedMs, 20.0);
            EXPECT_NEAR(rest.durationMs + stopped.playedMs, stopped.durationMs, 20.0);
        }
        if (c.moment == Moment::SpoolUp) {
            // The spool-up's clock stood still through the pause.
            RunUntilState(TurboState::Boosting);
            const std::uint32_t spooled = game.tick - spoolUpStart - (last - first + 1) * 16;
            EXPECT_NEAR(spooled, 2000.0, 16.0);
        }
        if (c.moment == Moment::SlowMotionWait) {
            const auto scales = game.Calls("SET_TIME_SCALE");
            EXPECT_EQ(scales.back()->F(0), 1.0f);
            EXPECT_LT(scales.back()->tick - scales[scales.size() - 2]->tick, 1516u)
                << "the slow motion is ScriptHookV's wait: the pause does not stretch it";
        }
        return;
    }

    // Busy.
    switch (c.moment) {
    case Moment::SpoolUp:
    case Moment::Boost:
        EXPECT_EQ(turboState, TurboState::Recharging);
        EXPECT_EQ(Messages().back(), "Veloxan has been shut down");
        EXPECT_TRUE(Car().radioEnabled);
        EXPECT_FALSE(game.world.EffectActive("FocusIn"));
        EXPECT_EQ(game.sounds.size(), soundsBefore) << "no blow-off";
        EXPECT_TRUE(game.sounds.back().cutOff) << "the recording stopped";
        EXPECT_EQ(game.Count("SET_TIME_SCALE"), c.moment == Moment::Boost ? 2u : 0u);
        EXPECT_EQ(Car().enginePowerMultiplier, 1.0f);
        break;
    case Moment::MenuOpen:
    case Moment::MenuSliding:
        EXPECT_FALSE(rootPage.isOpen);
        EXPECT_EQ(slideOffset, kMenuHiddenOffset) << "slid out";
        EXPECT_GT(game.Count("WritePrivateProfileStringA"), savesBefore) << "saved";
        break;
    case Moment::Recharge:
        EXPECT_GT(rechargeProgress, recharge) << "the count goes on";
        break;
    case Moment::Idle:
        EXPECT_EQ(game.Count("IS_CUTSCENE_PLAYING"), 4u)
            << "asked on the passes with a key of the trigger or the chord down, two each";
        [[fallthrough]];
    default:
        EXPECT_EQ(turboState, before) << "no press acted";
        EXPECT_FALSE(rootPage.isOpen) << "nor the chord";
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Moments, GameStates, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
