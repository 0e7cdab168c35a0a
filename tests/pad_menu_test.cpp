// The menu on the pad: KEY_GAMEPAD_MENU (RB here) held with the pad trigger
// (D-pad down) opens and closes it as Shift + T does, the D-pad, A and B move
// through it with the keyboard's timing, and the pad boosts neither through
// the chord nor while the menu is on screen. Without KEY_GAMEPAD_MENU the pad
// is what it was: D-pad down boosts, menu open or not.

#include "menu/menu_controller.h"
#include "menu/menu_item.h"
#include "menu_fixture.h"
#include "menu_rows.h"
#include "settings/settings.h"
#include "turbo/turbo.h"

namespace {

using PadMenu = MenuTest;

constexpr std::uint16_t kUp = 0x0001;
constexpr std::uint16_t kDown = 0x0002;
constexpr std::uint16_t kRight = 0x0008;
constexpr std::uint16_t kA = 0x1000;
constexpr std::uint16_t kB = 0x2000;
constexpr std::uint16_t kRB = 0x0200;

TEST_F(PadMenu, rb_and_dpad_down_open_drive_and_close_the_menu_without_a_boost) {
    // 50 ms frames: the slide out outlasts the key wait after a close.
    ResetGame(100000, 50);
    game.input.ConnectPad(0);
    BootWithMenuKey("KEY_GAMEPAD_MENU=512\r\n");
    EXPECT_NE(
        ReadGameFile("Veloxan.log")
            .find(" KEY_GAMEPAD=2 (DPadDown) KEY_GAMEPAD_2=0 (none) KEY_GAMEPAD_MENU=512 (RB)"),
        std::string::npos)
        << "the start report";
    const std::int32_t car = game.world.AddVehicle(sim::VehicleClass::Car, 2);
    game.world.EnterVehicle(car);
    const auto press = [this](std::uint16_t buttons, std::uint64_t frames = 1) {
        sim::RunFrames(WaitFrames());
        game.input.HoldButtonsFrames(0, buttons, game.frame + 1, frames);
        sim::RunFrames(frames);
        return game.frame - frames + 1;
    };
    const auto padReadsIn = [this](std::uint64_t frame) {
        return game.CallsInFrame("XInputGetState", frame).size();
    };
    const auto writesIn = [this](std::uint64_t frame) {
        return game.CallsInFrame("WritePrivateProfileStringA", frame).size();
    };
    // Moves the highlight to a slot with single D-pad presses.
    const auto padTo = [&](int slot) {
        for (int presses = 0; HighlightedRow(game.frame) != slot && presses < 20; ++presses) {
            press(HighlightedRow(game.frame) < slot ? kDown : kUp);
        }
        ASSERT_EQ(HighlightedRow(game.frame), slot);
    };

    // RB alone is nothing; RB with the trigger is the menu's chord, never a boost.
    press(kRB, 20);
    EXPECT_FALSE(rootPage.isOpen);
    EXPECT_EQ(padReadsIn(game.frame), 1u) << "the chord and the trigger share one read";
    const std::uint64_t opened = press(kRB | kDown);
    EXPECT_TRUE(rootPage.isOpen);
    const std::size_t writesOfASave = writesIn(opened);
    EXPECT_GT(writesOfASave, 0u) << "opening saves, as the keyboard's chord does";
    EXPECT_EQ(padReadsIn(opened), 1u) << "the chord and the menu share the pass's one read";
    sim::RunFrames(10);
    EXPECT_EQ(padReadsIn(opened + 1), 1u) << "within the wait: the menu's read alone";

    // Down held: one row per wait, as a held key; right held: a step every
    // frame; D-pad down and the rest boost nothing while the menu is open.
    const std::uint64_t held = press(kDown, 2 * WaitFrames() + 1);
    EXPECT_EQ(HighlightedRow(held), 1);
    EXPECT_EQ(HighlightedRow(held + WaitFrames() - 1), 1);
    EXPECT_EQ(HighlightedRow(held + WaitFrames()), 2);
    EXPECT_EQ(HighlightedRow(game.frame), 3);
    const int sensitivityRow = RowSlot("Sensitivity");
    padTo(sensitivityRow);
    const float sensitivity = Settings.sensitivity;
    press(kRight, 3);
    EXPECT_NEAR(Settings.sensitivity, sensitivity + 3 * 0.025f, 1e-6);
    press(kUp);
    press(kUp);
    EXPECT_EQ(HighlightedRow(game.frame), sensitivityRow - 2);
    const int resetRow = RowSlot("Reset settings");
    padTo(resetRow);
    Settings.boost = 0.9f;
    EXPECT_EQ(NavSoundsIn(press(kA)), 1u);
    EXPECT_EQ(Settings.boost, kDefaultBoost) << "A on \"Reset settings\" resets";
    const std::uint64_t back = press(kB);
    EXPECT_FALSE(rootPage.isOpen) << "B on the first page closes";
    EXPECT_EQ(writesIn(back), writesOfASave);
    EXPECT_EQ(turboState, TurboState::Ready);

    // Past the wait and still sliding out: no boost from the pad either.
    sim::RunFrames(WaitFrames() - 1);
    game.input.HoldButtonsFrames(0, kDown, game.frame + 1, 3);
    sim::RunFrames(3);
    EXPECT_TRUE(MenuOnScreen());
    EXPECT_EQ(turboState, TurboState::Ready);

    // The chord again, and again to close: saved.
    press(kRB | kDown);
    ASSERT_TRUE(rootPage.isOpen);
    sim::RunFrames(10);
    const std::uint64_t closed = press(kRB | kDown);
    EXPECT_FALSE(rootPage.isOpen);
    EXPECT_EQ(writesIn(closed), writesOfASave);
    EXPECT_EQ(turboState, TurboState::Ready) << "the chord never boosts";

    // Another program in front: the pad is not even asked.
    press(kRB | kDown);
    ASSERT_TRUE(rootPage.isOpen);
    game.input.foreground = false;
    const std::uint64_t away = press(kDown, 3 * WaitFrames());
    std::size_t readsAway = 0;
    for (std::uint64_t f = away; f <= game.frame; ++f) {
        readsAway += padReadsIn(f);
    }
    EXPECT_EQ(readsAway, 0u);
    EXPECT_EQ(HighlightedRow(game.frame), resetRow);
    game.input.foreground = true;
    press(kRB | kDown);
    sim::RunFrames(20);
    ASSERT_FALSE(MenuOnScreen());

    // Hidden, D-pad down is the boost it always was.
    press(kDown);
    EXPECT_EQ(turboState, TurboState::SpoolUp);
    EXPECT_EQ(game.world.feed.front().text, "VELOXAN ACTIVATED") << "the first boost of the test";
}

TEST_F(PadMenu, without_a_pad_menu_dpad_down_boosts_in_the_open_menu_as_before) {
    game.input.ConnectPad(0);
    BootWithMenuKey();
    game.world.EnterVehicle(game.world.AddVehicle(sim::VehicleClass::Car, 2));
    OpenFully();
    game.input.HoldButtonsFrames(0, kRB | kDown, game.frame + 1, 1);
    const std::uint64_t frame = game.frame + 1;
    sim::Step();
    EXPECT_EQ(turboState, TurboState::SpoolUp);
    EXPECT_EQ(HighlightedRow(frame), 0) << "the menu does not move";
    EXPECT_EQ(game.CallsInFrame("XInputGetState", frame).size(), 1u) << "the trigger's read only";
}

} // namespace
