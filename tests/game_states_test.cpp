// The game paused or busy at each moment of the module's life: what the
// module sends and draws while the state holds, and what it does after.

#include "game/game_state.h"
#include "menu/menu_controller.h"
#include "menu/menu_item.h"
#include "sim/sound_resources.h"
#include "turbo/turbo_sound.h"
#include "turbo_fixture.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace {

enum class Moment {
    Idle,
    SpoolUp,
    Boost,
    SlowMotionWait,
    MenuOpen,
    MenuSliding,
    Notice,
    Recharge,
    RechargeEnding, // ten passes before the recharge completes
};

// How a pause ends: on its own; into a cutscene; with the scripts restarting
// (a save loaded from the pause menu); or on its own, with a second pause
// 7 frames later.
enum class PauseEnd { Plain, IntoCutscene, Restart, PauseAgain };

// Held when the pause ends, with the pad menu on for B: the B that closes the
// pause menu, or the trigger held through it; or KEY_PC_2, a mode key never read up.
enum class Held { None, TriggerKey, PadB, ForEver };

struct StateCase {
    const char* name;
    Moment moment;
    bool* (*state)(sim::World&); // the field that the case turns on
    PauseEnd end = PauseEnd::Plain;
    Held held = Held::None;
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
    {"idle_paused", Moment::Idle, Paused},
    {"idle_cutscene", Moment::Idle, Cutscene},
    {"spool_up_paused", Moment::SpoolUp, Paused},
    {"spool_up_switch", Moment::SpoolUp, Switch},
    {"boost_paused", Moment::Boost, Paused},
    {"boost_dead", Moment::Boost, Dead},
    {"slow_motion_paused", Moment::SlowMotionWait, Paused},
    {"slow_motion_faded", Moment::SlowMotionWait, Faded},
    {"menu_open_paused", Moment::MenuOpen, Paused},
    {"menu_open_cutscene", Moment::MenuOpen, Cutscene},
    {"menu_sliding_paused", Moment::MenuSliding, Paused},
    {"menu_sliding_no_control", Moment::MenuSliding, NoControl},
    {"notice_paused", Moment::Notice, Paused},
    {"notice_arrested", Moment::Notice, Arrested},
    {"recharge_paused", Moment::Recharge, Paused},
    {"recharge_switch", Moment::Recharge, Switch},
    {"recharge_ending_cutscene", Moment::RechargeEnding, Cutscene},
    {"spool_up_paused_into_cutscene", Moment::SpoolUp, Paused, PauseEnd::IntoCutscene},
    {"boost_paused_into_cutscene", Moment::Boost, Paused, PauseEnd::IntoCutscene},
    // The blow-off's copy holds float samples, the Orca spool-up's 16-bit.
    {"blow_off_paused_into_restart", Moment::Recharge, Paused, PauseEnd::Restart},
    {"blow_off_paused_twice", Moment::Recharge, Paused, PauseEnd::PauseAgain},
    {"boost_paused_twice", Moment::Boost, Paused, PauseEnd::PauseAgain},
    {"idle_paused_trigger_held_at_its_end", Moment::Idle, Paused, PauseEnd::Plain,
     Held::TriggerKey},
    {"menu_open_paused_b_held_at_its_end", Moment::MenuOpen, Paused, PauseEnd::Plain, Held::PadB},
    {"idle_paused_a_key_that_never_reads_up", Moment::Idle, Paused, PauseEnd::Plain, Held::ForEver},
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
                      (held == Held::PadB ? "KEY_GAMEPAD_MENU=RB\r\n" : "") +
                      (held == Held::ForEver ? "KEY_PC_2=240\r\n" : ""));
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
        case Moment::RechargeEnding:
            LaunchBoost();
            PressTrigger();
            sim::RunFrames(10);
            ASSERT_EQ(turboState, TurboState::Recharging);
            if (moment == Moment::RechargeEnding) {
                ASSERT_TRUE(
                    sim::RunUntil([] { return rechargeProgress >= 10000.0f - 450.0f; }, 300));
            }
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

    // The rest of a recording after a pause that stopped it when `heardMs`
    // of it had played, as the game's clock counts: an image in the copy
    // that starts with its own header right in front of the first sample
    // frame not yet heard, and ends where the copy ends.
    static void ExpectRestFrom(const sim::SoundPlay& rest, std::uint32_t heardMs) {
        const std::vector<std::uint8_t>& wave = sim::sounds::Find(rest.id)->bytes;
        const std::uint64_t framesHeard =
            std::uint64_t{heardMs} * (wave[24] | wave[25] << 8) / 1000;
        EXPECT_EQ(rest.insideCopyAt, framesHeard * wave[32]) << heardMs << " ms heard";
        EXPECT_EQ(rest.insideCopyAt + rest.waveBytes, wave.size()) << "ends with the copy";
        EXPECT_EQ(std::memcmp(rest.wave + 12, wave.data() + 12, 26), 0) << "the format";
        EXPECT_EQ(std::memcmp(rest.wave + 46, wave.data() + 46 + rest.insideCopyAt, 64), 0)
            << "the samples not yet heard follow the header";
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
    // After a slow motion's wait, the first pass comes late.
    const auto passes = game.Calls("IS_PAUSE_MENU_ACTIVE");
    // A copy: the record moves as later calls are recorded.
    const sim::CallRecord firstPass =
        **std::find_if(passes.begin(), passes.end(),
                       [&](const sim::CallRecord* call) { return call->frame >= first; });

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
        EXPECT_EQ(game.CallsInFrame("PlaySoundA", firstPass.frame).size(), sounding ? 1u : 0u)
            << "the first paused pass stops a recording that plays";
        // While a resumed image plays, its header stays until it is stopped
        // or replaced.
        game.onCall = [&](const sim::CallRecord& call) {
            const sim::SoundPlay* rest = game.sounds.empty() ? nullptr : &game.sounds.back();
            if (call.name == "PlaySoundA" && rest != nullptr && rest->insideCopyAt != 0 &&
                !rest->cutOff && game.tick - rest->tick < rest->durationMs) {
                EXPECT_EQ(std::memcmp(rest->wave, "RIFF", 4), 0) << "frame " << call.frame;
                EXPECT_EQ(std::memcmp(rest->wave + 38, "data", 4), 0) << "frame " << call.frame;
            }
        };
        // Pressed in the pause menu, held as it closes, let go later.
        if (c.held == Held::TriggerKey) {
            game.input.HoldKeyFrames(VK_T, game.frame, 10);
        } else if (c.held == Held::PadB) {
            game.input.HoldButtonsFrames(0, XINPUT_GAMEPAD_B, game.frame, 10);
        } else if (c.held == Held::ForEver) {
            game.input.HoldKeyFrames(240, game.frame, 100000);
        }
        game.world.paused = false;
        if (c.end == PauseEnd::IntoCutscene) {
            game.world.cutscene = true;
        } else if (c.end == PauseEnd::Restart) {
            sim::RestartScript();
        }
        sim::Step();
        if (c.held != Held::None) {
            sim::RunFrames(20);
            EXPECT_EQ(turboState, before) << "held across the pause's end: no boost";
            EXPECT_EQ(rootPage.isOpen, c.moment == Moment::MenuOpen) << "nor back";
            // Let go, it counts again.
            if (c.held == Held::TriggerKey) {
                PressTrigger();
                EXPECT_EQ(turboState, TurboState::SpoolUp);
            } else if (c.held == Held::ForEver) {
                PressTrigger(); // the keys count again ten seconds after the pause
                EXPECT_EQ(turboState, before) << "within the ten seconds";
                sim::RunFrames(10000 / 16);
                PressTrigger();
                EXPECT_EQ(turboState, TurboState::SpoolUp) << "after them";
            } else {
                game.input.HoldButtonsFrames(0, XINPUT_GAMEPAD_B, game.frame + 1, 1);
                sim::Step();
                EXPECT_FALSE(rootPage.isOpen);
            }
            return;
        }
        const bool resumes =
            sounding && (c.end == PauseEnd::Plain || c.end == PauseEnd::PauseAgain);
        EXPECT_EQ(game.sounds.size(), soundsBefore + (resumes ? 1 : 0));
        if (c.end == PauseEnd::IntoCutscene) {
            // The game took the boost over in the pause: it ends silent.
            EXPECT_EQ(turboState, TurboState::Recharging);
            EXPECT_EQ(LastMessage(), "Veloxan has been shut down");
            EXPECT_TRUE(game.CallsInFrame("PlaySoundA", game.frame).empty()) << "no click";
        }
        if (c.end == PauseEnd::Restart) {
            // The review's probe: a pause 4.8 s after the restart, and its end.
            sim::RunFrames(300);
            game.world.paused = true;
            sim::RunFrames(20);
            game.world.paused = false;
            sim::RunFrames(2);
            EXPECT_EQ(game.sounds.size(), soundsBefore) << "nothing starts from inside a copy";
        }
        if (resumes) {
            // The rest of the same recording, from where it stopped: at most
            // a frame of it lost or heard twice.
            const sim::SoundPlay stopped = game.sounds[soundsBefore - 1];
            const sim::SoundPlay rest = game.sounds.back();
            EXPECT_EQ(rest.id, stopped.id);
            EXPECT_EQ(rest.frame, game.frame);
            const std::vector<std::uint8_t>& wave = sim::sounds::Find(rest.id)->bytes;
            const std::uint32_t bytesPerSecond = wave[28] | wave[29] << 8 | wave[30] << 16;
            const double restAtMs = rest.insideCopyAt * 1000.0 / bytesPerSecond;
            EXPECT_NEAR(restAtMs, stopped.playedMs, 20.0);
            EXPECT_NEAR(rest.durationMs + stopped.playedMs, stopped.durationMs, 20.0);
            // The module's clock, and the rest from the first sample frame not
            // heard; then a second pause, 7 frames on, that must count each
            // pause once and resume from where the rest stopped.
            std::uint32_t pausedMs = game.tick - firstPass.tick;
            std::uint32_t heardMs = firstPass.tick - stopped.tick;
            for (int again = c.end == PauseEnd::PauseAgain ? 1 : 0;; --again) {
                EXPECT_EQ(ModuleTick(), game.tick - pausedMs) << "the module's clock";
                ExpectRestFrom(game.sounds.back(), heardMs);
                if (again == 0) {
                    break;
                }
                const std::uint32_t restTick = game.tick;
                sim::RunFrames(7);
                game.world.paused = true;
                sim::Step();
                heardMs += game.tick - restTick;
                pausedMs -= game.tick;
                sim::RunFrames(19);
                game.world.paused = false;
                sim::Step();
                pausedMs += game.tick;
            }
            if (c.end == PauseEnd::PauseAgain) {
                // Once the next sound replaced it, each copy is its resource
                // again, byte for byte.
                RunUntilState(TurboState::Ready);
                PressTrigger();
                for (const std::int32_t id : {106, 107}) {
                    const std::vector<std::uint8_t>& file = sim::sounds::Find(id)->bytes;
                    EXPECT_EQ(std::memcmp(TurboSoundCopy(id), file.data(), file.size()), 0) << id;
                }
            }
        }
        if (c.moment == Moment::SpoolUp && c.end == PauseEnd::Plain) {
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
    case Moment::RechargeEnding:
        // Complete, but the game's scene is no place for the message: it and
        // Ready come at the first pass after it.
        EXPECT_GE(rechargeProgress, 10000.0f);
        EXPECT_EQ(turboState, TurboState::Recharging);
        EXPECT_NE(LastMessage(), "Turbo Boost System Online");
        *c.state(game.world) = false;
        sim::Step();
        EXPECT_EQ(turboState, TurboState::Ready);
        EXPECT_EQ(LastMessage(), "Turbo Boost System Online");
        EXPECT_EQ(game.world.feed.back().postedFrame, game.frame);
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

using HiddenHud = GameStates;

TEST_F(HiddenHud, takes_the_bar_and_the_notice_not_the_menu_and_is_asked_only_for_them) {
    BootInVehicle("KEY_PC_MENU=16\r\nSFX_type=0\r\nNew_Install=1\r\n");
    LaunchBoost();
    PressTrigger();
    sim::Step();
    ASSERT_NE(RechargeBar(game.frame), nullptr);
    game.world.hudHidden = true;
    const std::uint64_t hidden = game.frame + 1;
    sim::RunFrames(20);
    EXPECT_FALSE(Drawn(hidden, game.frame)) << "neither the notice nor the bar";
    // The menu the player opens is drawn (and removes the notice); a cutscene
    // closes it; the recharge goes on to Ready.
    HoldKey(VK_T, 1);
    HoldKey(VK_SHIFT_KEY, 1);
    sim::RunFrames(20);
    EXPECT_TRUE(rootPage.isOpen && Drawn(game.frame, game.frame));
    game.world.cutscene = true;
    sim::RunFrames(10);
    game.world.cutscene = false;
    RunUntilState(TurboState::Ready);
    const std::uint64_t ready = game.frame;
    sim::RunFrames(10);
    for (std::uint64_t f = hidden; f <= game.frame; ++f) {
        EXPECT_EQ(RechargeBar(f), nullptr) << "frame " << f;
        // Once a pass where the notice or the bar would draw, and only there.
        const bool wouldDraw = f < hidden + 40 || (f >= hidden + 50 && f < ready);
        EXPECT_EQ(game.CallsInFrame("IS_HUD_HIDDEN", f).size(), wouldDraw ? 1u : 0u) << f;
    }
}

} // namespace
