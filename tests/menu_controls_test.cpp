// The game's controls that share the menu's inputs: disabled on every pass
// while the menu is open or sliding in, so that D-pad up does not take the
// phone out and the keypad does not pitch a plane; the game's own again while
// the menu is closed or sliding out.

#include "menu/menu_controller.h"
#include "menu/menu_controls.h"
#include "menu_fixture.h"

#include <set>
#include <string>

namespace {

using MenuControls = MenuTest;

TEST(MenuControlTable, holds_each_control_once_on_a_menu_input) {
    const std::set<std::string> menuInputs = {"Numpad 8",   "Numpad 2",    "Numpad 4", "Numpad 6",
                                              "Numpad 5",   "Numpad 0",    "D-pad up", "D-pad down",
                                              "D-pad left", "D-pad right", "A",        "B"};
    int previous = -1;
    for (const MenuControl& c : kMenuControls) {
        EXPECT_GT(c.index, previous) << c.name << ": by index, none twice";
        EXPECT_LE(c.index, 360) << c.name;
        EXPECT_EQ(std::string(c.name).rfind("INPUT_", 0), 0u) << c.name;
        EXPECT_EQ(menuInputs.count(c.input), 1u) << c.name << " on " << c.input;
        previous = c.index;
    }
    // From the game's control list: the phone, its navigation, the vehicle's
    // camera, radio and headlights on the pad, the aircraft on the keypad.
    const MenuControl required[] = {
        {27, "INPUT_PHONE", "D-pad up"},
        {172, "INPUT_CELLPHONE_UP", "D-pad up"},
        {173, "INPUT_CELLPHONE_DOWN", "D-pad down"},
        {174, "INPUT_CELLPHONE_LEFT", "D-pad left"},
        {175, "INPUT_CELLPHONE_RIGHT", "D-pad right"},
        {176, "INPUT_CELLPHONE_SELECT", "A"},
        {177, "INPUT_CELLPHONE_CANCEL", "B"},
        {80, "INPUT_VEH_CIN_CAM", "B"},
        {85, "INPUT_VEH_RADIO_WHEEL", "D-pad left"},
        {74, "INPUT_VEH_HEADLIGHT", "D-pad right"},
        {108, "INPUT_VEH_FLY_ROLL_LEFT_ONLY", "Numpad 4"},
        {109, "INPUT_VEH_FLY_ROLL_RIGHT_ONLY", "Numpad 6"},
        {111, "INPUT_VEH_FLY_PITCH_UP_ONLY", "Numpad 8"},
        {112, "INPUT_VEH_FLY_PITCH_DOWN_ONLY", "Numpad 5"},
        {127, "INPUT_VEH_SUB_PITCH_UP_ONLY", "Numpad 8"},
    };
    for (const MenuControl& r : required) {
        bool found = false;
        for (const MenuControl& c : kMenuControls) {
            if (c.index == r.index) {
                found = true;
                EXPECT_EQ(std::string(c.name), r.name);
                EXPECT_EQ(std::string(c.input), r.input) << r.name;
            }
        }
        EXPECT_TRUE(found) << r.name;
    }
}

TEST_F(MenuControls, the_open_menu_keeps_the_phone_and_the_plane_pitch_from_the_game) {
    constexpr std::uint16_t kUp = 0x0001;
    constexpr std::uint16_t kB = 0x2000;
    game.input.ConnectPad(0);
    BootWithMenuKey();
    const std::int32_t plane = game.world.AddVehicle(sim::VehicleClass::Plane, 2);
    game.world.EnterVehicle(plane);
    const auto disabledIn = [this](std::uint64_t frame) {
        return game.CallsInFrame("DISABLE_CONTROL_ACTION", frame);
    };
    const auto padPress = [this](std::uint16_t buttons) {
        game.input.HoldButtonsFrames(0, buttons, game.frame + 1, 1);
        sim::Step();
    };

    // Closed: the game takes the phone out, puts it away, and pitches the plane.
    padPress(kUp);
    EXPECT_TRUE(game.world.phoneOut);
    padPress(kB);
    EXPECT_FALSE(game.world.phoneOut);
    HoldKey(VK_PAD8, 4);
    sim::RunFrames(4);
    EXPECT_EQ(game.world.Get(plane).pitch, 4.0f);
    EXPECT_EQ(game.Count("DISABLE_CONTROL_ACTION"), 0u);

    // Opening and open: every control of the table, on every pass.
    const std::uint64_t opened = PressChord();
    sim::RunFrames(std::max<std::uint64_t>(WaitFrames(), 11));
    for (std::uint64_t frame = opened; frame <= game.frame; ++frame) {
        const auto calls = disabledIn(frame);
        ASSERT_EQ(calls.size(), kMenuControlCount) << "frame " << frame;
        for (std::size_t k = 0; k < calls.size(); ++k) {
            EXPECT_EQ(calls[k]->I(0), 0);
            EXPECT_EQ(calls[k]->I(1), kMenuControls[k].index);
            EXPECT_EQ(calls[k]->I(2), 1);
        }
    }
    padPress(kUp);
    EXPECT_FALSE(game.world.phoneOut) << "D-pad up moves the menu alone";
    HoldKey(VK_PAD8, 4);
    sim::RunFrames(4);
    EXPECT_EQ(game.world.Get(plane).pitch, 4.0f) << "keypad 8 moves the menu alone";

    // Closing: sliding out and closed, the controls are the game's again.
    sim::RunFrames(WaitFrames());
    const std::uint64_t closed = PressChord();
    EXPECT_FALSE(rootPage.isOpen);
    EXPECT_TRUE(MenuOnScreen());
    EXPECT_TRUE(disabledIn(closed).empty());
    padPress(kUp);
    EXPECT_TRUE(game.world.phoneOut);
    HoldKey(VK_PAD8, 1);
    sim::Step();
    EXPECT_EQ(game.world.Get(plane).pitch, 5.0f);
    EXPECT_EQ(game.Count("DISABLE_CONTROL_ACTION"), (closed - opened) * kMenuControlCount);
}

} // namespace
