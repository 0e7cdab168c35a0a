// The game's controls that the open menu shares with the player's hand:
// disabled on every pass while the menu is open or sliding in, only those of
// the hand the game says the player uses, and the game's own again once the
// menu is closed or sliding out.

#include "menu/menu_controller.h"
#include "menu/menu_controls.h"
#include "menu_fixture.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using MenuControls = MenuTest;

constexpr std::uint16_t kUp = 0x0001;
constexpr std::uint16_t kDown = 0x0002;
constexpr std::uint16_t kRB = 0x0200;
constexpr std::uint16_t kB = 0x2000;

// From the game's control list, by default binding: the aircraft's and the
// submarine's roll, pitch and turn on the keypad's 4, 6, 8 and 5 (nothing is
// bound to its 2 or 0)...
const std::vector<int> kKeypad = {107, 108, 109, 110, 111, 112, 123, 124, 125, 126, 127, 128};
// ... and the story mode's controls on the D-pad, A and B.
const std::vector<int> kDpadAB = {19,  20,  21,  27,  42,  43,  45,  46,  47,  48,  51,  52,
                                  54,  57,  58,  70,  73,  74,  80,  85,  101, 103, 104, 114,
                                  115, 119, 120, 132, 136, 137, 140, 141, 154, 170, 172, 173,
                                  174, 175, 176, 177, 258, 261, 262, 263, 264, 288};
// RB: cover, dive, vehicle attack, handbrake, aircraft yaw right, vehicle
// jump, aircraft target right, submarine hard right, parachute brake right,
// the phone camera's grid.
const std::vector<int> kRightShoulder = {44, 55, 69, 76, 90, 102, 118, 134, 153, 183};
// LB and Y.
const std::vector<int> kLeftShoulderAndY = {23,  37,  38,  53,  56,  68,  75, 89,
                                            117, 133, 144, 145, 152, 178, 185};

std::vector<int> Joined(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    std::sort(a.begin(), a.end());
    return a;
}

TEST(MenuControlTable, holds_each_control_once_on_a_menu_input) {
    int previous = -1;
    for (const SharedControl& c : kSharedControls) {
        EXPECT_GT(c.index, previous) << "by index, none twice";
        EXPECT_LE(c.index, 360);
        EXPECT_TRUE(c.key != 0 || c.button != 0) << c.index << " is on no key nor button";
        EXPECT_TRUE(c.key2 == 0 || c.key != 0) << c.index;
        previous = c.index;
    }
}

struct HandCase {
    const char* name;
    const char* keys; // the INI's lines besides KEY_PC_MENU=16
    bool padHand;     // the stick moved after the keyboard's chord
    std::vector<int> disabled;
};

void PrintTo(const HandCase& c, std::ostream* os) { *os << c.name; }

const HandCase kHandCases[] = {
    {"keyboard_keypad_keys_pad_menu_rb", "KEY_GAMEPAD_MENU=RB\r\n", false, kKeypad},
    {"keyboard_arrows_enter_backspace",
     "KEY_MENU_UP=Up\r\nKEY_MENU_DOWN=Down\r\nKEY_MENU_LEFT=Left\r\nKEY_MENU_RIGHT=Right\r\n"
     "KEY_MENU_SELECT=Enter\r\nKEY_MENU_BACK=Backspace\r\n",
     false,
     {27, 172, 173, 174, 175, 176, 177}},
    // Ctrl is either side, as the list's LEFT CTRL; keypad 5 and 0 are no
    // menu keys now.
    {"keyboard_space_and_ctrl_for_keypad_5_and_0",
     "KEY_MENU_SELECT=Space\r\nKEY_MENU_BACK=Ctrl\r\n",
     false,
     {22,  36,  55,  60,  62,  76,  102, 107, 108, 109,
      110, 111, 123, 124, 125, 126, 127, 132, 143, 179}},
    {"pad_pad_menu_rb", "KEY_GAMEPAD_MENU=RB\r\n", true, Joined(kDpadAB, kRightShoulder)},
    {"pad_pad_menu_lb_and_y", "KEY_GAMEPAD_MENU=LB+Y\r\n", true,
     Joined(kDpadAB, kLeftShoulderAndY)},
    {"pad_no_pad_menu", "", true, kDpadAB},
};

class HandTable : public MenuTest, public ::testing::WithParamInterface<HandCase> {};

TEST_P(HandTable, the_open_menu_takes_only_the_controls_of_the_hand_that_drives_it) {
    const HandCase& c = GetParam();
    game.input.ConnectPad(0);
    BootWithMenuKey(c.keys);
    PressChord();
    sim::RunFrames(3);
    if (c.padHand) {
        game.input.SetStick(0, 0.0f, 0.5f);
    }
    sim::Step();
    ASSERT_TRUE(rootPage.isOpen);
    const auto asked = game.CallsInFrame("IS_USING_KEYBOARD_AND_MOUSE", game.frame);
    ASSERT_EQ(asked.size(), 1u) << "one question per pass";
    EXPECT_EQ(asked[0]->I(0), 2);
    std::vector<int> disabled;
    for (const sim::CallRecord* call : game.CallsInFrame("DISABLE_CONTROL_ACTION", game.frame)) {
        EXPECT_EQ(call->I(0), 0);
        EXPECT_EQ(call->I(2), 1);
        disabled.push_back(call->I(1));
    }
    EXPECT_EQ(disabled, c.disabled);
}

INSTANTIATE_TEST_SUITE_P(Hands, HandTable, ::testing::ValuesIn(kHandCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(MenuControls, the_keyboard_menu_keeps_the_keypad_and_the_pad_menu_rb_from_the_game) {
    game.input.ConnectPad(0);
    BootWithMenuKey("KEY_GAMEPAD_MENU=RB\r\n");
    const std::int32_t plane = game.world.AddVehicle(sim::VehicleClass::Plane, 2);
    game.world.EnterVehicle(plane);
    const auto pitch = [&] { return game.world.Get(plane).pitch; };
    const auto padHold = [this](std::uint16_t buttons, std::uint64_t frames) {
        game.input.HoldButtonsFrames(0, buttons, game.frame + 1, frames);
        sim::RunFrames(frames);
    };
    const auto stickFrames = [this](std::uint64_t frames) {
        game.input.SetStick(0, 0.0f, 1.0f);
        sim::RunFrames(frames);
        game.input.SetStick(0, 0.0f, 0.0f);
    };

    // Closed: the keypad and the stick pitch the plane, RB pulls the handbrake.
    HoldKey(VK_PAD8, 4);
    sim::RunFrames(4);
    stickFrames(2);
    EXPECT_EQ(pitch(), 6.0f);
    padHold(kRB, 1);
    EXPECT_TRUE(game.world.Get(plane).handbrake);
    EXPECT_EQ(game.Count("IS_USING_KEYBOARD_AND_MOUSE"), 0u)
        << "asked only with the menu on screen";

    // The keyboard's menu: keypad 8 moves the menu alone.
    PressChord();
    sim::RunFrames(WaitFrames());
    EXPECT_TRUE(game.input.usingKeyboard);
    HoldKey(VK_PAD8, 4);
    sim::RunFrames(4);
    EXPECT_EQ(pitch(), 6.0f);
    sim::RunFrames(WaitFrames());
    PressChord();
    EXPECT_FALSE(rootPage.isOpen);
    sim::RunFrames(WaitFrames());

    // The pad's menu, opened with RB and D-pad down: the stick still flies,
    // RB and D-pad up stay the menu's.
    padHold(kRB | kDown, 1);
    ASSERT_TRUE(rootPage.isOpen);
    EXPECT_FALSE(game.input.usingKeyboard);
    EXPECT_FALSE(game.world.Get(plane).handbrake) << "not even in the frame that opens it";
    sim::RunFrames(WaitFrames());
    stickFrames(3);
    EXPECT_EQ(pitch(), 9.0f);
    padHold(kRB, 3);
    EXPECT_FALSE(game.world.Get(plane).handbrake);
    padHold(kUp, 1);
    EXPECT_FALSE(game.world.phoneOut);
    EXPECT_TRUE(rootPage.isOpen);

    // Closed again: the game's own.
    sim::RunFrames(WaitFrames());
    padHold(kRB | kDown, 1);
    EXPECT_FALSE(rootPage.isOpen);
    sim::RunFrames(WaitFrames());
    padHold(kB, 1);
    padHold(kUp, 1);
    EXPECT_TRUE(game.world.phoneOut);
}

} // namespace
