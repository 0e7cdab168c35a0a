// The turbo trigger as the main loop polls it: keys by level behind the
// shared 200 ms wait, the chord, the menu-key exclusion and the pad masks.
// An accepted press shows as TurboTrigger's first question to the game,
// PLAYER_PED_ID; on foot and Ready nothing else asks it.

#include "game/gamepad.h"
#include "game/key_input.h"
#include "script/trigger.h"
#include "settings/notifications.h"
#include "settings/settings.h"
#include "sim_fixture.h"
#include "turbo/turbo.h"

#include <vector>

namespace {

class Trigger : public SimTest {
protected:
    std::vector<std::uint64_t> TriggerFrames() const {
        std::vector<std::uint64_t> frames;
        for (const sim::CallRecord* c : game.Calls("PLAYER_PED_ID")) {
            frames.push_back(c->frame);
        }
        return frames;
    }

    std::size_t PadPollsIn(std::uint64_t first, std::uint64_t last) const {
        std::size_t polls = 0;
        for (const sim::CallRecord* c : game.Calls("XInputGetState")) {
            polls += (c->frame >= first && c->frame <= last) ? 1 : 0;
        }
        return polls;
    }
};

constexpr std::uint16_t kDpadDown = 0x0002;
constexpr std::uint16_t kButtonA = 0x1000;

TEST_F(Trigger, held_key_repeats_each_time_the_wait_has_passed) {
    Boot();
    HoldKey(VK_T, 60);
    const std::uint64_t first = game.frame + 1;
    sim::RunFrames(70);
    // 16 ms frames: 12 frames are 192 ms (too soon), 13 frames 208 ms.
    const std::vector<std::uint64_t> expected = {first, first + 13, first + 26, first + 39,
                                                 first + 52};
    EXPECT_EQ(TriggerFrames(), expected);
    EXPECT_EQ(lastKeyTick, game.options.startTick + 16 * static_cast<std::uint32_t>(first + 52));
}

TEST_F(Trigger, first_press_after_load_waits_until_the_tick_passes_200) {
    ResetGame(0);
    game.input.HoldKeyFrames(VK_T, 1, 20);
    Boot();
    sim::RunFrames(20);
    // Tick 192 (frame 12) is too early; tick 208 (frame 13) is the first accepted.
    ASSERT_FALSE(TriggerFrames().empty());
    EXPECT_EQ(TriggerFrames().front(), 13u);
}

TEST_F(Trigger, wait_holds_across_the_wrap_of_the_tick_counter) {
    // The clock wraps during the hold: the presses keep their 13-frame rhythm
    // instead of firing at once or stopping for 49.7 days.
    ResetGame(0xFFFFFFFFu - 100u);
    Boot();
    HoldKey(VK_T, 40);
    const std::uint64_t first = game.frame + 1;
    sim::RunFrames(40);
    const std::vector<std::uint64_t> expected = {first, first + 13, first + 26, first + 39};
    EXPECT_EQ(TriggerFrames(), expected);
    EXPECT_LT(game.tick, 1000u) << "the clock must have wrapped during the test";
}

TEST_F(Trigger, key_wait_is_the_unsigned_elapsed_time) {
    ResetGame(0xFFFFFFF0u);
    lastKeyTick = 0xFFFFFFF0u;
    game.tick = 0xFFFFFFF0u + 200u; // 200 ms later, after the wrap
    EXPECT_FALSE(KeyWaitOver());
    game.tick += 1;
    EXPECT_TRUE(KeyWaitOver());
    lastKeyTick = 50;
    game.tick = 40; // never before the last key: an elapsed time near 2^32
    EXPECT_TRUE(KeyWaitOver());
}

TEST_F(Trigger, menu_key_held_with_the_trigger_never_boosts) {
    WriteIni("[Veloxan]\r\nKEY_PC_MENU=16\r\n");
    Boot();
    HoldKey(VK_T, 60);
    HoldKey(VK_SHIFT_KEY, 60);
    sim::RunFrames(60);
    EXPECT_TRUE(TriggerFrames().empty());
}

TEST_F(Trigger, menu_key_excludes_the_trigger_even_when_the_menu_step_did_not_act) {
    // In a frame the menu step acts, it restarts the wait and so holds the
    // trigger off anyway; the exclusion is what holds when the clock moved on
    // between the two tests, or the menu key went down in between.
    WriteIni("[Veloxan]\r\nKEY_PC_MENU=16\r\n");
    Boot();
    lastKeyTick = game.tick - 1000;
    game.input.SetKey(VK_T, true);
    game.input.SetKey(VK_SHIFT_KEY, true);
    EXPECT_FALSE(TriggerPressed());
    Settings.KEY_PC_MENU = 0;
    EXPECT_TRUE(TriggerPressed());
}

TEST_F(Trigger, without_a_menu_key_shift_does_not_hold_off_the_trigger) {
    WriteIni("[Veloxan]\r\nKEY_PC_MENU=0\r\n");
    Boot();
    HoldKey(VK_T, 5);
    HoldKey(VK_SHIFT_KEY, 5);
    sim::RunFrames(5);
    EXPECT_EQ(TriggerFrames().size(), 1u);
}

TEST_F(Trigger, a_tap_released_before_the_poll_is_not_a_press) {
    // GetAsyncKeyState's bit 0 reports a tap made while nothing polled the
    // key; only bit 15, down now, makes a press.
    Boot();
    sim::StopScript();
    HoldKey(VK_T, 1);
    sim::RunFrames(3);
    lastKeyTick = game.tick - 1000;
    EXPECT_FALSE(TriggerPressed());
    game.input.SetKey(VK_T, true);
    EXPECT_TRUE(TriggerPressed());
}

TEST_F(Trigger, next_press_waits_from_the_end_of_the_trigger_not_its_start) {
    // A cancel after a crash returns 1.5 s of slow motion later; the wait for
    // the next press starts then, with the key still held.
    Boot();
    const std::int32_t car = game.world.AddVehicle();
    game.world.EnterVehicle(car);
    game.world.Get(car).speed = 20.0f;
    HoldKey(VK_T, 1);
    ASSERT_TRUE(sim::RunUntil([] { return turboState == TurboState::Boosting; }, 200));
    sim::RunFrames(3);
    game.world.ScheduleCollision(car, game.tick + 16, game.world.Get(car).speed);
    HoldKey(VK_T, 400);
    sim::RunFrames(300);

    std::vector<std::uint64_t> recharging;
    for (const sim::FeedItem& item : game.world.feed) {
        if (item.text == "Veloxan: Recharging...") {
            recharging.push_back(item.postedFrame);
        }
    }
    const auto scales = game.Calls("SET_TIME_SCALE");
    ASSERT_GE(scales.size(), 2u);
    const sim::CallRecord* slowed = scales[scales.size() - 2];
    ASSERT_EQ(slowed->F(0), 0.8f) << "the cancel ended in slow motion";
    const std::uint64_t returned = scales.back()->frame;
    ASSERT_GE(recharging.size(), 2u);
    EXPECT_EQ(recharging[0], returned) << "the cancel's own message, after its waits";
    EXPECT_EQ(recharging[1], returned + 13);
}

TEST_F(Trigger, chord_needs_the_second_key_and_skips_the_pad_without_it) {
    WriteIni("[Veloxan]\nKEY_PC_2=17\n");
    game.input.ConnectPad(0);
    Boot();
    ASSERT_EQ(padIndex, 0);

    HoldKey(VK_T, 20);
    const std::uint64_t first = game.frame + 1;
    sim::RunFrames(20);
    EXPECT_TRUE(TriggerFrames().empty());
    EXPECT_EQ(PadPollsIn(first, first + 19), 0u)
        << "with the trigger key down but the chord incomplete the pad is not polled";

    HoldKey(VK_T, 3);
    HoldKey(VK_CTRL_KEY, 3);
    sim::RunFrames(3);
    EXPECT_EQ(TriggerFrames().size(), 1u);
}

TEST_F(Trigger, pad_button_masks_match_any_of_their_bits) {
    WriteIni("[Veloxan]\nKEY_GAMEPAD=4098\n"); // dpad down or A
    game.input.ConnectPad(2);
    Boot();
    EXPECT_EQ(padIndex, 2);
    // The search asked indices 0, 1 and 2, in order, and stopped there.
    const auto search = game.Calls("XInputGetState");
    ASSERT_EQ(search.size(), 4u) << "three search calls and the first pass's poll";
    EXPECT_EQ(search[0]->I(0), 0);
    EXPECT_EQ(search[1]->I(0), 1);
    EXPECT_EQ(search[2]->I(0), 2);

    game.input.HoldButtonsFrames(2, kButtonA, game.frame + 1, 3);
    sim::RunFrames(3);
    EXPECT_EQ(TriggerFrames().size(), 1u);
    sim::RunFrames(20);
    game.input.HoldButtonsFrames(2, kDpadDown, game.frame + 1, 3);
    sim::RunFrames(3);
    EXPECT_EQ(TriggerFrames().size(), 2u);
}

TEST_F(Trigger, second_pad_mask_is_tested_on_a_fresh_read) {
    WriteIni("[Veloxan]\nKEY_GAMEPAD_2=4096\n"); // dpad down + A
    game.input.ConnectPad(0);
    Boot();

    game.input.HoldButtonsFrames(0, kDpadDown, game.frame + 1, 20);
    sim::RunFrames(20);
    EXPECT_TRUE(TriggerFrames().empty()) << "dpad down alone is half the chord";

    game.input.HoldButtonsFrames(0, kDpadDown | kButtonA, game.frame + 1, 1);
    const std::uint64_t pressFrame = game.frame + 1;
    sim::RunFrames(1);
    EXPECT_EQ(TriggerFrames().size(), 1u);
    EXPECT_EQ(game.CallsInFrame("XInputGetState", pressFrame).size(), 2u);
}

TEST_F(Trigger, pad_connected_after_start_is_never_picked_up) {
    Boot();
    EXPECT_EQ(padIndex, -1);
    const std::size_t searchCalls = game.Count("XInputGetState");
    EXPECT_EQ(searchCalls, 4u);

    // A pad connected later is never picked up, nor even asked.
    game.input.ConnectPad(0);
    game.input.HoldButtonsFrames(0, kDpadDown, game.frame + 1, 30);
    sim::RunFrames(30);
    EXPECT_TRUE(TriggerFrames().empty());
    EXPECT_EQ(game.Count("XInputGetState"), searchCalls);
}

TEST_F(Trigger, unplugged_pad_reads_as_no_buttons_held) {
    game.input.ConnectPad(1);
    Boot();
    ASSERT_EQ(padIndex, 1);
    game.input.SetButtons(1, kDpadDown);
    sim::RunFrames(1);
    ASSERT_EQ(TriggerFrames().size(), 1u);
    // Unplugged with the button still down: the earlier read must not linger.
    game.input.ConnectPad(1, false);
    sim::RunFrames(30);
    EXPECT_EQ(TriggerFrames().size(), 1u);
    EXPECT_GT(game.Count("XInputGetState"), 0u);
}

} // namespace
