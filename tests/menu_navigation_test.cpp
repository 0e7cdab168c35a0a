// Moving through the menu with the numeric keypad: wrap-around, held keys
// against the shared wait, pages entered and left, and the navigation sound.

#include "host/key_input.h"
#include "menu/menu_item.h"
#include "menu_fixture.h"
#include "settings/settings.h"

namespace {

using MenuNavigation = MenuTest;

MenuItem* AddPage(const char* label, int rows) {
    MenuItem* page = AddMenuRow(rootPage, label, 0, MenuItemKind::Submenu, "", label);
    for (int i = 0; i < rows; ++i) {
        AddMenuRow(*page, "Row", 0, MenuItemKind::Action, "", "");
    }
    return page;
}

TEST_F(MenuNavigation, up_and_down_wrap_on_pages_of_seven_one_and_ten_rows) {
    BootWithMenuKey();
    OpenFully();
    EXPECT_EQ(HighlightedRow(Tap(VK_PAD8)), 6);
    EXPECT_EQ(HighlightedRow(Tap(VK_PAD2)), 0);

    AddPage("One", 1);  // root row 7
    AddPage("Ten", 10); // root row 8
    Tap(VK_PAD8);       // wraps to "Ten"
    Tap(VK_PAD5);
    EXPECT_EQ(HighlightedRow(Tap(VK_PAD8)), 9);
    EXPECT_EQ(HighlightedRow(Tap(VK_PAD2)), 0);
    EXPECT_EQ(HighlightedRow(Tap(VK_PAD0)), 8) << "back keeps the root page's selection";
    Tap(VK_PAD8);
    const std::uint64_t entered = Tap(VK_PAD5);
    EXPECT_EQ(RowTexts(entered).size(), 1u);
    EXPECT_EQ(HighlightedRow(Tap(VK_PAD8)), 0);
    EXPECT_EQ(HighlightedRow(Tap(VK_PAD2)), 0);
    EXPECT_EQ(NavSoundsIn(game.frame), 1u) << "a key that changes nothing still sounds";
}

TEST_F(MenuNavigation, held_up_moves_once_per_wait_and_held_right_steps_every_frame) {
    BootWithMenuKey();
    OpenFully();
    const std::uint64_t first = game.frame + 1;
    HoldKey(VK_PAD8, 27);
    sim::RunFrames(27);
    std::vector<std::uint64_t> soundFrames;
    for (const sim::CallRecord* c : game.Calls("PLAY_SOUND_FRONTEND")) {
        soundFrames.push_back(c->frame);
        EXPECT_EQ(c->I(0), -1);
        EXPECT_EQ(c->S(1), "NAV_UP_DOWN");
        EXPECT_EQ(c->S(2), "HUD_FRONTEND_DEFAULT_SOUNDSET");
        EXPECT_EQ(c->I(3), 0);
    }
    EXPECT_EQ(soundFrames, (std::vector<std::uint64_t>{first, first + 13, first + 26}));
    EXPECT_EQ(HighlightedRow(game.frame), 4);

    // Right on "Slow Motion Collision" right after an up: it waits like
    // everything else, then steps on every frame with its sound, and never
    // restarts the wait, so down still acts at once afterwards.
    const float before = Settings.slowmo;
    HoldKey(VK_PAD6, 15);
    sim::RunFrames(12);
    EXPECT_EQ(Settings.slowmo, before);
    sim::RunFrames(3);
    EXPECT_EQ(NavSoundsIn(game.frame), 1u);
    EXPECT_NEAR(Settings.slowmo, before + 3 * 0.025, 1e-6);
    const std::uint32_t upTick = lastKeyTick;
    HoldKey(VK_PAD2, 1);
    sim::Step();
    EXPECT_EQ(HighlightedRow(game.frame), 5);
    EXPECT_GT(lastKeyTick, upTick);
}

TEST_F(MenuNavigation, select_and_sideways_keys_act_only_on_their_kinds) {
    BootWithMenuKey();
    OpenFully();
    const std::size_t writes = game.Count("WritePrivateProfileStringA");
    const std::uint64_t selectOnSlider = Tap(VK_PAD5);
    EXPECT_EQ(Settings.duration, 0.6f);
    EXPECT_EQ(NavSoundsIn(selectOnSlider), 1u);
    Tap(VK_PAD8); // "Reset settings"
    Settings.power = 0.9f;
    const std::uint64_t sideways = Tap(VK_PAD4);
    HoldKey(VK_PAD6, 1);
    sim::Step();
    EXPECT_EQ(Settings.power, 0.9f);
    EXPECT_EQ(NavSoundsIn(sideways) + NavSoundsIn(game.frame), 2u);

    // A page of one row entered and left again saves nothing.
    AddPage("Sub", 1);
    Tap(VK_PAD2); // "Sub"
    const std::uint64_t in = Tap(VK_PAD5);
    EXPECT_EQ(TextsOfScale(in, 0.35f), std::vector<std::string>{"Main Menu->Sub"});
    const std::uint64_t out = Tap(VK_PAD0);
    EXPECT_EQ(TextsOfScale(out, 0.35f), std::vector<std::string>{"Main Menu"});
    EXPECT_EQ(HighlightedRow(out), 7);
    sim::Step();
    EXPECT_EQ(DrawnOffset(game.frame), 0.0f) << "back from a page leaves the menu open";
    EXPECT_EQ(game.Count("WritePrivateProfileStringA"), writes);
}

} // namespace
